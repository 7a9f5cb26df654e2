// A shot's frame: flight, expiry, hits, homing and drawing.
#include "projectile.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "defaultVals.h"
#include "player.h"
#include "shipGrid.h"
#include "spriteBatch.h"
#include "sprites.h"
#include "timerClasses.h"
#include "universe.h"
#include "worldState.h"

namespace {

constexpr int ARMING_MS = 100;
constexpr double HOMING_DRAG = 0.003;

// A long frame must slow a shot to a stop, not reverse it.
float dragFactor(int dt, double perMs) { return static_cast<float>(std::max(0.0, 1 - dt * perMs)); }

}  // namespace

bool Projectile::update(int dt, WorldState& world, Universe& universe, int time) {
    if (!isProjectileType(shotType)) return false;
    const projectileData& type = WEAPONDATA[shotType];
    const point oldPos = pos;
    pos.x += velocity.x * dt;
    pos.y += velocity.y * dt;
    if (lifetimeRemaining >= 0 && lifetimeRemaining < dt) {
        if (type.onDeathEffect != 0) return projectileEvent(world, pos, type.onDeathEffect, time);
        fragment(type.onDeathFragment, world);
        return false;
    }
    if (livedMs > ARMING_MS && handleCollision(oldPos, world, universe, time)) {
        fragment(type.onHitFragment, world);
        return projectileEvent(world, pos, type.onHitEffect, time);
    }
    if (type.homingRange != 0) home(dt, world, type);
    draw(type);
    age(dt);
    return true;
}

void Projectile::age(int dt) {
    if (lifetimeRemaining >= 0) lifetimeRemaining -= dt;
    livedMs = saturatingInt(static_cast<double>(livedMs) + dt);
}

void Projectile::fragment(int type, WorldState& world) const {
    if (type != -1) projectileSpawn(type, velocity, pos, theta, world, faction, shooterID);
}

// Among ships on the path the nearest to the shot wins; the player only when strictly nearer.
bool Projectile::handleCollision(point oldPos, WorldState& world, Universe& universe, int) {
    const projectileData& type = WEAPONDATA[shotType];
    float hitDistance = 0;
    Ship* hit = shipOnPath(oldPos, world, hitDistance);
    Player* player = universe.player.get();
    if (player && intersectCircleLine(pos, oldPos, player->getPos(), type.size + player->getSize() / 2) &&
        (!hit || pointDistance(pos, player->getPos()) < hitDistance)) {
        player->takeDamage(type.damage);
        standardExplosion(pos, world);
        return true;
    }
    if (!hit) return false;
    if (type.damage == 0) return true;
    hit->takeDamage(type.damage, faction, universe);
    standardExplosion(pos, world);
    return true;
}

// The ships the grid finds near the path, taken in list order, make the same choice as the whole list.
Ship* Projectile::shipOnPath(point oldPos, WorldState& world, float& hitDistance) const {
    const float size = WEAPONDATA[shotType].size;
    Ship* hit = nullptr;
    const auto consider = [&](Ship& ship, point at, float shipSize) {
        if (!intersectCircleLine(pos, oldPos, at, size + shipSize / 2)) return;
        const float d = pointDistance(pos, at);
        if (!hit || d < hitDistance) {
            hit = &ship;
            hitDistance = d;
        }
    };
    if (!world.shipGrid) {
        for (Ship& ship : world.ships) consider(ship, ship.getPos(), ship.getSize());
        return hit;
    }
    const ShipGrid& grid = *world.shipGrid;
    for (const ShipGrid::Entry& entry : grid.nearInOrder(pos, oldPos, std::fabs(size) + grid.largestSize() / 2))
        consider(*entry.ship, entry.pos, entry.size);
    return hit;
}

// A dropped lock takes no new one in the same frame; a new lock steers at once.
void Projectile::home(int dt, WorldState& world, const projectileData& type) {
    const float range = type.homingRange;
    Ship* target = locked ? heldTarget(world, 2 * range) : newTarget(world, range);
    if (target) turnToward(target->getPos(), dt, type);
    const float drag = dragFactor(dt, HOMING_DRAG);
    velocity.x *= drag;
    velocity.y *= drag;
}

Ship* Projectile::heldTarget(WorldState& world, float range) {
    const auto inReach = [this, range](const Ship& ship) {
        return sqPointDistance(ship.getPos(), pos) < square(range);
    };
    if (world.shipGrid) {
        if (Ship* ship = world.shipGrid->firstWithID(targetedShipID, inReach)) return ship;
    } else {
        for (Ship& ship : world.ships)
            if (ship.getID() == targetedShipID && inReach(ship)) return &ship;
    }
    locked = false;
    targetedShipID = 0;
    return nullptr;
}

// Any ship qualifies whatever its faction, but never the one that fired: it would turn back on it.
Ship* Projectile::newTarget(WorldState& world, float range) {
    Ship* nearest = world.shipGrid ? nearestOnGrid(*world.shipGrid, range) : nearestInList(world, range);
    if (nearest) {
        locked = true;
        targetedShipID = nearest->getID();
    }
    return nearest;
}

Ship* Projectile::nearestInList(WorldState& world, float range) const {
    Ship* nearest = nullptr;
    float best = square(range);
    for (Ship& ship : world.ships) {
        if (ship.getID() == shooterID) continue;
        const float d = sqPointDistance(ship.getPos(), pos);
        if (d < best) {
            nearest = &ship;
            best = d;
        }
    }
    return nearest;
}

Ship* Projectile::nearestOnGrid(const ShipGrid& grid, float range) const {
    NearestShip pick(square(range));
    grid.forEachNear(pos, pos, range, [&](Ship& ship, uint32_t order) {
        if (ship.getID() != shooterID) pick.offer(ship, sqPointDistance(ship.getPos(), pos), order);
    });
    return pick.ship;
}

void Projectile::turnToward(point target, int dt, const projectileData& type) {
    guideLine(target, pos);
    float desired = std::atan2(target.y - pos.y, -(target.x - pos.x)) - 1.57f;
    if (desired < 0) desired += 6.28f;
    if (theta < 0) theta += 6.28f;
    float diff = desired - theta;
    if (std::fabs(diff) > 3.14f) diff += theta > desired ? 6.28f : -6.28f;
    const float limit = type.turnSpeed * static_cast<float>(dt);
    diff = std::min(std::max(diff, -limit), limit);
    theta += diff;
    velocity.x += type.turnSpeed * std::sin(theta) * dt;
    velocity.y += type.turnSpeed * std::cos(theta) * dt;
}

void Projectile::draw(const projectileData& type) const {
    reportError();
    glColor3f(1, 1, 1);
    drawSprite(type.texture, pos, type.size, -theta * DEGREES_PER_RADIAN);
}
