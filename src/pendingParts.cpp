// Stand-ins for the parts of the game still being built.
#include "pendingParts.h"

#include <lua.hpp>

#include <iostream>

#include "gameMain.h"

// Saying so beats a silent key: the player must not believe the game was kept.
bool saveGame(MainState&, const std::string& slot) {
    std::cout << "Saved games are not available yet: slot " << slot << " not saved" << std::endl;
    return false;
}

void loadGame(MainState&, const std::string& slot) {
    std::cout << "Saved games are not available yet: slot " << slot << " not loaded" << std::endl;
}

// The script gets the event's values; what it answers opens nothing until displays exist.
void uiEvent(MainState& s, const std::vector<float>& values) {
    if (!s.lua || values.empty()) return;
    const int top = lua_gettop(s.lua);
    lua_getglobal(s.lua, "addUI");
    for (float v : values) lua_pushnumber(s.lua, v);
    if (lua_pcall(s.lua, int(values.size()), LUA_MULTRET, 0) != 0)
        std::cout << "Lua event error, " << lua_tostring(s.lua, -1) << std::endl;
    lua_settop(s.lua, top);
}

void clickDisplays(MainState&) {}
void hoverDisplays(MainState&) {}
void dragDisplays(MainState&) {}
void playerShoot(MainState&, point) {}
void processWormholes(MainState&) {}
void processProjectiles(MainState&) {}
void runTimer(MainState&) {}
void processStars(MainState&) {}
void processShips(MainState&) {}
void mouseover(MainState&, point) {}
void runDisplays(MainState&) {}
void topLeftUI(MainState&) {}
void topRightUI(MainState&) {}
