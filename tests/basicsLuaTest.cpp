// Printing the Lua stack and reading table fields on a real Lua state.
#include <gtest/gtest.h>

#include <lua.hpp>

#include "basicsLua.h"

namespace {

class LuaState : public ::testing::Test {
protected:
    void SetUp() override { L = luaL_newstate(); }
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
    for (const auto& c : cases) {
        ASSERT_NE(luaL_dostring(L, c.chunk), 0) << c.chunk;
        EXPECT_EQ(luaErrorText(L), c.expected) << c.chunk;
        lua_settop(L, 0);
    }
}
