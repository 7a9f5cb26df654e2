// An AI ship's frame: death and ram, the AI's target point, steering around bodies, motion and trail.
#include "ship.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "defaultVals.h"
#include "planet.h"
#include "player.h"
#include "shipGrid.h"
#include "sprites.h"
#include "timerClasses.h"
#include "universe.h"
#include "viewCulling.h"
#include "worldState.h"

namespace {

constexpr float RAM_DISTANCE = 50.0f;
constexpr float NEAR_ARRIVAL = 10.0f;
constexpr float FOLLOW_ARRIVAL = 1250.0f / 2;
constexpr float FAR_ARRIVAL = 1250.0f;
constexpr float AVOID_DISTANCE = 1000.0f;
constexpr double DRAG_PER_MS = 0.0005;

// A long frame (the first spans all of start-up) must slow a ship to a stop, not reverse it.
float dragFactor(int dt) { return static_cast<float>(std::max(0.0, 1 - dt * DRAG_PER_MS)); }

point scaled(point v, float k) { return {v.x * k, v.y * k}; }
point plus(point a, point b) { return {a.x + b.x, a.y + b.y}; }

// Holds a coordinate inside +-bound, losing only the outward part of the speed.
void clampToBound(float& position, float& speed, float bound) {
    if (position > bound) {
        position = bound;
        if (speed > 0) speed = 0;
    } else if (position < -bound) {
        position = -bound;
        if (speed < 0) speed = 0;
    }
}

}  // namespace

bool Ship::update(int dt, int, Universe& universe, Player* player) {
    if (!universe.currentWorld) return true;
    WorldState& world = *universe.currentWorld;
    for (uint32_t& cooling : gunCooling) cooling += static_cast<uint32_t>(dt);
    if (hitpoints <= 0) {
        standardExplosion(pos, world);
        return false;
    }
    if (player && pointDistance(player->getPos(), pos) < RAM_DISTANCE) {
        player->takeDamage(hitpoints / 2);
        return false;
    }
    float arrival = FAR_ARRIVAL;
    const point target = targetPoint(universe, player, arrival);
    guideLine(target, pos);
    steer(target, arrival, dt);
    if (!weapons.empty()) fireWeapons(dt, universe, player, world);
    move(dt);
    glowTrail.update(pos, dt);
    glowTrail.draw(pos);
    gravAccumulator = {0, 0};
    collidables.clear();
    return true;
}

point Ship::targetPoint(Universe& universe, const Player* player, float& arrival) {
    switch (aiType) {
        case 0:
            arrival = NEAR_ARRIVAL;
            return pos;
        case 1:
            arrival = NEAR_ARRIVAL;
            return goTo;
        case 2: {
            arrival = FOLLOW_ARRIVAL;
            const Ship* followed = followedShip(universe, *universe.currentWorld);
            return followed ? followed->pos : pos;
        }
        case 3: {
            const Planet* planet = universe.getPlanet(destinationPlanet);
            if (planet) return planet->getPos();
            std::cout << "Planet missing, moving to stationary AI type" << std::endl;
            aiType = 0;
            return pos;
        }
        case 4:
            return player ? player->getPos() : pos;
        default:
            std::cout << "Invalid AI mode set: " << aiType << std::endl;
            return pos;
    }
}

// A ship of another world is as lost to this one as a destroyed ship.
const Ship* Ship::followedShip(Universe& universe, const WorldState& world) {
    const Ship* followed = universe.getShip(destinationShip);
    const auto isFollowed = [followed](const Ship& ship) { return &ship == followed; };
    const bool here = world.shipGrid ? world.shipGrid->firstWithID(destinationShip, isFollowed) != nullptr
                                     : std::any_of(world.ships.begin(), world.ships.end(), isFollowed);
    if (followed && here) return followed;
    std::cout << "Ship missing, moving to stationary AI type" << std::endl;
    aiType = 0;
    return nullptr;
}

// A thrust of 0 or one not finite, or no direction to the target, would make a steering term NaN
// for good: the ship only drifts then. A negative thrust is usable and steers in reverse.
void Ship::steer(point target, float arrival, int dt) {
    const point toTarget{target.x - pos.x, target.y - pos.y};
    const float d = magnitude(toTarget);
    point A{0, 0};
    if (thrust != 0 && std::isfinite(thrust) && d > 0) {
        const point D = scaled(toTarget, 1 / d);
        const float away = d > arrival ? 1.0f : -1.0f;
        if (gravAccumulator.x == 0 && gravAccumulator.y == 0) {
            A = scaled(D, away * thrust);
        } else {
            float p = 0, k = 0;
            A = avoidance(p, k);
            const float a = magnitude(A);
            // A negative thrust turns A round; an A of 0 has no direction to turn.
            if (a > 0 && a > thrust) A = scaled(A, thrust / a);
            if (1 - p - k > 0) A = plus(A, scaled(D, away * (thrust - a)));
        }
    }
    const float drag = dragFactor(dt);
    velocity = plus(scaled(velocity, drag), scaled(A, static_cast<float>(dt)));
    if (A.x != 0 || A.y != 0) calcTheta(A);
}

// Away from the nearest body within reach, against the pull and against the motion that goes with it.
point Ship::avoidance(float& p, float& k) const {
    point V{-gravAccumulator.x, -gravAccumulator.y};
    point A{0, 0};
    const collidableData* nearest = nullptr;
    for (const collidableData& body : collidables)
        if (body.surfaceDistance > 0 && body.surfaceDistance < AVOID_DISTANCE &&
            (!nearest || body.surfaceDistance < nearest->surfaceDistance))
            nearest = &body;
    if (nearest) {
        k = (AVOID_DISTANCE - nearest->surfaceDistance) / AVOID_DISTANCE;
        A = scaled(nearest->direction, -k * thrust);
    }
    const double c = std::cos(std::atan2(static_cast<double>(velocity.y), -static_cast<double>(velocity.x)) -
                              std::atan2(static_cast<double>(gravAccumulator.y), -static_cast<double>(gravAccumulator.x)));
    if (c > 0) V = plus(V, scaled(velocity, -static_cast<float>(c) * 0.0003f));
    const float strength = magnitude(V);
    p = std::pow(strength / thrust * 5, 5.0f);
    if (strength == 0) return A;
    const point against = scaled(V, 1 / strength);
    const point pushed = plus(A, scaled(against, p * thrust));
    // A pull too strong to express still points the ship straight against it.
    if (!std::isfinite(pushed.x) || !std::isfinite(pushed.y)) return scaled(against, thrust);
    return pushed;
}

void Ship::move(int dt) {
    velocity = plus(velocity, gravAccumulator);
    pos = plus(pos, scaled(velocity, static_cast<float>(dt)));
    clampToBound(pos.x, velocity.x, XBOUND);
    clampToBound(pos.y, velocity.y, YBOUND);
}

void Ship::draw() const {
    if (squareOffView(pos, size)) {
        glBindTexture(GL_TEXTURE_2D, 0);
        return;
    }
    glPushMatrix();
    reportError();
    glTranslatef(pos.x, pos.y, 0);
    glRotatef(theta * DEGREES_PER_RADIAN_COARSE, 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    reportError();
    spriteQuad(size);
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}
