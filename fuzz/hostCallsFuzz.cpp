// Fuzzes the script's host functions: a sequence of calls, each with arguments of every Lua
// type, made through the globals the game registered on its real Lua state, over the running
// game; then one frame, which carries out what the calls asked for. See makeSeeds.py for the
// input's layout.
#include <lua.hpp>

#include <cstdint>
#include <cstring>
#include <string>

#include "defaultVals.h"
#include "fuzzGame.h"
#include "gameMain.h"
#include "playerAccess.h"

namespace {

// In the order the game registers them; an input's call byte picks one.
const char* const HOST_FUNCTIONS[] = {
    "getPlayerWorld",       "getIsPlayerLanded",   "getPlayerLandedPlanetId", "getDecodedPlanetName",
    "getVal",               "setVal",              "getPlanetTradeGoods",     "getPlanetEquipment",
    "disablePlayerInput",   "enablePlayerInput",   "debugDisplay",            "testPass",
    "getPlanetData",        "setPlanetData",       "spawnShip",               "getAvailableResolutions",
    "resize",               "getFactionName",      "getWorldData",            "getFactionData"};
constexpr size_t HOST_FUNCTION_COUNT = sizeof HOST_FUNCTIONS / sizeof HOST_FUNCTIONS[0];

// The keys the host functions read from the tables they are given.
const char* const TABLE_KEYS[] = {
    "name", "x", "y", "faction", "AIType", "destinationX", "destinationY", "destinationShip",
    "destinationPlanet", "element1", "element2", "element3", "element4", "element5",
    "elementStockpile1", "elementStockpile2", "elementStockpile3", "elementStockpile4",
    "elementStockpile5", "drillLevel1", "drillLevel2", "drillLevel3", "drillLevel4", "drillLevel5",
    "factionOwner", "engineFactory", "hullFactory", "weaponFactory", "gravToolFactory", "starbase",
    "defenceLevel", "health", "qualityFactor1", "qualityFactor2", "radius", "price"};
constexpr size_t TABLE_KEY_COUNT = sizeof TABLE_KEYS / sizeof TABLE_KEYS[0];

constexpr int MAX_CALLS = 64;
constexpr int MAX_ARGUMENTS = 5;
constexpr int MAX_TABLE_DEPTH = 3;
constexpr int MAX_TABLE_FIELDS = 40;

// The kinds of value an input can pass, by its type byte.
enum ValueKind { NIL, BOOLEAN, SMALL_NUMBER, NUMBER, STRING, TABLE, FUNCTION, LIGHT_USERDATA, USERDATA, THREAD, KINDS };

// The input's bytes in order; zeros once it runs out.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data(data), size(size) {}
    bool done() const { return at >= size; }
    uint8_t byte() { return at < size ? data[at++] : 0; }
    double number() {
        uint8_t bytes[sizeof(double)] = {};
        for (uint8_t& b : bytes) b = byte();
        double value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }
    std::string text() {
        std::string s(byte(), '\0');
        for (char& c : s) c = char(byte());
        return s;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

int lightTarget;  // what the light userdata points to

void pushValue(lua_State* L, Input& in, int depth);

// A key byte below 128 names a key the host functions read, 255 is followed by a text of the
// input's own, and the rest are the numbers -32 to 94: never nil or NaN, which Lua refuses.
void pushKey(lua_State* L, Input& in) {
    const uint8_t key = in.byte();
    if (key < 128) {
        lua_pushstring(L, TABLE_KEYS[key % TABLE_KEY_COUNT]);
    } else if (key == 255) {
        const std::string s = in.text();
        lua_pushlstring(L, s.data(), s.size());
    } else {
        lua_pushnumber(L, key - 160);
    }
}

void pushTable(lua_State* L, Input& in, int depth) {
    lua_newtable(L);
    const int fields = in.byte() % (MAX_TABLE_FIELDS + 1);
    for (int i = 0; i < fields; ++i) {
        pushKey(L, in);
        pushValue(L, in, depth + 1);
        lua_settable(L, -3);
    }
}

void pushValue(lua_State* L, Input& in, int depth) {
    switch (in.byte() % KINDS) {
        case BOOLEAN: lua_pushboolean(L, in.byte() & 1); break;
        case SMALL_NUMBER: lua_pushnumber(L, int8_t(in.byte())); break;
        case NUMBER: lua_pushnumber(L, in.number()); break;
        case STRING: {
            const std::string s = in.text();
            lua_pushlstring(L, s.data(), s.size());
            break;
        }
        case TABLE:
            if (depth < MAX_TABLE_DEPTH) pushTable(L, in, depth); else lua_pushnil(L);
            break;
        case FUNCTION: lua_getglobal(L, HOST_FUNCTIONS[in.byte() % HOST_FUNCTION_COUNT]); break;
        case LIGHT_USERDATA: lua_pushlightuserdata(L, &lightTarget); break;
        case USERDATA: lua_newuserdata(L, in.byte()); break;
        case THREAD: lua_newthread(L); break;
        default: lua_pushnil(L); break;
    }
}

// Host functions take wrong arguments through Lua's conversions and never raise errors.
void callHostFunction(lua_State* L, Input& in) {
    lua_getglobal(L, HOST_FUNCTIONS[in.byte() % HOST_FUNCTION_COUNT]);
    const int arguments = in.byte() % (MAX_ARGUMENTS + 1);
    for (int i = 0; i < arguments; ++i) pushValue(L, in, 0);
    require(lua_pcall(L, arguments, LUA_MULTRET, 0) == 0, "a host function raised a Lua error");
    lua_settop(L, 0);
}

int startWidth = 0;
int startHeight = 0;

// A resize the calls asked for is undone, so every input starts with the same window.
void restoreWindowSize() {
    if (w != startWidth || h != startHeight) changeVideoMode(startWidth, startHeight);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    runningGame();
    saveBaseGame();
    startWidth = w;
    startHeight = h;
    silenceConsole();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MainState& game = runningGame();
    Input in(data, size);
    for (int call = 0; call < MAX_CALLS && !in.done(); ++call) callHostFunction(game.lua, in);
    runFrame(game);
    require(livePlayer(game) && playerWorld(game), "the calls left no player in a world");
    restoreBaseGame();
    lua_gc(game.lua, LUA_GCCOLLECT, 0);  // what the calls made is freed now, not counted as a leak
    restoreWindowSize();
    return 0;
}
