// The player's weapons: slot selection, firing within each weapon's arc, cooldowns and the beam.
#include "player.h"

#include <GL/glew.h>

#include <cmath>
#include <iostream>

#include "defaultVals.h"
#include "projectile.h"
#include "sprites.h"
#include "textures.h"
#include "worldState.h"

namespace {

constexpr unsigned BEAM_TYPE = 1;
constexpr int BEAM_TEXTURE = 4;
constexpr float BEAM_SHIP_RADIUS = 50.0f;
constexpr float TURN = 6.28318f;
constexpr float NO_ARC = -1.0f;

// The target's bearing clockwise from the nose, in one turn whatever the heading has grown to
// (a landed ship's heading is the planet's unbounded spin).
float relativeBearing(float theta, float targetAngle) {
    float rel = std::fmod(theta - targetAngle, TURN);
    if (rel < 0) rel += TURN;
    if (rel >= TURN) rel -= TURN;
    return rel;
}

// An arc from lo to hi, across the nose when lo > hi; none when either limit is missing.
bool withinArc(const projectileData& type, float rel) {
    const float lo = type.minAngle, hi = type.maxAngle;
    if (lo == NO_ARC || hi == NO_ARC) return true;
    if (lo <= hi) return lo <= rel && rel <= hi;
    return !(hi < rel && rel < lo);
}

// How far along the ray from p by d the world's edge lies on one axis; 0 when the ray runs along it.
float edgeFactor(float p, float d, float bound) {
    if (d > 0) return (bound - p) / d;
    if (d < 0) return (-bound - p) / d;
    return 0;
}

}  // namespace

void Player::shoot(unsigned int, WorldState& world, point target, int dt) {
    if (!keysOn) return;
    if (activeWeaponIndex >= armament.size()) {
        std::cout << "Bad weapon selection " << activeWeaponIndex << std::endl;
        return;
    }
    const unsigned type = armament[activeWeaponIndex];
    if (!isProjectileType(type)) return;
    const float targetAngle = std::atan2(target.y - y, target.x - x);
    if (!withinArc(WEAPONDATA[type], relativeBearing(theta, targetAngle))) return;
    if (type == BEAM_TYPE) {
        fireBeam(world, target, dt);
        return;
    }
    uint32_t& cooling = coolingSlot();
    if (static_cast<int64_t>(cooling) < WEAPONDATA[type].cooldown) return;
    cooling = 0;
    projectileSpawn(static_cast<int>(type), getVelocity(), getPos(), 1.5708f - targetAngle, world, 0);
}

uint32_t& Player::coolingSlot() {
    while (gunCooling.size() <= activeWeaponIndex) {
        const unsigned type = armament[gunCooling.size()];
        gunCooling.push_back(isProjectileType(type) ? static_cast<uint32_t>(WEAPONDATA[type].cooldown) : 0);
    }
    return gunCooling[activeWeaponIndex];
}

void Player::fireBeam(WorldState& world, point target, int dt) {
    const float dx = target.x - x, dy = target.y - y;
    const float tX = edgeFactor(x, dx, XBOUND), tY = edgeFactor(y, dy, YBOUND);
    const float t = ((tX < tY && tX != 0) || tY == 0) ? tX : tY;
    point end{x + dx * t, y + dy * t};
    const point start = getPos();
    Ship* nearestShip = nullptr;
    float nearest = 0;
    for (Ship& ship : world.ships) {
        if (!intersectCircleLine(start, end, ship.getPos(), BEAM_SHIP_RADIUS)) continue;
        const float d = pointDistance(start, ship.getPos());
        if (!nearestShip || d < nearest) {
            nearestShip = &ship;
            nearest = d;
        }
    }
    bool stopped = false;
    auto stopAt = [&](point centre, float radius) {
        const float d = pointDistance(start, centre);
        if (intersectCircleLine(start, end, centre, radius) && ((!nearestShip && !stopped) || d < nearest)) {
            stopped = true;
            nearest = d;
        }
    };
    for (const Star& star : world.stars) {
        stopAt(star.getPos(), star.getRadius());
        for (const Planet& planet : star.getPlanets()) stopAt(planet.getPos(), planet.getRadius());
    }
    if (nearestShip && !stopped) {
        end = nearestShip->getPos();
        nearestShip->takeDamage(static_cast<float>(dt) * WEAPONDATA[BEAM_TYPE].damage);
    }
    glPushMatrix();
    glTranslatef(x, y, 0);
    glBindTexture(GL_TEXTURE_2D, textureAt(BEAM_TEXTURE));
    glRotatef(DEGREES_PER_RADIAN * (std::atan2(dy, dx) - 1.57f), 0, 0, 1);
    beamQuad(pointDistance(end, start));
    glPopMatrix();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Player::setWeapon(unsigned int n) {
    if (n < armament.size()) activeWeaponIndex = n;
}

void Player::increaseWeapon() {
    if (activeWeaponIndex + 1 < armament.size()) activeWeaponIndex += 1;
}

void Player::decreaseWeapon() {
    if (activeWeaponIndex > 0) activeWeaponIndex -= 1;
}

void Player::cycleWeaponUp() {
    if (armament.empty()) return;
    activeWeaponIndex = activeWeaponIndex + 1 < armament.size() ? activeWeaponIndex + 1 : 0;
}

void Player::cycleWeaponDown() {
    if (armament.empty()) return;
    activeWeaponIndex = activeWeaponIndex > 0 ? activeWeaponIndex - 1 : static_cast<uint32_t>(armament.size() - 1);
}

unsigned int Player::getActiveWeaponIndex() const { return activeWeaponIndex; }
