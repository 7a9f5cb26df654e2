// The player's ship: engine, hull, grav tool, weapon slots, landing state and world.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "basics.h"
#include "records.h"
#include "smokeTrail.h"
#include "xmlForward.h"

class GravityWall;
class ShaderList;
class Universe;
class WorldState;

class Player {
public:
    // A new game's ship at position, with the engine's thrust, reverse thrust and turning
    // rate, the hull's hit points and size, the weapon slots and the grav tool.
    Player(point position, float thrust, float revThrust, float turnSpeed, float hitpoints,
           float size, const ShaderList& shaders, std::vector<unsigned int> armament,
           ::gravTool tool, std::string engineName, std::string hullName, Universe& universe);
    // The ship read back from a saved "player" element; points the universe's current
    // world at the saved one (a world that does not exist ends the process, code 0).
    Player(rapidxml::xml_node<char>* record, Universe& universe);

    // Appends the "player" attributes and children to record, from doc's pool.
    void save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record);

    // One frame of flight: the steering keys, the grav tool laying walls at cursor into world
    // while a mouse button is held (mask 1 left, 4 right) or recharging, then motion and smoke.
    void update(int dt, point cursor, unsigned char buttons, WorldState& world);
    // Starts a new wall on the next press of a grav-tool button.
    void buttonUp();
    // Turns clockwise for dt ms; the ship does not turn while landed.
    void turnCW(int dt);
    // Turns counter-clockwise for dt ms; the ship does not turn while landed.
    void turnCCW(int dt);
    // Thrusts along the heading for dt ms; once the landing timeout has run out it takes off,
    // adding the launch boost held on the ground to this thrust.
    void forwardThrust(int dt);
    // Thrusts backwards for dt ms; on the ground it builds up the launch boost instead.
    void reverseThrust(int dt);

    // Fires the selected weapon at target when it lies within the weapon's arc: the beam (type 1)
    // every frame, any other type once its slot has cooled; now is not used.
    void shoot(unsigned int now, WorldState& world, point target, int dt);

    // Selects slot n when the ship has it.
    void setWeapon(unsigned int n);
    // Selects the next slot; nothing at the last one.
    void increaseWeapon();
    // Selects the previous slot; nothing at the first one.
    void decreaseWeapon();
    // Selects the next slot, from the last back to the first.
    void cycleWeaponUp();
    // Selects the previous slot, from the first on to the last.
    void cycleWeaponDown();

    // Draws the ship's image turned to its heading (world projection).
    void draw() const;
    // Draws the engine smoke and, when its program is usable, the flame; now is in ms.
    void drawTrail(int now, Universe& universe) const;
    // Draws the grav tool's charge bar (interface projection, 0 to 100).
    void drawUI() const;
    // Multiplies the current matrix by a projection of the whole world (the argument is unused).
    void trackWindow(float zoom) const;
    // Sits the ship on planet id; forward thrust takes off again after 300 ms.
    void setLanded(int id);
    // Moves the ship into world index (its position is already set); a bad index is reported.
    void warpWorld(int index, Universe& universe);
    // Changes asked by bodies, wormholes and weapons.
    void setVelocity(point v);
    void addVelocity(point v);
    void setAngle(float angle);
    void takeDamage(float damage);
    void setInput(bool on);
    // After a load: sits still on planet id, or flies with no planet for a negative id.
    void restoreLanding(int id);

    // Read-outs of the stored values.
    int getWorld() const;
    bool isLanded() const;
    float getHealth() const;
    bool getKeysOn() const;
    point getVelocity() const;
    point getPos() const;
    float getRadius() const;
    float getSize() const;
    // The heading for drawing rotations, in degrees clockwise from +y.
    float getAngle() const;
    int getPlanetId() const;
    // The grav tool's current charge; a laying frame may take it below 0.
    int getGravCharge() const;
    unsigned int getActiveWeaponIndex() const;

    // Addresses published to the script's registry; valid while this Player lives.
    int32_t* getWorldPointer();
    bool* getLandedPointer();
    int32_t* getPlanetIdPointer();
    bool* getInputPointer();

    float x, y;
    bool canWarp = true;
    bool isClear = true;

private:
    void lookUpFlameShader(const ShaderList& shaders, const std::string& suffix);
    // The attributes of a saved "player" element, each required.
    void readSavedAttributes(rapidxml::xml_node<char>* record);
    // Thrust, turning, size and grav tool from the catalogue entries the saved record names.
    void takeSavedEquipment(rapidxml::xml_node<char>* record, Universe& universe);
    void dropUnknownWeapons();
    void printDelays() const;
    void steer(int dt, const unsigned char* keys);
    void layWalls(int dt, point cursor, unsigned char buttons, WorldState& world);
    void lay(const gravToolPart& part, int32_t& delay, int dt, point cursor, WorldState& world);
    int affordableWells(const gravToolPart& part) const;
    void recharge(int dt);
    void move(int dt);
    void emitSmoke(int dt);
    void wrapHeading();
    void drawFlame(int now) const;
    // The ship's cooling slot for the selected weapon, added (ready) up to it when missing.
    uint32_t& coolingSlot();
    // Damages the nearest ship on the ray toward target unless a star or planet is nearer, and draws it.
    void fireBeam(WorldState& world, point target, int dt);

    std::string engineName;
    std::string hullName;
    int32_t leftDelay = 0;
    int32_t rightDelay = 0;
    ::gravTool gravTool;
    int32_t activeGravNum = 0;
    int32_t gravCharge = 0;
    std::vector<uint32_t> armament;
    uint32_t activeWeaponIndex = 0;
    bool landed = false;
    int32_t landedTimeout = 0;
    float xSpd = 0, ySpd = 0;
    float thrust = 0, revThrust = 0, turnSpeed = 0;
    float theta = 0;
    float hitpoints = 0;
    float size = 0;
    std::vector<uint32_t> gunCooling;
    int32_t launchBoost = 0;
    float thrusting = 0;
    int32_t activeWorld = 0;
    SmokeTrail exhaustSmoke;
    int32_t planetId = -1;
    bool keysOn = true;
    int32_t flameShader = 0;
    int32_t flameThrustUniform = -1, flameTimeUniform = -1;
    uint32_t whiteLaserTexture = 0;
};
