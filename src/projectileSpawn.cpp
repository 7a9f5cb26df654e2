// Firing a projectile type's shots with their fan, and the events a shot fires when it ends.
#include "projectile.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

#include "timerClasses.h"
#include "worldState.h"

namespace {

constexpr int SHOCKWAVE_GROWTH = 200;
constexpr int SHOCKWAVE_MS = 2000;
constexpr float RANDOM_STEPS_PER_RADIAN = 50.0f;

// The heading of shot i of count: an even fan, a random one in fiftieths of a radian, or none.
float fanHeading(const projectileData& type, float theta, int i) {
    const int count = type.numProjectiles;
    if (type.spread == 0) return theta;
    const float edge = theta - type.spread / 2;
    if (type.uniformSpread && count > 1) return edge + type.spread / static_cast<float>(count - 1) * i;
    // A spread below one step has no room for a random offset (and must not divide by 0).
    const int steps = saturatingInt(type.spread * RANDOM_STEPS_PER_RADIAN);
    if (steps == 0) return edge;
    return edge + static_cast<float>(std::rand() % steps) / RANDOM_STEPS_PER_RADIAN;
}

}  // namespace

bool projectileEvent(WorldState& world, point p, int code, int time) {
    if (code == 1) {
        auto* wave = new TShockwave(SHOCKWAVE_GROWTH, time, SHOCKWAVE_MS, p);
        wave->start = 0;
        wave->end = time + SHOCKWAVE_MS;
        addTimer(wave, world);
    } else if (code != 0) {
        std::cout << "Bad eventNum value in projectileEvent " << code << std::endl;
    }
    return false;
}

void projectileSpawn(int type, point velocity, point pos, point aim, WorldState& world, short faction,
                     unsigned int shooter) {
    const float dx = aim.x - pos.x;
    const float dy = aim.y - pos.y;
    const float theta = (dx == 0 && dy == 0) ? 0.0f : 1.57f - std::atan2(dy, dx);
    projectileSpawn(type, velocity, pos, theta, world, faction, shooter);
}

void projectileSpawn(int type, point velocity, point pos, float theta, WorldState& world, short faction,
                     unsigned int shooter) {
    if (!isProjectileType(type)) {
        std::cout << "Error, spawning unknown projectile type " << type << std::endl;
        return;
    }
    const projectileData& data = WEAPONDATA[type];
    for (int i = 0; i < data.numProjectiles; i++)
        world.projectiles.emplace_front(pos, fanHeading(data, theta, i), world, type, velocity.x, velocity.y,
                                        faction, std::vector<short>(), shooter);
}
