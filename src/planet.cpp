// Planets: construction, records, satellites, damage and the time skip after a load.
#include "planet.h"

#include <cmath>
#include <iostream>
#include <utility>

namespace {

// More satellites than this around one planet is a data error, not a design.
constexpr int MAX_SATELLITES = 1000;

constexpr float DEGREES_TO_RADIANS = 3.14f / 180.0f;

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
    orbitAngle = savedOrbitAngle;
    rotation = savedRotation;
    pos = {centre.x + orbitRadius * std::cos(orbitAngle), centre.y + orbitRadius * std::sin(orbitAngle)};
    velocity = {0, 0};
}

void Planet::pointLandingAt(point p) { landAngle = std::atan2(p.y - pos.y, p.x - pos.x); }

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
    rotation += rotationalSpeed * t;
    orbitAngle += orbitSpeed * t;
    pos = {centre.x + orbitRadius * std::cos(orbitAngle), centre.y + orbitRadius * std::sin(orbitAngle)};
    velocity = {0, 0};
    for (Satellite& satellite : satellites) satellite.skipTime(static_cast<int>(t));
}

void Planet::updateSatellites(WorldState& world, int dt, point centreBeforeMove, Universe& universe) {
    for (Satellite& satellite : satellites) satellite.update(world, dt, centreBeforeMove, universe);
}

void Planet::drawSatellites() const {
    for (const Satellite& satellite : satellites) satellite.draw();
}
