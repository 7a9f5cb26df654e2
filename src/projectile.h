// A shot of one projectile type in flight, and the process-wide projectile-type list.
#pragma once

#include <cstdint>
#include <vector>

#include "basics.h"
#include "records.h"
#include "xmlForward.h"

class Universe;
class WorldState;

// Every projectile type; the index is the projectile type.
extern std::vector<projectileData> WEAPONDATA;

class Projectile {
public:
    // A new shot of type at pos with heading theta (clockwise from +y), launched at the
    // type's speed on top of the base velocity (vx, vy).
    Projectile(point pos, float theta, WorldState& world, int type, float vx, float vy,
               short faction, std::vector<short> relations);
    // A shot read back from a saved "projectileData" record.
    Projectile(rapidxml::xml_node<char>* record, Universe& universe);

    // Whether a saved record names an existing projectile type; reports one that does not.
    static bool savedTypeIsValid(rapidxml::xml_node<char>* record);

    // Appends the "projectileData" attributes and children to record, from doc's pool.
    void save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record);

    // Sets the heading from the velocity (clockwise from +y).
    void calcTheta();
    // Adds a pull to the velocity.
    void addVelocity(point v);
    // The type's gravity flag.
    bool affectedByGrav() const;

    // Read-outs of the stored values.
    point getPos() const;
    point getVelocity() const;
    int getType() const;
    float getTheta() const;
    int getLifetimeRemaining() const;
    unsigned int getTargetedShipID() const;
    short getFaction() const;
    const std::vector<int16_t>& getPersonalRelations() const;

private:
    point pos;
    int32_t shotType;
    float theta = 0;
    int32_t lifetimeRemaining = 0;
    point velocity{0, 0};
    uint32_t targetedShipID = 0;
    std::vector<int16_t> personalRelations;
    int16_t faction = 0;
};
