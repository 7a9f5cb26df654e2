// Host functions through which the script reads and changes planets, factions and
// worlds and spawns ships. Each reads its arguments by position (a missing one reads
// as nil) and returns its results on the top of the stack.
#pragma once

struct lua_State;

// (planet ID) -> the planet's economy record, the planet's extra data.
int getPlanetData(lua_State* L);
// (extra, data, planet ID): replaces the planet's record and extra data.
int setPlanetData(lua_State* L);
// (planet ID) -> the name in the planet's economy record.
int decodePlanetName(lua_State* L);
// (planet number) -> one {name, price} table per "tradeGood" of that planet.
int getPlanetTradeGoods(lua_State* L);
// (planet number) -> one {name, price} table per "equipment" of that planet.
int getPlanetEquipment(lua_State* L);
// (faction) -> the faction's name.
int getFactionName(lua_State* L);
// () -> every faction's name and relations, faction IDs as keys from 0.
int getFactionData(lua_State* L);
// () -> the stars of the player's world from key 1, each with its planets from key 1.
int getWorldData(lua_State* L);
// (spawn table) -> the new ship's ID, or -1.
int spawnShip(lua_State* L);
