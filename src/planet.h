// A planet orbiting its star, with its economy record, script data and defence satellites.
#pragma once

#include <string>
#include <vector>

#include "Satellite.h"
#include "basics.h"
#include "records.h"

class Player;
class Universe;
class WorldState;
struct celestialBody;
struct lua_State;

// The mass of a star or planet of this radius: its volume with pi taken as 3.14; density plays no part.
float bodyMass(float radius);

class Planet {
public:
    // A landed ship this far above the surface is still held.
    static constexpr float HOLD_MARGIN = 10.0f;

    // Global planet ID, radius, density (scaled by 1e-6), orbit radius, orbit speed
    // (degrees per ms), initial orbit angle (degrees), spin (degrees per ms), initial
    // spin (degrees), GL texture, name, economy record, script data; prints the name.
    Planet(int id, float radius, float density, float orbitRadius, float orbitSpeed,
           float initLoc, float rotationalSpeed, float initRot, int texture,
           std::string name, planetData data, std::vector<luaStringPair> extraData);

    // Read-outs: name, body, current motion, records (copies) and satellites.
    std::string getName() const;
    float getRadius() const;
    int getID() const;
    point getPos() const;
    // Displacement per ms of the last move.
    point getVelocity() const;
    float getDensity() const;
    float getMass() const;
    unsigned int getTexture() const;
    std::vector<luaStringPair> getExtraData() const;
    planetData getPlanetData() const;
    float getHealth() const;
    const std::vector<Satellite>& getSatellites() const;
    // The live orbit angle (radians) and spin (degrees) that a save keeps.
    float getOrbitAngle() const;
    float getRotation() const;
    // Puts the planet back at a saved orbit angle and spin around centre, at rest.
    void restoreMotion(float orbitAngle, float rotation, point centre);
    // Turns the landing direction toward p, where a loaded landed player sits.
    void pointLandingAt(point p);

    // Replaces the script-owned key/value data.
    void setExtraData(std::vector<luaStringPair>& data);
    // Replaces the economy record and hands the new owner to every satellite.
    void setPlanetData(planetData& data);
    // count receives the number of satellites; type their type name when there are any.
    void getSats(std::string& type, int& count) const;
    // Rebuilds the satellites: count of the given type (none for a null type or count < 1).
    void setSats(satelliteStats* type, int count);
    // Health drops by damage, never below 0.
    void takeDamage(float damage);
    // Moves orbit, spin and satellites on by t ms around centre, as if t ms had passed.
    void skipTime(long t, point centre);
    // One frame of dt ms around centre: satellites, the script's planetTick once a second,
    // the orbit and spin, pull and swallowing, the player's landing, then drawing.
    // A frame of 0 ms only draws.
    void update(WorldState& world, Player* player, int dt, point centre, Universe& universe);
    // Draws the planet turned by its spin, then its satellites.
    void draw() const;

private:
    // Every satellite's update around the centre the planet had before this frame's move.
    void updateSatellites(WorldState& world, int dt, point centreBeforeMove, Universe& universe);
    void drawSatellites() const;
    void tick(lua_State* lua, int dt);
    void callPlanetTick(lua_State* lua) const;
    void move(int dt, point centre);
    void placeOnOrbit(point centre);
    void meetPlayer(Player& player, WorldState& world, int dt, point centreBeforeMove);
    void hold(Player& player, int dt, point centreBeforeMove);
    void touchDown(Player& player, WorldState& world);
    celestialBody body() const;

    point pos{0, 0};
    int id;
    float landAngle = 0;
    bool landAngleKnown = false;  // set by the first touch-down or hold
    float radius;
    float density;
    float orbitRadius;
    float orbitSpeed;
    float orbitAngle;
    float rotationalSpeed;
    float rotation;
    unsigned int texture;
    point velocity{0, 0};
    std::string name;
    float mass;
    int tickAccumulator = 0;
    planetData data;
    std::vector<luaStringPair> extraData;
    std::vector<Satellite> satellites;
};
