// The virtual cursor and the bound events.
#include <gtest/gtest.h>
#include <lua.hpp>

#include "gameMain.h"
#include "input.h"
#include "sdlInput.h"

TEST(VirtualCursor, MovesByScaledMotionAndStopsAtTheEdges) {
    struct Case {
        point start;
        int dx, dy;
        point expected;
    };
    const Case cases[] = {
        {{50, 50}, 10, 20, {51.5f, 47.0f}},      // screen y grows down, interface y up
        {{50, 50}, 0, 0, {50, 50}},
        {{99, 1}, 100, 100, {100, 0}},           // clamped at the top-right and bottom
        {{1, 99}, -100, -100, {0, 100}},
        {{0, 0}, -10000, 10000, {0, 0}},
        {{100, 100}, 10000, -10000, {100, 100}},
    };
    for (const Case& c : cases) {
        point cursor = c.start;
        moveCursor(cursor, c.dx, c.dy);
        EXPECT_FLOAT_EQ(cursor.x, c.expected.x) << "motion " << c.dx << ", " << c.dy;
        EXPECT_FLOAT_EQ(cursor.y, c.expected.y) << "motion " << c.dx << ", " << c.dy;
    }
}

TEST(VirtualCursor, MotionPastTheEdgeIsLostAndMovingBackStartsAtTheEdge) {
    point cursor{90, 10};
    moveCursor(cursor, 1000, 1000);
    moveCursor(cursor, -20, -20);
    EXPECT_FLOAT_EQ(cursor.x, 97.0f);
    EXPECT_FLOAT_EQ(cursor.y, 3.0f);
}

namespace {

SDL_Event quitEvent() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

}  // namespace

TEST(Events, QAndClosingTheWindowEndTheRunWithCodeZero) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    const SDL_Event endings[] = {keyEvent(SDL_KEYDOWN, SDLK_q), quitEvent()};
    for (const SDL_Event& event : endings) {
        MainState s;
        s.lua = luaL_newstate();
        EXPECT_EXIT(handleEvent(s, event), ::testing::ExitedWithCode(0), "") << "event type " << int(event.type);
        lua_close(s.lua);
    }
}

TEST(Events, OtherKeysAndReleasesChangeNothing) {
    MainState s;
    s.lua = luaL_newstate();
    const SDL_Event others[] = {keyEvent(SDL_KEYUP, SDLK_q), keyEvent(SDL_KEYDOWN, SDLK_x),
                                keyEvent(SDL_KEYDOWN, SDLK_SPACE)};
    for (const SDL_Event& event : others) handleEvent(s, event);
    EXPECT_FLOAT_EQ(s.viewHeight, 4000.0f);
    EXPECT_FLOAT_EQ(s.nearFactor, 1.0f);
    EXPECT_FLOAT_EQ(s.cursor.x, 50.0f);
    lua_close(s.lua);
}
