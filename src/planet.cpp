// Planets: construction, records, satellites, damage, the time skip, their frame and the landing.
#include "planet.h"

#include <GL/gl.h>
#include <lua.hpp>

#include <cmath>
#include <iostream>
#include <string>
#include <utility>

#include "basicsLua.h"
#include "celestialBody.h"
#include "player.h"
#include "shipGrid.h"
#include "timerClasses.h"
#include "uiDrawing.h"
#include "worldState.h"

namespace {

// More satellites than this around one planet is a data error, not a design.
constexpr int MAX_SATELLITES = 1000;

constexpr float DEGREES_TO_RADIANS = 3.14f / 180.0f;
// About a laser's reach: a satellite's look-up then spans a few cells.
constexpr float SATELLITE_CELL = 1024.0f;
// The landing angle follows the spin with the game's own rounding of pi / 180.
constexpr float SPIN_TO_LAND_ANGLE = 0.0174444f;
constexpr double FULL_TURN_RADIANS = 6.283185307179586;
constexpr double FULL_TURN_DEGREES = 360.0;
constexpr int TICK_MS = 1000;

// The angle moved on by speed x t, kept within one turn: a long game must not
// eat the float's precision, and whole turns change nothing on a circle.
float turned(float angle, float speed, double t, double turn) {
    const double within = std::fmod(double(angle) + double(speed) * t, turn);
    return float(within < 0 ? within + turn : within);
}

}  // namespace

float bodyMass(float radius) { return radius * radius * radius * 4.1866666666666665f; }

Planet::Planet(int id, float radius, float density, float orbitRadius, float orbitSpeed,
               float initLoc, float rotationalSpeed, float initRot, int texture,
               std::string name, planetData data, std::vector<luaStringPair> extraData)
    : id(id), radius(radius), density(density), orbitRadius(orbitRadius),
      orbitSpeed(orbitSpeed * DEGREES_TO_RADIANS), orbitAngle(initLoc * DEGREES_TO_RADIANS),
      rotationalSpeed(rotationalSpeed), rotation(initRot),
      texture(static_cast<unsigned int>(texture)), name(std::move(name)),
      mass(bodyMass(radius)), data(std::move(data)),
      extraData(std::move(extraData)) {
    std::cout << this->name << std::endl;
}

std::string Planet::getName() const { return name; }
float Planet::getRadius() const { return radius; }
int Planet::getID() const { return id; }
point Planet::getPos() const { return pos; }
point Planet::getVelocity() const { return velocity; }
float Planet::getDensity() const { return density; }
float Planet::getMass() const { return mass; }
unsigned int Planet::getTexture() const { return texture; }
std::vector<luaStringPair> Planet::getExtraData() const { return extraData; }
planetData Planet::getPlanetData() const { return data; }
float Planet::getHealth() const { return data.health; }
const std::vector<Satellite>& Planet::getSatellites() const { return satellites; }

float Planet::getOrbitAngle() const { return orbitAngle; }
float Planet::getRotation() const { return rotation; }

void Planet::restoreMotion(float savedOrbitAngle, float savedRotation, point centre) {
    orbitAngle = turned(savedOrbitAngle, 0, 0, FULL_TURN_RADIANS);
    rotation = turned(savedRotation, 0, 0, FULL_TURN_DEGREES);
    placeOnOrbit(centre);
    velocity = {0, 0};
}

void Planet::pointLandingAt(point p) {
    landAngle = std::atan2(p.y - pos.y, p.x - pos.x);
    landAngleKnown = true;
}

void Planet::setExtraData(std::vector<luaStringPair>& newData) { extraData = newData; }

void Planet::setPlanetData(planetData& newData) {
    data = newData;
    for (Satellite& satellite : satellites) satellite.updateData(data);
}

void Planet::getSats(std::string& type, int& count) const {
    count = static_cast<int>(satellites.size());
    if (!satellites.empty()) type = satellites[0].getType();
}

void Planet::setSats(satelliteStats* type, int count) {
    satellites.clear();
    if (type == nullptr) return;
    if (count < 0) {
        std::cout << "Error, negative satellite count " << count << " for planet " << name
                  << ", no satellites" << std::endl;
        return;
    }
    if (count > MAX_SATELLITES) {
        std::cout << "Error, satellite count " << count << " for planet " << name
                  << " is too large, using " << MAX_SATELLITES << std::endl;
        count = MAX_SATELLITES;
    }
    satellites.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; i++)
        satellites.emplace_back(i, count, type, radius, data.factionOwner);
}

void Planet::takeDamage(float damage) {
    data.health -= damage;
    if (data.health < 0) data.health = 0;
}

void Planet::skipTime(long t, point centre) {
    rotation = turned(rotation, rotationalSpeed, double(t), FULL_TURN_DEGREES);
    orbitAngle = turned(orbitAngle, orbitSpeed, double(t), FULL_TURN_RADIANS);
    placeOnOrbit(centre);
    velocity = {0, 0};
    for (Satellite& satellite : satellites) satellite.skipTime(static_cast<int>(t));
}

void Planet::placeOnOrbit(point centre) {
    pos = {centre.x + orbitRadius * std::cos(orbitAngle), centre.y + orbitRadius * std::sin(orbitAngle)};
}

celestialBody Planet::body() const { return {pos, radius, density, mass}; }

void Planet::update(WorldState& world, Player* player, int dt, point centre, Universe& universe) {
    if (dt == 0) {
        draw();
        return;
    }
    const point before = pos;
    updateSatellites(world, dt, before, universe);
    tick(world.luaState, dt);
    move(dt, centre);
    pullShotsAndShips(body(), world, universe, dt);
    if (player) meetPlayer(*player, world, dt, before);
    draw();
}

// At most one call a frame; what is left over carries on to the next.
void Planet::tick(lua_State* lua, int dt) {
    tickAccumulator = saturatingInt(double(tickAccumulator) + dt);
    if (tickAccumulator <= TICK_MS) return;
    callPlanetTick(lua);
    tickAccumulator -= TICK_MS;
}

// Making the call allocates, and so can raise, as the script's code can: all of it is protected.
void Planet::callPlanetTick(lua_State* lua) const {
    if (!lua) return;
    runProtected(lua, [&] {
        pushGlobalCaller(lua, "planetTick");
        lua_pushnumber(lua, id);
        lua_call(lua, 1, 0);
    }, "Lua event error, ");
}

void Planet::move(int dt, point centre) {
    const point before = pos;
    rotation = turned(rotation, rotationalSpeed, dt, FULL_TURN_DEGREES);
    orbitAngle = turned(orbitAngle, orbitSpeed, dt, FULL_TURN_RADIANS);
    placeOnOrbit(centre);
    velocity = {(pos.x - before.x) / float(dt), (pos.y - before.y) / float(dt)};
}

// A landed ship is held from where the planet stood before this frame's move: measured
// from the new centre, a planet moving 10 units in one frame would drop it in empty space.
void Planet::meetPlayer(Player& player, WorldState& world, int dt, point centreBeforeMove) {
    const float reach = radius + player.getRadius();
    if (player.isLanded()) {
        if (pointDistance(centreBeforeMove, player.getPos()) < reach + HOLD_MARGIN)
            hold(player, dt, centreBeforeMove);
        return;
    }
    const float d = pointDistance(pos, player.getPos());
    if (d <= reach) {
        touchDown(player, world);
        return;
    }
    if (d < gravityRange(body())) player.addVelocity(gravityPull(body(), player.getPos(), d, dt));
}

// A planet that never saw a touch-down holds the ship where it finds it.
void Planet::hold(Player& player, int dt, point centreBeforeMove) {
    const point old = player.getPos();
    if (!landAngleKnown) landAngle = std::atan2(old.y - centreBeforeMove.y, old.x - centreBeforeMove.x);
    landAngleKnown = true;
    landAngle = turned(landAngle, rotationalSpeed * SPIN_TO_LAND_ANGLE, dt, FULL_TURN_RADIANS);
    const float surface = radius + player.getRadius();
    player.x = pos.x + surface * std::cos(landAngle);
    player.y = pos.y + surface * std::sin(landAngle);
    player.setAngle(landAngle);
    // Per ms like every velocity: a frame's whole displacement would launch the ship at a
    // speed that grows with the frame time.
    player.setVelocity({(player.x - old.x) / float(dt), (player.y - old.y) / float(dt)});
}

// Touching at a speed of 1 or more against the planet's own is a crash, and a crash lands too.
void Planet::touchDown(Player& player, WorldState& world) {
    const point at = player.getPos();
    landAngle = std::atan2(at.y - pos.y, at.x - pos.x);
    landAngleKnown = true;
    const float relativeSpeed = pointDistance(player.getVelocity(), velocity);
    if (relativeSpeed < 1) {
        player.setLanded(id);
        return;
    }
    standardExplosion(at, world);
    player.setLanded(id);
    player.takeDamage((relativeSpeed - 1) * 100);
}

void Planet::draw() const {
    glPushMatrix();
    glTranslatef(pos.x, pos.y, 0);
    glRotatef(rotation, 0, 0, 1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    drawTexturedQuad(texture, {-radius, -radius}, {radius, radius}, UPRIGHT);
    reportError();
    glPopMatrix();
    drawSatellites();
}

// The grid lives only for this planet's satellites: between planets, stars swallow ships and scripts spawn them.
void Planet::updateSatellites(WorldState& world, int dt, point centreBeforeMove, Universe& universe) {
    if (satellites.empty()) return;
    const ShipGridLoan grid(world, SATELLITE_CELL);
    for (Satellite& satellite : satellites) satellite.update(world, dt, centreBeforeMove, universe);
}

void Planet::drawSatellites() const {
    for (const Satellite& satellite : satellites) satellite.draw();
}
