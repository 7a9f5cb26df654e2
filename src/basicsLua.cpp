// Exchanging values with Lua tables on the stack, and printing the stack.
#include "basicsLua.h"

#include <lua.hpp>

#include <cstdio>
#include <iostream>

namespace {

// Whether stackIndex names an item on the stack; prints why not.
bool checkedIndex(lua_State* L, int stackIndex) {
    const int size = lua_gettop(L);
    if (stackIndex == 0) {
        std::cout << "Bad argument to getLuaTableString, stackIndex == 0" << std::endl;
        return false;
    }
    if (stackIndex > size) {
        std::cout << "Bad argument to getLuaTableString, stackIndex " << stackIndex << " is bigger than stack size"
                  << std::endl;
        return false;
    }
    if (stackIndex < -size) {
        std::cout << "Bad argument to getLuaTableString, stackIndex " << stackIndex
                  << " is smaller than negative stack size" << std::endl;
        return false;
    }
    return true;
}

void printItem(lua_State* L, int index) {
    switch (lua_type(L, index)) {
        case LUA_TBOOLEAN: std::cout << (lua_toboolean(L, index) ? "true" : "false"); break;
        case LUA_TNUMBER: {
            char text[64];
            std::snprintf(text, sizeof text, "%g", lua_tonumber(L, index));
            std::cout << text;
            break;
        }
        case LUA_TSTRING: std::cout << '`' << lua_tostring(L, index) << '\''; break;
        case LUA_TTABLE: {
            std::string name = getLuaTableString(L, "name", index, "");
            std::cout << (name.empty() ? "Unnamed table" : "Table " + name);
            break;
        }
        default: std::cout << lua_typename(L, lua_type(L, index)); break;
    }
}

}  // namespace

std::string getLuaTableString(lua_State* L, const std::string& key, int stackIndex, const std::string& fallback) {
    if (!checkedIndex(L, stackIndex)) return "";
    // Only a table is indexed: anything else would raise a Lua error outside any protected call.
    if (!lua_istable(L, stackIndex) || !lua_checkstack(L, 1)) return fallback;
    lua_pushlstring(L, key.data(), key.size());
    lua_gettable(L, stackIndex < 0 ? stackIndex - 1 : stackIndex);
    std::string result = fallback;
    int type = lua_type(L, -1);
    if (type == LUA_TSTRING || type == LUA_TNUMBER) {
        size_t length = 0;
        const char* text = lua_tolstring(L, -1, &length);
        result.assign(text, length);
    }
    lua_pop(L, 1);
    return result;
}

void stackDump(lua_State* L) {
    const int size = lua_gettop(L);
    std::cout << "Stack dump.  Size: " << size << "\n";
    for (int i = 1; i <= size; ++i) {
        printItem(L, i);
        std::cout << " . ";
    }
    std::cout << "\n End of stack dump" << std::endl;
}

std::string luaErrorText(lua_State* L) {
    const char* text = lua_tostring(L, -1);
    return text ? text : "(error value without text)";
}
