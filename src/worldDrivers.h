// The per-frame drivers that run the entity lists of the player's world.
#pragma once

class Player;
class Universe;
class WorldState;

// Updates (and so draws) every shot of the world in list order, erasing each
// one that reports itself finished before the next one moves.
void processProjectiles(WorldState& world, Universe& universe, int dt, int time);
// Updates every star of the world by index: its planets and satellites, its pull, its sprite.
void processStars(WorldState& world, Player* player, int dt, Universe& universe);
// Updates and draws every ship of the player's world, erasing the dead ones,
// then pushes overlapping ships apart.
void processShips(Universe& universe, Player* player, int dt, int time);
// Updates every wormhole the player's world holds when the pass starts.
void processWormholes(Universe& universe, int time);
