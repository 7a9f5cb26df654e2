// The script's side of the game: registry entries, the host functions and the first addUI.
#pragma once

#include <cstdint>
#include <string>

class Universe;
struct lua_State;

// Publishes the game in the registry, registers the 20 host functions and calls
// the script's addUI once; the stack is left as it was, whatever addUI returned.
void initLua(Universe& universe, lua_State* L);

// registry[key] = a light userdata of the pointer.
void registryInsert(lua_State* L, int32_t* value, const std::string& key);
void registryInsert(lua_State* L, bool* value, const std::string& key);
// registry[key] = a light userdata of the float's address.
void registryInsert(lua_State* L, float& value, const std::string& key);
// registry[key] = a Lua string copy of the text.
void registryInsert(lua_State* L, const char* value, const std::string& key);
// The float behind registry[key]; 0 when nobody published one there.
float getLuaFloat(lua_State* L, const std::string& key);

// The Universe that initLua published; null before.
Universe* luaUniverse(lua_State* L);
// The value at index printed without a line end: numbers as doubles, booleans as 1 or 0.
void luaDisplay(lua_State* L, int index);
// The text of the value at index, left unchanged: numbers in Lua's own format, booleans
// "1" or "0"; other kinds print a line and give "".
std::string luaAnyToString(lua_State* L, int index);

// Takes the window size the script's resize asked for, if any is pending; the
// request is then forgotten. Carried out after the display pass, when no script
// call is walking the displays or planets a reload destroys.
bool takeResizeRequest(lua_State* L, int& width, int& height);
