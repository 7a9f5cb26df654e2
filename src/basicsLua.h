// Exchanging values with Lua tables on the stack, and printing the stack.
#pragma once

#include <string>

struct lua_State;

// Field key of the table at stackIndex as text (a number in Lua's format); fallback when
// the field is absent or has no text form; "" with a message for an index off the stack.
std::string getLuaTableString(lua_State* L, const std::string& key, int stackIndex, const std::string& fallback);

// The error value on top of the stack as text; a placeholder when it has none
// (an error raised with a table or nil), so a message is never built from null.
std::string luaErrorText(lua_State* L);

// Prints every item on the Lua stack, bottom first, leaving the stack as it was.
void stackDump(lua_State* L);
