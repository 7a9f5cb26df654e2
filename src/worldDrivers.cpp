// The per-frame drivers that run the entity lists of the player's world.
#include "worldDrivers.h"

void processProjectiles(WorldState&, Universe&, int, int) {}

void processStars(WorldState&, Player*, int, Universe&) {}

void processShips(Universe&, Player*, int, int) {}

void processWormholes(Universe&, int) {}
