// An AI ship of one ship type and one faction, registered by ID in the universe.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "basics.h"
#include "glowTrail.h"
#include "records.h"
#include "xmlForward.h"

class Universe;

class Ship {
public:
    // A new ship of the named type. The registry keeps this object's address, so
    // construct it in its place in a world's ship list (emplace), never as a temporary.
    Ship(point pos, std::string type, short faction, Universe& universe);
    // A ship read back from a saved "shipData" record; the same in-place rule applies.
    Ship(rapidxml::xml_node<char>* record, Universe& universe);

    // Appends the "shipData" attributes and children to record, from doc's pool.
    void save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record);

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
