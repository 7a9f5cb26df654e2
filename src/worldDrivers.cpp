// The per-frame drivers that run the entity lists of the player's world.
#include "worldDrivers.h"

#include <cmath>
#include <iterator>

#include "player.h"
#include "universe.h"
#include "worldState.h"

namespace {

constexpr float SEPARATION_PUSH = 0.001f;

void updateShips(Universe& universe, WorldState& world, Player* player, int dt, int time) {
    std::list<Ship>& ships = world.ships;
    for (auto it = ships.begin(); it != ships.end();) {
        if (it->update(dt, time, universe, player)) {
            it->draw();
            ++it;
        } else {
            universe.removeShip(it->getID());
            it = ships.erase(it);
        }
    }
}

// Written so that a NaN position fails both tests and pushes no NaN into its neighbours.
void separate(Ship& a, Ship& b) {
    const float r = a.getSize() + b.getSize();
    const point pa = a.getPos(), pb = b.getPos();
    const float squared = sqPointDistance(pa, pb);
    if (!(squared <= r * r)) return;
    const float dist = std::sqrt(squared);
    if (!(dist > 0)) return;
    const float k = SEPARATION_PUSH * (1 - dist / r) / dist;
    const point push{(pb.x - pa.x) * k, (pb.y - pa.y) * k};
    b.addGravNonCollidable(push);
    a.addGravNonCollidable({-push.x, -push.y});
}

// Every unordered pair once: each ship with every ship before it.
void separateShips(std::list<Ship>& ships) {
    for (auto a = ships.begin(); a != ships.end(); ++a)
        for (auto b = ships.begin(); b != a; ++b) separate(*a, *b);
}

}  // namespace

void processProjectiles(WorldState& world, Universe& universe, int dt, int time) {
    std::list<Projectile>& shots = world.projectiles;
    for (auto it = shots.begin(); it != shots.end();)
        it = it->update(dt, world, universe, time) ? std::next(it) : shots.erase(it);
}

void processStars(WorldState& world, Player* player, int dt, Universe& universe) {
    for (size_t i = 0; i < world.stars.size(); ++i) world.stars[i].update(world, player, dt, universe);
}

void processShips(Universe& universe, Player* player, int dt, int time) {
    WorldState* world = universe.playerWorld();
    if (!world) return;
    updateShips(universe, *world, player, dt, time);
    if (universe.currentWorld) separateShips(universe.currentWorld->ships);
}

// A warp neither stops the pass nor moves it on to the new world: the rest of the old
// world's wormholes are still drawn in this frame.
void processWormholes(Universe& universe, int time) {
    WorldState* world = universe.playerWorld();
    if (!world) return;
    for (Wormhole& hole : world->wormholes) hole.update(universe, time);
}
