// Stand-ins for the parts of the game still being built: each gives the empty
// world's answer and goes when its real part lands at the same call site.
#pragma once

#include <string>
#include <vector>

#include "basics.h"
#include "hud.h"

struct MainState;

// The frame.

// Universe::saveGame (slot); whether the slot was written.
bool saveGame(MainState& s, const std::string& slot);
// Universe::loadGame (slot, Lua state).
void loadGame(MainState& s, const std::string& slot);
// uiEvent (universe, values, fonts, Lua state): the script's addUI receives the values.
void uiEvent(MainState& s, const std::vector<float>& values);
// Every interface display's mouseClick (cursor, universe, Lua state).
void clickDisplays(MainState& s);
// Every interface display's mouseHover (cursor).
void hoverDisplays(MainState& s);
// Every interface display's mouseDrag (cursor, frame time, universe, Lua state).
void dragDisplays(MainState& s);
// The player's shoot (lastTicks, player's world, target, frame time).
void playerShoot(MainState& s, point target);
// processWormholes (universe, lastTicks).
void processWormholes(MainState& s);
// processProjectiles (player's world, universe, frame time, lastTicks).
void processProjectiles(MainState& s);
// runTimer (lastTicks, player's world).
void runTimer(MainState& s);
// processStars (player's world, player, frame time, universe).
void processStars(MainState& s);
// processShips (universe, player, frame time, lastTicks).
void processShips(MainState& s);
// mouseover (universe, target, first font, frame time).
void mouseover(MainState& s, point target);
// Each interface display's draw then update; a display left empty is erased.
void runDisplays(MainState& s);
// topLeftUI (player's world, player): the close radar.
void topLeftUI(MainState& s);
// topRightUI (player's world, player): the system map.
void topRightUI(MainState& s);
