// Exchanging values with Lua tables on the stack, and printing the stack.
#include "basicsLua.h"

#include <lua.hpp>

#include <cstdint>
#include <cstdio>
#include <iostream>

#include "basics.h"

namespace {

// Whether stackIndex names an item on the stack; prints why not, naming the reader.
bool checkedIndex(lua_State* L, int stackIndex, const char* reader) {
    const int size = lua_gettop(L);
    const char* fault = nullptr;
    if (stackIndex == 0) {
        std::cout << "Bad argument to " << reader << ", stackIndex == 0" << std::endl;
        return false;
    }
    if (stackIndex > size) fault = " is bigger than stack size";
    if (stackIndex < -size) fault = " is smaller than negative stack size";
    if (fault) std::cout << "Bad argument to " << reader << ", stackIndex " << stackIndex << fault << std::endl;
    return !fault;
}

// Pushes the present field key of the table at index. Raw access, so no metamethod
// runs script code (and its errors) outside a protected call. False, with nothing
// pushed, when the item is off the stack or no table, the stack is full or the field is nil.
bool pushField(lua_State* L, const std::string& key, int index) {
    const int top = lua_gettop(L);
    if (index == 0 || index > top || index < -top) return false;
    const int table = index < 0 ? top + index + 1 : index;
    if (!lua_istable(L, table) || !lua_checkstack(L, 1)) return false;
    lua_pushlstring(L, key.data(), key.size());
    lua_rawget(L, table);
    if (!lua_isnil(L, -1)) return true;
    lua_pop(L, 1);
    return false;
}

// The present field by Lua's number conversion.
bool numberField(lua_State* L, const std::string& key, int index, double& number) {
    if (!pushField(L, key, index)) return false;
    number = lua_tonumber(L, -1);
    lua_pop(L, 1);
    return true;
}

// The present field's text form; only strings and numbers have one.
bool textField(lua_State* L, const std::string& key, int index, std::string& text) {
    if (!pushField(L, key, index)) return false;
    const int type = lua_type(L, -1);
    const bool hasText = type == LUA_TSTRING || type == LUA_TNUMBER;
    if (hasText) {
        size_t length = 0;
        const char* chars = lua_tolstring(L, -1, &length);  // converts only our copy
        text.assign(chars, length);
    }
    lua_pop(L, 1);
    return hasText;
}

// Whether the top item is a table with room above it for a key and a value; says why not.
bool tableOnTop(lua_State* L, const std::string& key) {
    if (lua_gettop(L) > 0 && lua_istable(L, -1) && lua_checkstack(L, 2)) return true;
    std::cout << "Error, no Lua table on top of the stack to store " << key << std::endl;
    return false;
}

void pushKey(lua_State* L, const std::string& key) { lua_pushlstring(L, key.data(), key.size()); }

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

// Calls the global its upvalue names with every argument it got, and returns all results.
int callNamedGlobal(lua_State* L) {
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_gettable(L, LUA_GLOBALSINDEX);
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

int runWork(lua_State* L) {
    const auto& work = *static_cast<const std::function<void()>*>(lua_touserdata(L, 1));
    lua_pop(L, 1);
    work();
    return 0;
}

}  // namespace

std::string getLuaTableString(lua_State* L, const std::string& key, int stackIndex, const std::string& fallback) {
    if (!checkedIndex(L, stackIndex, "getLuaTableString")) return "";
    std::string text;
    return textField(L, key, stackIndex, text) ? text : fallback;
}

float getLuaTableFloat(lua_State* L, const std::string& key, int stackIndex, float fallback) {
    double number = 0;
    if (!checkedIndex(L, stackIndex, "getLuaTableFloat") || !numberField(L, key, stackIndex, number)) return fallback;
    return static_cast<float>(number);
}

bool getLuaTableBool(lua_State* L, const std::string& key, int stackIndex, bool fallback) {
    if (!checkedIndex(L, stackIndex, "getLuaTableBool") || !pushField(L, key, stackIndex)) return fallback;
    const bool truth = lua_toboolean(L, -1);
    lua_pop(L, 1);
    return truth;
}

void pullLuaTable(lua_State* L, const std::string& key, int& value) {
    double number = 0;
    if (numberField(L, key, -1, number))
        value = saturatingInt(number);
    else
        std::cout << "Empty LUA float retrieve (may not be error) " << std::endl;
}

void pullLuaTable(lua_State* L, const std::string& key, float& value) {
    double number = 0;
    if (numberField(L, key, -1, number))
        value = static_cast<float>(number);
    else
        std::cout << "Empty LUA float retrieve (may not be error) " << key << std::endl;
}

void pullLuaTable(lua_State* L, const std::string& key, std::string& value) {
    if (!textField(L, key, -1, value))
        std::cout << "Empty LUA string retrieve (may not be error) " << key << std::endl;
}

void pullLuaTable(lua_State* L, const std::string& key, double& value) {
    if (!numberField(L, key, -1, value))
        std::cout << "Empty LUA double retrieve (may not be error) " << key << std::endl;
}

void pullLuaTable(lua_State* L, const std::string& key, short& value) {
    double number = 0;
    if (numberField(L, key, -1, number))
        value = saturatingInt<int16_t>(number);
    else
        std::cout << "Empty LUA short retrieve (may not be error) " << key << std::endl;
}

void pushBoolOnTable(lua_State* L, const std::string& key, bool value) {
    if (!tableOnTop(L, key)) return;
    pushKey(L, key);
    lua_pushboolean(L, value);
    lua_rawset(L, -3);
}

void pushFloatOnTable(lua_State* L, const std::string& key, float value) {
    if (!tableOnTop(L, key)) return;
    pushKey(L, key);
    lua_pushnumber(L, value);
    lua_rawset(L, -3);
}

void pushFloatOnTable(lua_State* L, int key, float value) {
    if (!tableOnTop(L, std::to_string(key))) return;
    lua_pushnumber(L, key);
    lua_pushnumber(L, value);
    lua_rawset(L, -3);
}

void pushStringOnTable(lua_State* L, const std::string& key, const std::string& value) {
    if (!tableOnTop(L, key)) return;
    pushKey(L, key);
    lua_pushlstring(L, value.data(), value.size());
    lua_rawset(L, -3);
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

void pushGlobalCaller(lua_State* L, const char* name) {
    lua_pushstring(L, name);
    lua_pushcclosure(L, callNamedGlobal, 1);
}

bool runProtected(lua_State* L, const std::function<void()>& work, const char* failure) {
    if (lua_cpcall(L, runWork, const_cast<std::function<void()>*>(&work)) == 0) return true;
    std::cout << failure << luaErrorText(L) << std::endl;
    lua_pop(L, 1);
    return false;
}

// A number is formatted here, as Lua would: its own conversion allocates, and so could
// raise again where nothing catches it.
std::string luaErrorText(lua_State* L) {
    const int type = lua_gettop(L) > 0 ? lua_type(L, -1) : LUA_TNONE;
    if (type == LUA_TSTRING) {
        size_t length = 0;
        const char* text = lua_tolstring(L, -1, &length);
        return std::string(text, length);
    }
    if (type != LUA_TNUMBER) return "(error value without text)";
    char text[64];
    std::snprintf(text, sizeof text, LUA_NUMBER_FMT, lua_tonumber(L, -1));
    return text;
}
