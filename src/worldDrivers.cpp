// The per-frame drivers that run the entity lists of the player's world.
#include "worldDrivers.h"

#include "universe.h"
#include "worldState.h"

void processProjectiles(WorldState&, Universe&, int, int) {}

void processStars(WorldState& world, Player* player, int dt, Universe& universe) {
    for (size_t i = 0; i < world.stars.size(); ++i) world.stars[i].update(world, player, dt, universe);
}

void processShips(Universe&, Player*, int, int) {}

// A warp neither stops the pass nor moves it on to the new world: the rest of the old
// world's wormholes are still drawn in this frame.
void processWormholes(Universe& universe, int time) {
    WorldState* world = universe.playerWorld();
    if (!world) return;
    for (Wormhole& hole : world->wormholes) hole.update(universe, time);
}
