// A shot of one projectile type in flight, and the process-wide projectile-type list.
#pragma once

#include <cstdint>
#include <vector>

#include "basics.h"
#include "records.h"
#include "xmlForward.h"

class Ship;
class ShipGrid;
class Universe;
class WorldState;

// Every projectile type; the index is the projectile type.
extern std::vector<projectileData> WEAPONDATA;

// Whether type indexes WEAPONDATA.
bool isProjectileType(long type);

// The shooter of a shot no ship fired (the player's, or one read from a save).
constexpr unsigned int NO_SHOOTER = 0xFFFFFFFFu;

class Projectile {
public:
    // A new shot of type at pos with heading theta (clockwise from +y), launched at the
    // type's speed on top of the base velocity (vx, vy); a homing shot never locks onto shooter.
    Projectile(point pos, float theta, WorldState& world, int type, float vx, float vy,
               short faction, std::vector<short> relations, unsigned int shooter = NO_SHOOTER);
    // A shot read back from a saved "projectileData" record.
    Projectile(rapidxml::xml_node<char>* record, Universe& universe);

    // Whether a saved record names an existing projectile type; reports one that does not.
    static bool savedTypeIsValid(rapidxml::xml_node<char>* record);

    // Appends the "projectileData" attributes and children to record, from doc's pool.
    void save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record);

    // One frame: moves, expires, hits, homes and draws the shot; false when it is gone.
    bool update(int dt, WorldState& world, Universe& universe, int time);
    // Whether the path from oldPos hit the nearest ship or the player, which then took the damage.
    bool handleCollision(point oldPos, WorldState& world, Universe& universe, int time);

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
    // Whether the shot homes on the ship getTargetedShipID names (which may be ship 0).
    bool hasLock() const;
    short getFaction() const;
    const std::vector<int16_t>& getPersonalRelations() const;

private:
    // The locked ship when it is still in the world and within reach; drops the lock otherwise.
    Ship* heldTarget(WorldState& world, float range);
    // The nearest ship within range other than the shooter, now locked; null when there is none.
    Ship* newTarget(WorldState& world, float range);
    // The nearest ship within range other than the shooter, from the whole list or from the grid.
    Ship* nearestInList(WorldState& world, float range) const;
    Ship* nearestOnGrid(const ShipGrid& grid, float range) const;
    // The ship nearest to the shot among those whose reach its path from oldPos crosses, or null.
    Ship* shipOnPath(point oldPos, WorldState& world, float& hitDistance) const;
    void home(int dt, WorldState& world, const projectileData& type);
    void turnToward(point target, int dt, const projectileData& type);
    void draw(const projectileData& type) const;
    // Counts the frame against the lifetime (a negative one never runs out) and towards arming.
    void age(int dt);
    // Spawns the fragment type (none for -1) with this shot's heading, speed and faction.
    void fragment(int type, WorldState& world) const;

    point pos;
    int32_t shotType;
    float theta = 0;
    int32_t lifetimeRemaining = 0;
    // Not saved: a loaded shot has lived its type's lifetime less what remains. Kept apart from the
    // lifetime because a negative lifetime stands still, yet the shot must still arm.
    int32_t livedMs = 0;
    point velocity{0, 0};
    uint32_t targetedShipID = 0;
    std::vector<int16_t> personalRelations;
    int16_t faction = 0;
    // Not saved: a loaded shot with targetedShipID 0 has no lock, one with any other ID holds it.
    bool locked = false;
    uint32_t shooterID = NO_SHOOTER;
};

// Fires event code at p: 0 nothing, 1 a shockwave; always false (the shot is spent).
bool projectileEvent(WorldState& world, point p, int code, int time);
// Fires the type's shots from pos toward aim (straight up when aim is pos), on top of the base velocity.
void projectileSpawn(int type, point velocity, point pos, point aim, WorldState& world, short faction,
                     unsigned int shooter = NO_SHOOTER);
// Fires the type's shots from pos at heading theta with the type's fan, at the front of the world's list.
void projectileSpawn(int type, point velocity, point pos, float theta, WorldState& world, short faction,
                     unsigned int shooter = NO_SHOOTER);
