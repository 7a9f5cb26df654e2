// Printing the Lua stack and reading table fields on a real Lua state.
#include <gtest/gtest.h>

#include <lua.hpp>

#include <climits>
#include <cmath>
#include <limits>

#include "basicsLua.h"
#include "capturedOutput.h"

namespace {

class LuaState : public ::testing::Test {
protected:
    void SetUp() override {
        L = luaL_newstate();
        luaL_openlibs(L);
    }
    void TearDown() override { lua_close(L); }
    void run(const char* chunk) { ASSERT_EQ(luaL_dostring(L, chunk), 0) << lua_tostring(L, -1); }
    std::string dumped() {
        testing::internal::CaptureStdout();
        stackDump(L);
        return testing::internal::GetCapturedStdout();
    }
    lua_State* L = nullptr;
};

}  // namespace

TEST_F(LuaState, DumpShowsEveryKindOfItemAndLeavesTheStack) {
    EXPECT_EQ(dumped(), "Stack dump.  Size: 0\n\n End of stack dump\n");
    run("return true, false, 2.5, 1e20, 'text', {name='Box'}, {name=''}, {}, {name=7}, nil, function() end");
    lua_newuserdata(L, 8);
    ASSERT_EQ(lua_gettop(L), 12);
    EXPECT_EQ(dumped(),
              "Stack dump.  Size: 12\n"
              "true . false . 2.5 . 1e+20 . `text' . Table Box . Unnamed table . Unnamed table . Table 7 . nil . "
              "function . userdata . \n End of stack dump\n");
    EXPECT_EQ(lua_gettop(L), 12);
    EXPECT_EQ(lua_type(L, 5), LUA_TSTRING);  // nothing converted in place
    EXPECT_EQ(lua_type(L, 9), LUA_TTABLE);
    lua_getfield(L, 9, "name");
    EXPECT_EQ(lua_type(L, -1), LUA_TNUMBER);  // the table's number stayed a number
}

TEST_F(LuaState, TableStringReaderChecksItsIndex) {
    run("return {name='Ship', level=3, flag=true}");
    struct Case {
        int index;
        const char* message;
    };
    const Case bad[] = {{0, "Bad argument to getLuaTableString, stackIndex == 0\n"},
                        {2, "Bad argument to getLuaTableString, stackIndex 2 is bigger than stack size\n"},
                        {-2, "Bad argument to getLuaTableString, stackIndex -2 is smaller than negative stack size\n"}};
    for (const Case& c : bad) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(getLuaTableString(L, "name", c.index, "fallback"), "");
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.message);
    }
    EXPECT_EQ(getLuaTableString(L, "name", 1, "x"), "Ship");
    EXPECT_EQ(getLuaTableString(L, "name", -1, "x"), "Ship");
    EXPECT_EQ(getLuaTableString(L, "level", -1, "x"), "3");
    EXPECT_EQ(getLuaTableString(L, "absent", -1, "x"), "x");
    EXPECT_EQ(getLuaTableString(L, "flag", -1, "x"), "x");  // no text form: the fallback
    EXPECT_EQ(lua_gettop(L), 1);

    lua_pushnumber(L, 4);  // not a table: nothing is indexed, no Lua error
    EXPECT_EQ(getLuaTableString(L, "name", -1, "x"), "x");
    EXPECT_EQ(lua_gettop(L), 2);
}

TEST_F(LuaState, TableReadersConvertFieldsRawAndLeaveTheStack) {
    run("local t = setmetatable({n=2.5, s='12', w='abc', f=false, z=0, e='', b=true}, "
        "{__index=function() error('ran') end}) return 7, t");
    struct Case {
        const char* key;
        int index;
        float number;  // fallback 9
        bool truth;    // fallback true
        const char* text;  // fallback "d"
    };
    const Case cases[] = {{"n", -1, 2.5f, true, "2.5"},   {"s", 2, 12, true, "12"},
                          {"w", -1, 0, true, "abc"},      {"f", -1, 0, false, "d"},
                          {"z", -1, 0, true, "0"},        {"e", -1, 0, true, ""},
                          {"absent", -1, 9, true, "d"},   {"n", 1, 9, true, "d"}};  // 1 holds no table
    for (const Case& c : cases) {
        EXPECT_EQ(getLuaTableFloat(L, c.key, c.index, 9), c.number) << c.key;
        EXPECT_EQ(getLuaTableBool(L, c.key, c.index, true), c.truth) << c.key;
        EXPECT_EQ(getLuaTableString(L, c.key, c.index, "d"), c.text) << c.key;
        EXPECT_EQ(lua_gettop(L), 2) << c.key;
    }
    EXPECT_FALSE(getLuaTableBool(L, "absent", -1, false));
    EXPECT_EQ(getLuaTableFloat(L, "x", 1, 9), 9);
}

TEST_F(LuaState, NumberAndTruthReadersCheckTheirIndex) {
    run("return {n=1}");
    EXPECT_EQ(captured([&] { EXPECT_EQ(getLuaTableFloat(L, "n", 0, 4), 4); }),
              "Bad argument to getLuaTableFloat, stackIndex == 0\n");
    EXPECT_EQ(captured([&] { EXPECT_FALSE(getLuaTableBool(L, "n", -2, false)); }),
              "Bad argument to getLuaTableBool, stackIndex -2 is smaller than negative stack size\n");
    EXPECT_EQ(lua_gettop(L), 1);
}

TEST_F(LuaState, PullersTruncateSaturateAndReportAbsentFields) {
    run("return {a=2.9, b=-2.9, c=1e20, d=0/0, e=40000, f=-40000, g='7', t={}}");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* key;
        int asInt;
        short asShort;
    };
    const Case cases[] = {{"a", 2, 2}, {"b", -2, -2}, {"c", INT_MAX, 32767}, {"d", 0, 0},
                          {"e", 40000, 32767}, {"f", -40000, -32768}, {"g", 7, 7}};
    for (const Case& c : cases) {
        int i = -5;
        short s = -5;
        pullLuaTable(L, c.key, i);
        pullLuaTable(L, c.key, s);
        EXPECT_EQ(i, c.asInt) << c.key;
        EXPECT_EQ(s, c.asShort) << c.key;
    }
    int i = 3;
    float f = 3;
    double d = nan;
    short s = 3;
    std::string text = "kept";
    EXPECT_EQ(captured([&] {
                  pullLuaTable(L, "x", i);
                  pullLuaTable(L, "x", f);
                  pullLuaTable(L, "x", d);
                  pullLuaTable(L, "x", s);
                  pullLuaTable(L, "t", text);
              }),
              "Empty LUA float retrieve (may not be error) \nEmpty LUA float retrieve (may not be error) x\n"
              "Empty LUA double retrieve (may not be error) x\nEmpty LUA short retrieve (may not be error) x\n"
              "Empty LUA string retrieve (may not be error) t\n");
    EXPECT_EQ(i + f + s, 9);
    EXPECT_TRUE(std::isnan(d));
    EXPECT_EQ(text, "kept");
    pullLuaTable(L, "a", text);
    EXPECT_EQ(text, "2.9");
    EXPECT_EQ(lua_gettop(L), 1);
}

TEST_F(LuaState, WritersStoreRawUnderTheirKeys) {
    run("return setmetatable({}, {__newindex=function() error('ran') end})");
    pushFloatOnTable(L, 0, 1.5f);
    pushFloatOnTable(L, "0", 2.5f);
    pushBoolOnTable(L, "flag", false);
    pushStringOnTable(L, "text", std::string("ab\0cd", 5));
    ASSERT_EQ(lua_gettop(L), 1);
    lua_setglobal(L, "t");
    run("assert(rawget(t, 0) == 1.5 and rawget(t, '0') == 2.5 and rawget(t, 'flag') == false "
        "and rawget(t, 'text') == 'ab\\0cd')");
    lua_pushnumber(L, 1);  // no table on top: nothing stored, nothing raised
    EXPECT_EQ(captured([&] { pushFloatOnTable(L, 3, 1); }), "Error, no Lua table on top of the stack to store 3\n");
    EXPECT_EQ(lua_gettop(L), 1);
}

TEST_F(LuaState, AnErrorWithoutTextGetsAPlaceholder) {
    luaL_openlibs(L);
    const struct {
        const char* chunk;
        std::string expected;
    } cases[] = {
        {"error('boom', 0)", "boom"},
        {"error(12, 0)", "12"},
        {"error({})", "(error value without text)"},
        {"error()", "(error value without text)"},
    };
    EXPECT_EQ(luaErrorText(L), "(error value without text)");  // nothing on the stack
    for (const auto& c : cases) {
        ASSERT_NE(luaL_dostring(L, c.chunk), 0) << c.chunk;
        EXPECT_EQ(luaErrorText(L), c.expected) << c.chunk;
        lua_settop(L, 0);
    }
}
