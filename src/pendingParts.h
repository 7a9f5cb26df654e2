// Stand-ins for the parts of the game still being built: each gives the empty
// world's answer and goes when its real part lands at the same call site.
#pragma once

#include "basics.h"
#include "hud.h"

struct MainState;

// The frame.

// The player's shoot (lastTicks, player's world, target, frame time).
void playerShoot(MainState& s, point target);
// runTimer (lastTicks, player's world).
void runTimer(MainState& s);
