// Stand-ins for the parts of the game still being built: each gives the empty
// world's answer and goes when its real part lands at the same call site.
#pragma once

struct MainState;

// Start-up.

// initLua (universe, Lua state): host functions, registry entries, first addUI.
void initLua(MainState& s);

