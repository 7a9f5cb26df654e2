// The timed effects: explosions that only draw and shockwaves that also damage the ships inside them.
#include "timerClasses.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>

#include "projectile.h"
#include "shipGrid.h"
#include "spriteBatch.h"
#include "textures.h"
#include "worldState.h"

namespace {

constexpr int EXPLOSION_TEXTURE = 3;
constexpr int SHOCKWAVE_TEXTURE = 7;
constexpr int EXPLOSION_MS = 1000;
constexpr float RING_SCALE = 1.56f;
// Shockwaves deal the damage of this projectile type per ms.
constexpr std::size_t SHOCKWAVE_DAMAGE_TYPE = 2;

// Per ms of contact; a data set without the type deals none, and says so once.
float shockwaveDamage() {
    if (SHOCKWAVE_DAMAGE_TYPE < WEAPONDATA.size()) return WEAPONDATA[SHOCKWAVE_DAMAGE_TYPE].damage;
    static bool told = false;
    if (!told) std::cout << "Error, no projectile type 2 for shockwave damage, shockwaves deal none" << std::endl;
    told = true;
    return 0;
}

}  // namespace

TExplosion::TExplosion(int startTime, int duration, point position)
    : startTime(startTime), duration(duration), position(position) {}

void TExplosion::execute(int now, WorldState&) {
    const unsigned int texture = textureAt(EXPLOSION_TEXTURE);
    const float s = static_cast<float>(startTime + duration - now) / static_cast<float>(duration) * size;
    drawSprite(texture, position, s, static_cast<float>((now - startTime) * 360 / 1000));
    drawSprite(texture, position, s, static_cast<float>((startTime - now) * 360 / 2000));
}

TShockwave::TShockwave(int growth, int startTime, int duration, point position)
    : startTime(startTime), duration(duration), growth(growth), position(position), angle(std::rand() % 360),
      lastTime(startTime) {}

void TShockwave::execute(int now, WorldState& world) {
    const float r = radius(now);
    draw(r);
    const int step = now - lastTime;
    lastTime = now;
    damageShipsWithin(r, step, world);
}

float TShockwave::radius(int now) const {
    return static_cast<float>(growth * (now - startTime)) / static_cast<float>(duration) * RING_SCALE;
}

void TShockwave::draw(float r) const {
    drawSprite(textureAt(SHOCKWAVE_TEXTURE), position, r, static_cast<float>(angle));
}

// The player is not damaged; a ship's death follows in its own update. Each ship takes its damage
// apart from the others, so the grid's order of visits gives the same hit points.
void TShockwave::damageShipsWithin(float r, int step, WorldState& world) const {
    const float reach = static_cast<float>(pixelToGame(r));
    const float damage = shockwaveDamage() * static_cast<float>(step);
    const auto hurt = [&](Ship& ship) {
        if (pointDistance(ship.getPos(), position) < reach) ship.takeDamage(damage);
    };
    if (world.shipGrid)
        world.shipGrid->forEachNear(position, position, reach, [&hurt](Ship& ship, uint32_t) { hurt(ship); });
    else
        for (Ship& ship : world.ships) hurt(ship);
}

void standardExplosion(point p, WorldState& world, int time) {
    auto* explosion = new TExplosion(time, EXPLOSION_MS, p);
    explosion->start = 0;
    explosion->end = time + EXPLOSION_MS;
    world.timers.push_back(explosion);
}

void standardExplosion(point p, WorldState& world) { standardExplosion(p, world, static_cast<int>(SDL_GetTicks())); }
