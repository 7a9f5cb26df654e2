// An AI ship of one ship type and one faction, registered by ID in the universe.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "basics.h"
#include "glowTrail.h"
#include "records.h"
#include "xmlForward.h"

class Player;
class Universe;
class WorldState;

class Ship {
public:
    // A new ship of the named type. The registry keeps this object's address, so
    // construct it in its place in a world's ship list (emplace), never as a temporary.
    Ship(point pos, std::string type, short faction, Universe& universe);
    // A ship read back from a saved "shipData" record; the same in-place rule applies.
    Ship(rapidxml::xml_node<char>* record, Universe& universe);

    // Appends the "shipData" attributes and children to record, from doc's pool.
    void save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record);

    // One frame in the universe's current world: cooling, death or ram, steering, weapons, motion
    // and trail; false when the ship is gone (destroyed, or rammed into the player).
    bool update(int dt, int time, Universe& universe, Player* player);
    // Draws the ship's image turned to its heading.
    void draw() const;

    // Adds the pull of a star or planet for this frame.
    void addGrav(point g);
    // Adds v straight to the velocity (walls, separation).
    void addGravNonCollidable(point v);
    // Records a body within pull range: distance to its surface, unit direction to it.
    void registerCollidable(float surfaceDistance, point direction);
    // Loses d hit points; true while some are left.
    bool takeDamage(float d);
    // The same for a projectile hit; faction and universe play no part.
    bool takeDamage(float d, short faction, Universe& universe);

    // What the script's spawnShip sets: the AI mode and the target it follows.
    void setAI(int mode);
    void setDestinationPoint(point p);
    void setDestinationShip(unsigned int id);
    void setDestinationPlanet(unsigned int id);

    // Read-outs of the stored values.
    short getFaction() const;
    unsigned int getID() const;
    point getPos() const;
    point getVelocity() const;
    std::string getShipType() const;
    float getHitpoints() const;
    int getShipCode() const;
    float getSize() const;
    float getTheta() const;
    int getAI() const;
    point getDestinationPoint() const;
    const std::vector<unsigned int>& getWeapons() const;
    const std::vector<unsigned int>& getGunCooling() const;
    const std::vector<int16_t>& getPersonalRelations() const;
    unsigned int getTexture() const;
    float getThrust() const;
    // Points the heading along a (minus a quarter turn, as the image is drawn).
    void calcTheta(point a);

private:
    void takeTypeFields(Universe& universe, bool withAiAndHitpoints);
    // The point the AI mode steers to and the radius of the ring it holds around it.
    point targetPoint(Universe& universe, const Player* player, float& arrival);
    // The followed ship when it is in world; else the mode falls back to stationary.
    const Ship* followedShip(Universe& universe, const WorldState& world);
    void steer(point target, float arrival, int dt);
    // The thrust that fights this frame's pull and steers clear of the nearest body.
    point avoidance(float& p, float& k) const;
    void fireWeapons(int dt, Universe& universe, const Player* player, WorldState& world);
    // The nearest hostile ship within reach, or the player (null); best gets the squared distance.
    const Ship* chooseTarget(Universe& universe, const Player* player, const WorldState& world,
                             double& best) const;
    void drill(const projectileData& type, int dt, WorldState& world) const;
    // The aim point that leads a target at p moving at v for a shot of the given speed.
    point leadAim(point p, point v, float speed) const;
    void move(int dt);

    point pos{0, 0};
    std::vector<int16_t> personalRelations;
    std::vector<collidableData> collidables;
    uint32_t ID = 0;
    float theta = 0;
    int32_t aiType = 0;
    point velocity{0, 0};
    float thrust = 0;
    float hitpoints = 0;
    GlowTrail glowTrail;
    point gravAccumulator{0, 0};
    int16_t faction = 0;
    std::vector<uint32_t> weapons;
    std::vector<uint32_t> gunCooling;
    uint32_t texture = 0;
    float size = 0;
    int32_t shipCode = -1;
    std::string shiptype;
    point goTo{0, 0};
    uint32_t destinationShip = 0;
    uint32_t destinationPlanet = 0;
};
