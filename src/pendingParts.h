// Stand-ins for the parts of the game still being built: each gives the empty
// world's answer and goes when its real part lands at the same call site.
#pragma once

#include <string>

#include "basics.h"
#include "hud.h"

struct MainState;

// The frame.

// Universe::saveGame (slot); whether the slot was written.
bool saveGame(MainState& s, const std::string& slot);
// Universe::loadGame (slot, Lua state).
void loadGame(MainState& s, const std::string& slot);
// The player's shoot (lastTicks, player's world, target, frame time).
void playerShoot(MainState& s, point target);
// runTimer (lastTicks, player's world).
void runTimer(MainState& s);
// mouseover (universe, target, first font, frame time).
void mouseover(MainState& s, point target);
// topLeftUI (player's world, player): the close radar.
void topLeftUI(MainState& s);
// topRightUI (player's world, player): the system map.
void topRightUI(MainState& s);
