// The per-frame drivers that run the entity lists of the player's world.
#include "worldDrivers.h"

#include <cmath>
#include <iterator>

#include "player.h"
#include "prefetch.h"
#include "shipGrid.h"
#include "spriteBatch.h"
#include "universe.h"
#include "viewCulling.h"
#include "worldState.h"

namespace {

constexpr float SEPARATION_PUSH = 0.001f;
// Cells for the AI's look-up of hostiles within 2000 and for the shots' short paths and lock ranges.
constexpr float TARGET_CELL = 500.0f;
constexpr float SHOT_CELL = 256.0f;

// Each ship moves in its own update, so the grid learns where it went before the next one looks.
void updateShips(Universe& universe, WorldState& world, Player* player, int dt, int time) {
    const ViewCulling culling;
    ShipGridLoan loan(world, TARGET_CELL);
    ShipGrid* grid = loan.get();
    std::list<Ship>& ships = world.ships;
    uint32_t order = 0;
    for (auto it = ships.begin(); it != ships.end(); order++) {
        prefetchNext(ships, it);
        if (it->update(dt, time, universe, player)) {
            it->draw();
            if (grid) grid->moved(order, it->getPos());
            ++it;
        } else {
            if (grid) grid->erased(order);
            universe.removeShip(it->getID());
            it = ships.erase(it);
        }
    }
}

// Written so that a NaN position fails both tests and pushes no NaN into its neighbours.
void separateAt(Ship& a, point pa, float sizeA, Ship& b, point pb, float sizeB) {
    const float r = sizeA + sizeB;
    const float squared = sqPointDistance(pa, pb);
    if (!(squared <= r * r)) return;
    const float dist = std::sqrt(squared);
    if (!(dist > 0)) return;
    const float k = SEPARATION_PUSH * (1 - dist / r) / dist;
    const point push{(pb.x - pa.x) * k, (pb.y - pa.y) * k};
    b.addGravNonCollidable(push);
    a.addGravNonCollidable({-push.x, -push.y});
}

void separate(Ship& a, Ship& b) { separateAt(a, a.getPos(), a.getSize(), b, b.getPos(), b.getSize()); }

// Every unordered pair once: each ship with every ship before it.
void separateShips(std::list<Ship>& ships) {
    for (auto a = ships.begin(); a != ships.end(); ++a)
        for (auto b = ships.begin(); b != a; ++b) separate(*a, *b);
}

// The same pairs in the same order, so that every ship's pushes add up in the same order; the
// grid's copies of positions and sizes are the ships' own, as the pass moves no ship, and reading
// them spares a walk over the ships' scattered nodes.
void separateNearShips(const ShipGrid& grid) {
    for (uint32_t order = 0; order < grid.listed(); order++) {
        const ShipGrid::Entry& a = grid.inOrder(order);
        const float reach = std::fabs(a.size) + grid.largestSize();
        for (const ShipGrid::Entry& b : grid.nearInOrder(a.pos, a.pos, reach)) {
            if (b.order >= order) break;
            separateAt(*a.ship, a.pos, a.size, *b.ship, b.pos, b.size);
        }
    }
}

void separateOverlapping(WorldState& world) {
    ShipGridLoan loan(world, 0);
    if (loan.get())
        separateNearShips(*loan.get());
    else
        separateShips(world.ships);
}

}  // namespace

void processProjectiles(WorldState& world, Universe& universe, int dt, int time) {
    const ShipGridLoan grid(world, SHOT_CELL);
    const ViewCulling culling;
    const SpriteBatch batch;
    std::list<Projectile>& shots = world.projectiles;
    for (auto it = shots.begin(); it != shots.end();) {
        prefetchNext(shots, it);
        it = it->update(dt, world, universe, time) ? std::next(it) : shots.erase(it);
    }
}

void processStars(WorldState& world, Player* player, int dt, Universe& universe) {
    for (size_t i = 0; i < world.stars.size(); ++i) world.stars[i].update(world, player, dt, universe);
}

void processShips(Universe& universe, Player* player, int dt, int time) {
    WorldState* world = universe.playerWorld();
    if (!world) return;
    updateShips(universe, *world, player, dt, time);
    if (universe.currentWorld) separateOverlapping(*universe.currentWorld);
}

// A warp neither stops the pass nor moves it on to the new world: the rest of the old
// world's wormholes are still drawn in this frame.
void processWormholes(Universe& universe, int time) {
    WorldState* world = universe.playerWorld();
    if (!world) return;
    for (Wormhole& hole : world->wormholes) hole.update(universe, time);
}
