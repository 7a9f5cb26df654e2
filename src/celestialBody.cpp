// What stars and planets share: their pull and the swallowing of what touches them.
#include "celestialBody.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "timerClasses.h"
#include "universe.h"
#include "worldState.h"

namespace {

constexpr float LARGEST_PULL = std::numeric_limits<float>::max();

void pullShots(const celestialBody& body, WorldState& world, int dt) {
    const float range = gravityRange(body);
    for (auto shot = world.projectiles.begin(); shot != world.projectiles.end();) {
        const point at = shot->getPos();
        const float d = pointDistance(body.centre, at);
        if (d <= body.radius) {
            standardExplosion(at, world);
            shot = world.projectiles.erase(shot);
            continue;
        }
        if (d <= range) shot->addVelocity(gravityPull(body, at, d, dt));
        ++shot;
    }
}

void pullShips(const celestialBody& body, WorldState& world, Universe& universe, int dt) {
    const float range = gravityRange(body);
    for (auto ship = world.ships.begin(); ship != world.ships.end();) {
        const point at = ship->getPos();
        const float d = pointDistance(body.centre, at);
        if (d <= body.radius) {
            standardExplosion(at, world);
            universe.removeShip(ship->getID());
            ship = world.ships.erase(ship);
            continue;
        }
        if (d <= range) {
            ship->registerCollidable(d - body.radius, towardsBody(body, at));
            ship->addGrav(gravityPull(body, at, d, dt));
        }
        ++ship;
    }
}

}  // namespace

float gravityRange(const celestialBody& body) { return body.radius * 10.0f * body.density / 1e-6f; }

// Without the guard a zero offset would turn into NaN and stay in the velocity for good.
point towardsBody(const celestialBody& body, point target) {
    const point offset{body.centre.x - target.x, body.centre.y - target.y};
    const float length = magnitude(offset);
    if (!(length > 0)) return {0, 0};
    return {offset.x / length, offset.y / length};
}

point gravityPull(const celestialBody& body, point target, float d, int dt) {
    if (!(d > 0)) return {0, 0};
    const point direction = towardsBody(body, target);
    // Data can make a body too heavy for a float: its pull is held at the largest one, as an
    // infinite pull times a direction component of 0 would be NaN and stay in the velocity.
    const float pull = body.mass / std::pow(d, 2.0f) * float(dt) * body.density;
    if (std::isnan(pull)) return {0, 0};
    const float held = std::clamp(pull, -LARGEST_PULL, LARGEST_PULL);
    return {direction.x * held, direction.y * held};
}

void pullShotsAndShips(const celestialBody& body, WorldState& world, Universe& universe, int dt) {
    pullShots(body, world, dt);
    pullShips(body, world, universe, dt);
}
