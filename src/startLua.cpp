// The script's side of the game: registry entries, the host functions and the first addUI.
#include "startLua.h"

#include <SDL.h>
#include <lua.hpp>

#include <iostream>

#include "basics.h"
#include "basicsLua.h"
#include "player.h"
#include "startLuaData.h"
#include "universe.h"

namespace {

constexpr double MAX_WINDOW_SIDE = 32767;  // SDL 1.2 keeps window sides in 16 bits
const char* const RESIZE_WIDTH_KEY = "iResizeWidth";
const char* const RESIZE_HEIGHT_KEY = "iResizeHeight";

void setRegistry(lua_State* L, const std::string& key) { lua_setfield(L, LUA_REGISTRYINDEX, key.c_str()); }

// A load replaces the Player, so the host functions look it up at each call
// instead of keeping the addresses published at start-up.
Player* livePlayer(lua_State* L) {
    Universe* universe = luaUniverse(L);
    return universe ? universe->player.get() : nullptr;
}

int getPlayerWorld(lua_State* L) {
    const Player* player = livePlayer(L);
    lua_pushnumber(L, player ? player->getWorld() : 0);
    return 1;
}

int getIsPlayerLanded(lua_State* L) {
    const Player* player = livePlayer(L);
    lua_pushnumber(L, player && player->isLanded() ? 1 : 0);
    return 1;
}

int getPlayerLandedPlanetId(lua_State* L) {
    const Player* player = livePlayer(L);
    lua_pushnumber(L, player ? player->getPlanetId() : -1);
    return 1;
}

int testRetrieve(lua_State* L) {
    lua_pushnumber(L, getLuaFloat(L, "testVal"));
    return 1;
}

int testSet(lua_State* L) {
    std::cout << "Setting to" << saturatingInt(lua_tonumber(L, 1)) << std::endl;
    return 0;
}

void setKeys(lua_State* L, bool on) {
    if (Player* player = livePlayer(L)) player->setInput(on);
}

int disableKeys(lua_State* L) {
    setKeys(L, false);
    return 0;
}

int enableKeys(lua_State* L) {
    setKeys(L, true);
    return 0;
}

int debugDisplay(lua_State* L) {
    const int type = lua_type(L, 1);
    if (type == LUA_TSTRING || type == LUA_TNUMBER) {
        std::cout << "Lua debug:";
        luaDisplay(L, 1);
        std::cout << ":" << std::endl;
    } else {
        std::cout << "Lua display debug called, but non-string passed.  Type: " << lua_typename(L, type) << std::endl;
    }
    return 0;
}

int testPass(lua_State* L) {
    lua_newtable(L);
    pushStringOnTable(L, "name", "This is my name");
    pushFloatOnTable(L, "price", 70);
    return 1;
}

int getAvailableResolutions(lua_State* L) {
    SDL_Rect** modes = SDL_ListModes(nullptr, SDL_FULLSCREEN | SDL_HWSURFACE);
    lua_newtable(L);
    if (!modes) {
        std::cout << "No resize modes available!" << std::endl;
        return 1;
    }
    if (modes == reinterpret_cast<SDL_Rect**>(-1)) {
        std::cout << "All resolutions available.  Actually an error.  This should never happen?" << std::endl;
        return 1;
    }
    std::cout << "Available Modes" << std::endl;
    for (int i = 0; modes[i]; ++i) {
        std::cout << "  " << modes[i]->w << " x " << modes[i]->h << std::endl;
        lua_pushnumber(L, i + 1);
        lua_newtable(L);
        pushFloatOnTable(L, "height", modes[i]->h);
        pushFloatOnTable(L, "width", modes[i]->w);
        lua_settable(L, -3);
    }
    return 1;
}

bool validWindowSide(double side) { return side >= 1 && side <= MAX_WINDOW_SIDE; }  // false for NaN

// Saving and reloading here would destroy the displays or planets whose script
// call is still running, so the request waits for the end of the display pass.
int resize(lua_State* L) {
    const double width = lua_tonumber(L, 1);
    const double height = lua_tonumber(L, 2);
    if (!validWindowSide(width) || !validWindowSide(height)) {
        std::cout << "Refused window size " << width << " x " << height << ": each side must be 1 to "
                  << MAX_WINDOW_SIDE << std::endl;
        return 0;
    }
    lua_pushnumber(L, saturatingInt(width));
    setRegistry(L, RESIZE_WIDTH_KEY);
    lua_pushnumber(L, saturatingInt(height));
    setRegistry(L, RESIZE_HEIGHT_KEY);
    return 0;
}

struct hostFunction {
    const char* name;
    lua_CFunction function;
};

const hostFunction HOST_FUNCTIONS[] = {
    {"getPlayerWorld", getPlayerWorld},
    {"getIsPlayerLanded", getIsPlayerLanded},
    {"getPlayerLandedPlanetId", getPlayerLandedPlanetId},
    {"getDecodedPlanetName", decodePlanetName},
    {"getVal", testRetrieve},
    {"setVal", testSet},
    {"getPlanetTradeGoods", getPlanetTradeGoods},
    {"getPlanetEquipment", getPlanetEquipment},
    {"disablePlayerInput", disableKeys},
    {"enablePlayerInput", enableKeys},
    {"debugDisplay", debugDisplay},
    {"testPass", testPass},
    {"getPlanetData", getPlanetData},
    {"setPlanetData", setPlanetData},
    {"spawnShip", spawnShip},
    {"getAvailableResolutions", getAvailableResolutions},
    {"resize", resize},
    {"getFactionName", getFactionName},
    {"getWorldData", getWorldData},
    {"getFactionData", getFactionData},
};

void publishGame(Universe& universe, lua_State* L) {
    lua_pushlightuserdata(L, &universe);
    setRegistry(L, "thisUniverse");
    if (Player* player = universe.player.get()) {
        registryInsert(L, player->getWorldPointer(), "iPlayerWorld");
        registryInsert(L, player->getLandedPointer(), "bIsPlayerLanded");
        registryInsert(L, player->getPlanetIdPointer(), "bPlayerLandedPlanetId");
        registryInsert(L, player->getInputPointer(), "bPlayerInputMode");
    }
    lua_pushlightuserdata(L, universe.universeRoot);
    setRegistry(L, "XMLUniverse");
    std::cout << "Add:" << static_cast<const void*>(universe.universeRoot) << std::endl;
}

// Stored raw: a guard the script put on its globals runs no code here, where no protected call catches its errors.
void registerHostFunctions(lua_State* L) {
    for (const hostFunction& host : HOST_FUNCTIONS) {
        lua_pushstring(L, host.name);
        lua_pushcclosure(L, host.function, 0);
        lua_rawset(L, LUA_GLOBALSINDEX);
    }
}

// Whatever addUI returns is dropped: the stack must be empty for the first event.
void callFirstAddUI(lua_State* L) {
    const int top = lua_gettop(L);
    pushGlobalCaller(L, "addUI");
    if (lua_pcall(L, 0, LUA_MULTRET, 0) != 0) std::cout << "Lua event error, " << luaErrorText(L) << std::endl;
    lua_settop(L, top);
}

// A registry number the script's resize stored, then forgotten.
bool takeRegistryInt(lua_State* L, const char* key, int& value) {
    lua_getfield(L, LUA_REGISTRYINDEX, key);
    const bool present = lua_isnumber(L, -1) != 0;
    if (present) value = saturatingInt(lua_tonumber(L, -1));
    lua_pop(L, 1);
    lua_pushnil(L);
    lua_setfield(L, LUA_REGISTRYINDEX, key);
    return present;
}

}  // namespace

// Registration allocates, and a script's finaliser can raise at any allocation.
void initLua(Universe& universe, lua_State* L) {
    runProtected(L, [&] {
        publishGame(universe, L);
        registerHostFunctions(L);
        callFirstAddUI(L);
    }, "Lua event error, ");
}

void registryInsert(lua_State* L, int32_t* value, const std::string& key) {
    lua_pushlightuserdata(L, value);
    setRegistry(L, key);
}

void registryInsert(lua_State* L, bool* value, const std::string& key) {
    lua_pushlightuserdata(L, value);
    setRegistry(L, key);
}

void registryInsert(lua_State* L, float& value, const std::string& key) {
    lua_pushlightuserdata(L, &value);
    setRegistry(L, key);
}

void registryInsert(lua_State* L, const char* value, const std::string& key) {
    lua_pushstring(L, value);
    setRegistry(L, key);
}

float getLuaFloat(lua_State* L, const std::string& key) {
    lua_getfield(L, LUA_REGISTRYINDEX, key.c_str());
    const float* value = static_cast<const float*>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return value ? *value : 0.0f;
}

Universe* luaUniverse(lua_State* L) {
    lua_getfield(L, LUA_REGISTRYINDEX, "thisUniverse");
    Universe* universe = static_cast<Universe*>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return universe;
}

void luaDisplay(lua_State* L, int index) {
    switch (lua_type(L, index)) {
        case LUA_TNUMBER: std::cout << lua_tonumber(L, index); break;
        case LUA_TSTRING: std::cout << lua_tostring(L, index); break;
        case LUA_TBOOLEAN: std::cout << (lua_toboolean(L, index) ? 1 : 0); break;
        default: std::cout << lua_typename(L, lua_type(L, index)); break;
    }
}

std::string luaAnyToString(lua_State* L, int index) {
    const int type = lua_type(L, index);
    if (type == LUA_TBOOLEAN) return lua_toboolean(L, index) ? "1" : "0";
    if (type != LUA_TNUMBER && type != LUA_TSTRING) {
        std::cout << "Error, unable to convert LUA value to string in luaAnyToString of type " << type << std::endl;
        return "";
    }
    lua_pushvalue(L, index);  // converting a number in place would upset a table walk over it
    size_t length = 0;
    const char* text = lua_tolstring(L, -1, &length);
    std::string result(text, length);
    lua_pop(L, 1);
    return result;
}

// The registry keys are made anew when Lua dropped them, so even this can run out of memory.
bool takeResizeRequest(lua_State* L, int& width, int& height) {
    int w = 0;
    int h = 0;
    bool hasWidth = false;
    bool hasHeight = false;
    runProtected(L, [&] {
        hasWidth = takeRegistryInt(L, RESIZE_WIDTH_KEY, w);
        hasHeight = takeRegistryInt(L, RESIZE_HEIGHT_KEY, h);
    }, "Lua event error, ");
    if (!hasWidth || !hasHeight) return false;
    width = w;
    height = h;
    return true;
}
