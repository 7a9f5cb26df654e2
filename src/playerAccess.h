// The player and its world as the frame and the bindings find them, afresh at each use.
#pragma once

#include "basics.h"

class Player;
class WorldState;
struct MainState;

// The universe's player; null while there is no universe or no player.
Player* livePlayer(const MainState& s);
// The world at the player's world index; null without a player or with an index
// that names no world.
WorldState* playerWorld(const MainState& s);
// The player's position; (0, 0) while there is no player.
point playerPosition(const MainState& s);
