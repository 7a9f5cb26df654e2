// Exchanging values with Lua tables on the stack, and printing the stack.
#pragma once

#include <functional>
#include <string>

struct lua_State;

// Field key of the table at stackIndex as text (a number in Lua's format); fallback when
// the field is absent or has no text form; "" with a message for an index off the stack.
std::string getLuaTableString(lua_State* L, const std::string& key, int stackIndex, const std::string& fallback);
// Field key of the table at stackIndex as a number (a numeric string counts, other values
// read 0); fallback when absent, and with a message for an index off the stack.
float getLuaTableFloat(lua_State* L, const std::string& key, int stackIndex, float fallback);
// Field key of the table at stackIndex by Lua truth; fallback when absent, and with a
// message for an index off the stack.
bool getLuaTableBool(lua_State* L, const std::string& key, int stackIndex, bool fallback);

// Field key of the table on top into value (truncated toward zero and saturated); an
// absent field prints a line and leaves value as it was.
void pullLuaTable(lua_State* L, const std::string& key, int& value);
// As above, narrowed to float.
void pullLuaTable(lua_State* L, const std::string& key, float& value);
// As above, the field's text form (a number in Lua's format).
void pullLuaTable(lua_State* L, const std::string& key, std::string& value);
// As above, the number itself.
void pullLuaTable(lua_State* L, const std::string& key, double& value);
// As above, truncated toward zero and saturated to 16 bits.
void pullLuaTable(lua_State* L, const std::string& key, short& value);

// Stores t[key] = value in the table on top of the stack.
void pushBoolOnTable(lua_State* L, const std::string& key, bool value);
// Stores t[key] = value in the table on top of the stack.
void pushFloatOnTable(lua_State* L, const std::string& key, float value);
// Stores t[key] = value under the number key, not a string one.
void pushFloatOnTable(lua_State* L, int key, float value);
// Stores t[key] = the value's text, NULs included.
void pushStringOnTable(lua_State* L, const std::string& key, const std::string& value);

// Pushes a function that calls the script's global function name with its own arguments
// and returns its results. The global is looked up only in that call, so a metamethod of
// the globals table that raises fails the caller's protected call instead of escaping it.
void pushGlobalCaller(lua_State* L, const char* name);

// Runs work inside one protected call, so that a Lua error anywhere in it (a script's
// finaliser raising at an allocation, or no memory left) unwinds work instead of ending
// the game. False, after printing failure followed by the error's text, when one struck;
// the stack is left as it was either way, and work starts on an empty stack of its own in
// the same state L.
bool runProtected(lua_State* L, const std::function<void()>& work, const char* failure);

// The error value on top of the stack as text; a placeholder when it has none
// (an error raised with a table or nil), so a message is never built from null.
std::string luaErrorText(lua_State* L);

// Prints every item on the Lua stack, bottom first, leaving the stack as it was.
void stackDump(lua_State* L);
