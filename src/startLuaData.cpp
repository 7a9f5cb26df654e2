// Host functions through which the script reads and changes planets, factions and worlds and spawns ships.
#include "startLuaData.h"

#include <lua.hpp>
#include <rapidxml/rapidxml.hpp>

#include <iostream>
#include <set>
#include <vector>

#include "basics.h"
#include "basicsLua.h"
#include "basicsXml.h"
#include "planet.h"
#include "ship.h"
#include "star.h"
#include "startLua.h"
#include "universe.h"
#include "worldState.h"

namespace {

using XmlNode = rapidxml::xml_node<char>;

constexpr int TABLE_ROOM = 3;  // a table being filled, a key and a value
constexpr int NO_AI_GOAL = -1;

int32_t intArgument(lua_State* L, int index) { return saturatingInt(lua_tonumber(L, index)); }

// A planet ID as the Universe takes it: a negative number names no planet.
unsigned planetArgument(lua_State* L, int index) { return static_cast<unsigned>(intArgument(L, index)); }

void pushPlanetRecord(lua_State* L, const planetData& data) {
    pushStringOnTable(L, "name", data.name);
    for (const auto& field : PLANET_ELEMENT_FIELDS) pushFloatOnTable(L, field.first, float(data.*field.second));
    pushFloatOnTable(L, "factionOwner", data.factionOwner);
    for (const auto& field : PLANET_LEVEL_FIELDS) pushFloatOnTable(L, field.first, float(data.*field.second));
    for (const auto& field : PLANET_FLOAT_FIELDS) pushFloatOnTable(L, field.first, data.*field.second);
}

void pullPlanetRecord(lua_State* L, planetData& data) {
    pullLuaTable(L, "name", data.name);
    for (const auto& field : PLANET_ELEMENT_FIELDS) pullLuaTable(L, field.first, data.*field.second);
    short owner = data.factionOwner;
    pullLuaTable(L, "factionOwner", owner);
    data.factionOwner = owner;
    for (const auto& field : PLANET_LEVEL_FIELDS) pullLuaTable(L, field.first, data.*field.second);
    for (const auto& field : PLANET_FLOAT_FIELDS) pullLuaTable(L, field.first, data.*field.second);
}

void pushExtraData(lua_State* L, const std::vector<luaStringPair>& extra) {
    lua_newtable(L);
    for (const luaStringPair& pair : extra) pushStringOnTable(L, pair.key, pair.value);
}

// The extra table at index as pairs in Lua's traversal order. Pairs a save could not
// keep are left out with a line each: a key the saved file would not give back, or one
// that comes twice (a number key and its text), or a value with a NUL, where the saved
// file's text would end.
std::vector<luaStringPair> readExtraData(lua_State* L, int index) {
    std::vector<luaStringPair> pairs;
    std::set<std::string> keys;
    lua_pushnil(L);
    while (lua_next(L, index) != 0) {
        luaStringPair pair{luaAnyToString(L, -2), luaAnyToString(L, -1)};
        const bool savable = attributeNameReadsBack(pair.key) && pair.value.find('\0') == std::string::npos;
        if (!savable || !keys.insert(pair.key).second)
            std::cout << "Extra planet data \"" << pair.key.c_str() << "\" cannot be saved and is left out" << std::endl;
        else
            pairs.push_back(pair);
        lua_pop(L, 1);
    }
    return pairs;
}

// An owner that names no faction would index the relation matrix out of range.
void checkOwner(const Universe& universe, planetData& data) {
    const int owner = data.factionOwner;
    if (owner == -1 || (owner >= 0 && size_t(owner) < universe.factionNames.size())) return;
    std::cout << "Planet owner " << owner << " is not a faction, the planet is left without owner" << std::endl;
    data.factionOwner = -1;
}

// The record at index 2 over the planet's own, so omitted fields keep their values; false,
// with a line, when it is no table.
bool readRecord(lua_State* L, const Universe& universe, planetData& data) {
    if (!lua_istable(L, 2)) {
        std::cout << "setPlanetData: the planet record is not a table and is kept" << std::endl;
        return false;
    }
    lua_pushvalue(L, 2);
    pullPlanetRecord(L, data);
    lua_pop(L, 1);
    checkOwner(universe, data);
    return true;
}

// The extra data at index 1; false, with a line, when it is no table.
bool readExtra(lua_State* L, std::vector<luaStringPair>& pairs) {
    if (!lua_istable(L, 1)) {
        std::cout << "setPlanetData: the extra data is not a table and is kept" << std::endl;
        return false;
    }
    pairs = readExtraData(L, 1);
    return true;
}

// The planet element with this number, counting planets of every star of every world in document order.
XmlNode* findPlanetElement(XmlNode* root, int number) {
    int count = 0;
    for (XmlNode* world = root ? root->first_node("world") : nullptr; world; world = world->next_sibling("world"))
        for (XmlNode* star = world->first_node("star"); star; star = star->next_sibling("star"))
            for (XmlNode* planet = star->first_node("planet"); planet; planet = planet->next_sibling("planet"))
                if (count++ == number) return planet;
    return nullptr;
}

struct itemList {
    const char* element;
    const char* gettingLine;
    const char* foundLine;
    const char* notFoundLine;  // null: nothing is printed
};

const itemList TRADE_GOODS{"tradeGood", "Getting trade goods", "Target found", "No pieces pushed"};
const itemList EQUIPMENT{"equipment", "Getting equipment", "Planet found", nullptr};

// One {name, price} table per listed child, left on the stack as separate results.
int pushItems(lua_State* L, XmlNode* planet, const char* element) {
    int pushed = 0;
    for (XmlNode* item = planet->first_node(element); item; item = item->next_sibling(element)) {
        if (!lua_checkstack(L, TABLE_ROOM)) {
            std::cout << "Too many " << element << " items for the script's stack, the rest are left out" << std::endl;
            break;
        }
        const std::string name = getVal(item, "name");
        const float price = getValF(item, "price");
        std::cout << "Pushing: " << name << " x " << price << std::endl;
        lua_newtable(L);
        pushStringOnTable(L, "name", name);
        pushFloatOnTable(L, "price", price);
        ++pushed;
    }
    return pushed;
}

// The listed items of the current universe document, which a load replaces.
int listPlanetItems(lua_State* L, const itemList& list) {
    std::cout << list.gettingLine << std::endl;
    const int number = intArgument(L, 1);
    std::cout << "Target planet: " << number << std::endl;
    if (number == -1) {
        lua_pushnumber(L, -1);
        return 1;
    }
    const Universe* universe = luaUniverse(L);
    XmlNode* root = universe ? universe->universeRoot : nullptr;
    std::cout << "New add:" << static_cast<const void*>(root) << std::endl;
    XmlNode* planet = findPlanetElement(root, number);
    if (!planet) {
        if (list.notFoundLine) std::cout << list.notFoundLine << std::endl;
        return 0;
    }
    std::cout << list.foundLine << std::endl;
    const int pushed = pushItems(L, planet, list.element);
    std::cout << pushed << " pieces pushed" << std::endl;
    return pushed;
}

void pushFactionRow(lua_State* L, const Universe& universe, size_t f) {
    lua_pushnumber(L, double(f));
    lua_newtable(L);
    pushStringOnTable(L, "name", universe.getFactionName(saturatingInt<int16_t>(double(f))));
    const std::vector<int16_t>& row = universe.factionRelations[f];
    for (size_t j = 0; j < row.size(); ++j) pushFloatOnTable(L, int(j), row[j]);
    lua_settable(L, -3);
}

void pushPlanetEntry(lua_State* L, const Planet& planet, int key) {
    lua_pushnumber(L, key);
    lua_newtable(L);
    pushFloatOnTable(L, "x", planet.getPos().x);
    pushFloatOnTable(L, "y", planet.getPos().y);
    pushStringOnTable(L, "name", planet.getName());
    pushFloatOnTable(L, "ID", float(planet.getID()));
    pushFloatOnTable(L, "faction", planet.getPlanetData().factionOwner);
    lua_settable(L, -3);
}

void pushStarEntry(lua_State* L, const Star& star, int key) {
    lua_pushnumber(L, key);
    lua_newtable(L);
    pushStringOnTable(L, "name", star.getName());
    pushFloatOnTable(L, "ID", float(star.getId()));
    pushFloatOnTable(L, "radius", star.getRadius());
    pushFloatOnTable(L, "x", star.getPos().x);
    pushFloatOnTable(L, "y", star.getPos().y);
    const std::vector<Planet>& planets = star.getPlanets();
    for (size_t j = 0; j < planets.size(); ++j) pushPlanetEntry(L, planets[j], int(j) + 1);
    lua_settable(L, -3);
}

// Everything spawnShip reads from its table, read before the ship is made: a script
// error raised while reading then leaves no ship behind.
struct spawnOrder {
    point position;
    std::string type;
    int16_t faction;
    int ai;
    point destinationPoint{0, 0};
    unsigned destinationShip = 0;
    unsigned destinationPlanet = 0;
};

unsigned idField(lua_State* L, const char* key) { return unsigned(saturatingInt(getLuaTableFloat(L, key, 1, 0))); }

spawnOrder readSpawnOrder(lua_State* L) {
    spawnOrder order;
    order.position.x = getLuaTableFloat(L, "x", 1, 0);
    order.position.y = getLuaTableFloat(L, "y", 1, 0);
    order.type = getLuaTableString(L, "name", 1, "");
    order.faction = saturatingInt<int16_t>(getLuaTableFloat(L, "faction", 1, 1));
    order.ai = saturatingInt(getLuaTableFloat(L, "AIType", 1, NO_AI_GOAL));
    switch (order.ai) {
        case 1:
            order.destinationPoint = {getLuaTableFloat(L, "destinationX", 1, 0), getLuaTableFloat(L, "destinationY", 1, 0)};
            break;
        case 2: order.destinationShip = idField(L, "destinationShip"); break;
        case 3: order.destinationPlanet = idField(L, "destinationPlanet"); break;
        default: break;
    }
    return order;
}

bool hasGoal(int ai) { return ai == 1 || ai == 2 || ai == 3; }

// A ship at a point that is not finite would stay there unseen and untouchable, and come back
// at the origin from a save; one sent to such a point, the same way, would head there.
bool placeable(const spawnOrder& order) {
    if (finite(order.position) && finite(order.destinationPoint)) return true;
    std::cout << "spawnShip: position " << order.position.x << ", " << order.position.y << " or destination "
              << order.destinationPoint.x << ", " << order.destinationPoint.y << " is not finite, no ship made"
              << std::endl;
    return false;
}

void setGoal(Ship& ship, const spawnOrder& order) {
    ship.setAI(order.ai);
    switch (order.ai) {
        case 1: ship.setDestinationPoint(order.destinationPoint); break;
        case 2: ship.setDestinationShip(order.destinationShip); break;
        case 3: ship.setDestinationPlanet(order.destinationPlanet); break;
        default: std::cout << "Bad AIType set by LUA" << std::endl; break;
    }
}

bool knownShipType(const Universe& universe, const std::string& name) {
    for (const shipDataStruct& type : universe.shipTypes)
        if (type.name == name) return true;
    return false;
}

int pushShipID(lua_State* L, int id) {
    lua_pushinteger(L, id);
    return 1;
}

}  // namespace

int getPlanetData(lua_State* L) {
    Universe* universe = luaUniverse(L);
    if (!universe) return 0;
    const unsigned id = planetArgument(L, 1);
    const Planet* planet = id < universe->planetCache.size() ? universe->getPlanet(id) : nullptr;
    lua_newtable(L);
    pushPlanetRecord(L, universe->getPlanetData(id));
    if (planet) {  // an ID without a planet has no position to give
        pushFloatOnTable(L, "x", planet->getPos().x);
        pushFloatOnTable(L, "y", planet->getPos().y);
        pushFloatOnTable(L, "radius", planet->getRadius());
    }
    pushExtraData(L, universe->getExtraPlanetData(id));
    return 2;
}

int setPlanetData(lua_State* L) {
    Universe* universe = luaUniverse(L);
    if (!universe) return 0;
    const unsigned id = planetArgument(L, 3);
    if (id >= universe->planetCache.size()) {
        std::cout << "Bad index given for planet index" << std::endl;
        return 0;
    }
    Planet* planet = universe->getPlanet(id);
    if (!planet) {
        std::cout << "No planet has the index " << id << ", its data is not set" << std::endl;
        return 0;
    }
    // Both are read before either is set: a script error raised while reading leaves the planet as it was.
    planetData data = planet->getPlanetData();
    std::vector<luaStringPair> pairs;
    const bool hasRecord = readRecord(L, *universe, data);
    const bool hasExtra = readExtra(L, pairs);
    if (hasRecord) planet->setPlanetData(data);
    if (hasExtra) planet->setExtraData(pairs);
    return 0;
}

int decodePlanetName(lua_State* L) {
    Universe* universe = luaUniverse(L);
    const std::string name = universe ? universe->getPlanetData(planetArgument(L, 1)).name : "";
    lua_pushlstring(L, name.data(), name.size());
    return 1;
}

int getPlanetTradeGoods(lua_State* L) { return listPlanetItems(L, TRADE_GOODS); }

int getPlanetEquipment(lua_State* L) { return listPlanetItems(L, EQUIPMENT); }

int getFactionName(lua_State* L) {
    const Universe* universe = luaUniverse(L);
    const int16_t faction = saturatingInt<int16_t>(lua_tonumber(L, 1));
    const std::string name = universe ? universe->getFactionName(faction) : "Neutral";
    lua_pushlstring(L, name.data(), name.size());
    return 1;
}

int getFactionData(lua_State* L) {
    lua_newtable(L);
    if (const Universe* universe = luaUniverse(L))
        for (size_t f = 0; f < universe->factionRelations.size(); ++f) pushFactionRow(L, *universe, f);
    return 1;
}

int getWorldData(lua_State* L) {
    lua_newtable(L);
    const Universe* universe = luaUniverse(L);
    if (!universe || !universe->currentWorld) return 1;
    const std::vector<Star>& stars = universe->currentWorld->stars;
    for (size_t i = 0; i < stars.size(); ++i) pushStarEntry(L, stars[i], int(i) + 1);
    return 1;
}

int spawnShip(lua_State* L) {
    Universe* universe = luaUniverse(L);
    if (!lua_istable(L, 1) || !universe || !universe->currentWorld) {
        std::cout << "spawnShip needs a table of the ship and a world to place it in, no ship made" << std::endl;
        return pushShipID(L, -1);
    }
    const spawnOrder order = readSpawnOrder(L);
    if (!hasGoal(order.ai)) std::cout << "Bad AIType set by LUA" << std::endl;
    if (!placeable(order)) return pushShipID(L, -1);
    if (!knownShipType(*universe, order.type)) {
        std::cout << "Error, bad ship name sent to spawnShip by Lua, " << order.type << std::endl;
        std::cout << "SS Bottom" << std::endl;
        return pushShipID(L, -1);
    }
    // Built in place, so the registry holds the address of the stored ship.
    Ship& ship = universe->currentWorld->ships.emplace_front(order.position, order.type, order.faction, *universe);
    setGoal(ship, order);
    std::cout << "Ship: created at " << order.position.x << " " << order.position.y << ", goal type: " << order.ai
              << std::endl;
    return pushShipID(L, int(ship.getID()));
}
