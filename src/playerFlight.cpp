// The player's flight: steering, the grav tool laying walls and recharging, motion and smoke.
#include "player.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "defaultVals.h"
#include "worldState.h"

namespace {

constexpr unsigned char LEFT_BUTTON = 1;   // SDL_BUTTON(1)
constexpr unsigned char RIGHT_BUTTON = 4;  // SDL_BUTTON(3)

// A counter that only ever grows by frame times must not overflow on a very long idle run.
int32_t addSaturating(int32_t value, int dt) { return saturatingInt(static_cast<double>(value) + dt); }

// Holds a coordinate inside +-bound; the speed along an axis whose bound was hit is lost.
void clampToBound(float& position, float& speed, float bound) {
    if (position > bound) {
        position = bound;
        speed = 0;
    } else if (position < -bound) {
        position = -bound;
        speed = 0;
    }
}

}  // namespace

void Player::update(int dt, point cursor, unsigned char buttons, WorldState& world) {
    if (isClear) canWarp = true;  // a wormhole clears isClear again while the ship is inside it
    isClear = true;
    for (uint32_t& cooling : gunCooling) cooling += static_cast<uint32_t>(dt);
    if (keysOn) {
        steer(dt, SDL_GetKeyState(nullptr));
        layWalls(dt, cursor, buttons, world);
    }
    if ((buttons & (LEFT_BUTTON | RIGHT_BUTTON)) == 0) recharge(dt);
    if (landedTimeout > 0) landedTimeout -= dt;
    if (landed) {  // the planet carries the ship; the smoke only keeps its place
        exhaustSmoke.update(getPos(), dt, getVelocity(), 0);
        return;
    }
    move(dt);
    emitSmoke(dt);
    wrapHeading();
}

void Player::steer(int dt, const unsigned char* keys) {
    if (keys[SDLK_d]) turnCW(dt);
    if (keys[SDLK_a]) turnCCW(dt);
    if (keys[SDLK_w]) {
        thrusting = 1.0f;
        forwardThrust(dt);
    } else {
        thrusting = 0.0f;
        if (keys[SDLK_s]) reverseThrust(dt);
    }
}

void Player::layWalls(int dt, point cursor, unsigned char buttons, WorldState& world) {
    const bool left = buttons & LEFT_BUTTON;
    const bool right = buttons & RIGHT_BUTTON;
    if (left && right) return;
    if (left && gravTool.left.cost <= gravCharge) lay(gravTool.left, leftDelay, dt, cursor, world);
    if (right && gravTool.right.cost <= gravCharge) lay(gravTool.right, rightDelay, dt, cursor, world);
}

// The charge drains every laying frame; a well is added only once the part's spacing has passed.
void Player::lay(const gravToolPart& part, int32_t& delay, int dt, point cursor, WorldState& world) {
    gravCharge = saturatingInt(gravCharge - static_cast<double>(dt) * part.cost);
    bool wallFound = false;
    for (GravityWall& wall : world.gravityWalls) {
        if (wall.getID() != activeGravNum) continue;
        wallFound = true;
        if (part.spacing <= delay) {
            delay = 0;
            wall.addWell(cursor);
            return;
        }
        delay = addSaturating(delay, dt);
    }
    if (wallFound) return;
    delay = 0;
    if (&part == &gravTool.left) std::cout << "ML" << gravTool.left.mass << std::endl;
    world.gravityWalls.emplace_back(activeGravNum, cursor, part, affordableWells(part));
}

// Only a reservation hint for the new wall: the charge is already drained for this frame and
// may be negative, and a free part has no count at all.
int Player::affordableWells(const gravToolPart& part) const {
    if (part.cost <= 0) return 1;
    return std::max(1, saturatingInt(gravCharge / static_cast<double>(part.cost) + 1));
}

void Player::recharge(int dt) {
    leftDelay = addSaturating(leftDelay, dt);
    rightDelay = addSaturating(rightDelay, dt);
    gravCharge = saturatingInt(gravCharge + static_cast<double>(dt) * gravTool.rechargeSpeed);
    if (gravCharge > gravTool.charge) gravCharge = saturatingInt(gravTool.charge);
}

void Player::move(int dt) {
    x += dt * xSpd;
    y += dt * ySpd;
    clampToBound(x, xSpd, XBOUND);
    clampToBound(y, ySpd, YBOUND);
}

// The smoke leaves from a point behind the ship, further and faster under thrust.
void Player::emitSmoke(int dt) {
    const double a = theta + 1.57;
    const bool burning = thrusting == 1.0f;
    const double back = burning ? 60 : 50;
    const double speed = (burning ? 1.3 * 300 : 300) * static_cast<double>(thrust);
    const point emit{static_cast<float>(x - back * std::sin(a)), static_cast<float>(y + back * std::cos(a))};
    const point velocity{static_cast<float>(xSpd - speed * std::sin(a)),
                         static_cast<float>(ySpd + speed * std::cos(a))};
    exhaustSmoke.update(emit, dt, velocity, burning ? 20 : 10);
}

// One step per frame, and only past 6.29318, so a heading just over a full turn stays.
void Player::wrapHeading() {
    if (theta < 0)
        theta += 6.28318f;
    else if (theta > 6.29318f)
        theta -= 6.28318f;
}

void Player::turnCW(int dt) {
    if (!landed) theta -= turnSpeed * dt;
}

void Player::turnCCW(int dt) {
    if (!landed) theta += turnSpeed * dt;
}

void Player::forwardThrust(int dt) {
    if (landedTimeout >= 1) return;
    if (landed) {
        landed = false;
        exhaustSmoke.setVisibility(true);
        planetId = -1;
        dt = addSaturating(launchBoost, dt);
        launchBoost = 0;
    }
    xSpd += std::cos(theta) * thrust * dt;
    ySpd += std::sin(theta) * thrust * dt;
}

void Player::reverseThrust(int dt) {
    if (landed) {
        launchBoost = addSaturating(launchBoost, dt);
        return;
    }
    xSpd -= std::cos(theta) * revThrust * dt;
    ySpd -= std::sin(theta) * revThrust * dt;
}

int Player::getGravCharge() const { return gravCharge; }
