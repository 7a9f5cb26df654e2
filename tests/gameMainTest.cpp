// The main routine's helpers: the start-up script, the event names and the video mode change.
#include <GL/glew.h>
#include <gtest/gtest.h>
#include <lua.hpp>

#include <string>

#include "defaultVals.h"
#include "gameMain.h"
#include "glTestContext.h"
#include "scratchDirectory.h"

namespace {

bool isFunction(lua_State* lua, const char* name) {
    lua_getglobal(lua, name);
    const bool result = lua_isfunction(lua, -1);
    lua_pop(lua, 1);
    return result;
}

}  // namespace

TEST(UiScript, LeavesTheStackEmptyWhetherItRanOrFailed) {
    struct Case {
        const char* what;
        const char* script;  // null: no such file
        bool fails;
    };
    const Case cases[] = {
        {"results returned", "marker = 1\nreturn 1, 'two', {}", false},
        {"runtime error", "marker = 1\nerror('broken script')", true},
        {"syntax error", "function (", true},
        {"missing file", nullptr, true},
    };
    for (const Case& c : cases) {
        ScratchDirectory dir;
        const std::string file = c.script ? dir.write("ui.lua", c.script) : dir.file("missing.lua");
        testing::internal::CaptureStdout();
        lua_State* lua = openUiScript(file.c_str());
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(lua_gettop(lua), 0) << c.what;
        EXPECT_EQ(out.find("Error opening ui.lua") != std::string::npos, c.fails) << c.what << ": " << out;
        lua_getglobal(lua, "string");  // the standard libraries are open either way
        EXPECT_TRUE(lua_istable(lua, -1)) << c.what;
        lua_close(lua);
    }
}

// A finaliser the script leaves behind strikes at the n-th allocation check after the
// script ended: inside its call, at the dump of its results, or never.
TEST(UiScript, AFinaliserThatRaisesAfterTheScriptEndedGivesOneLine) {
    const std::string armedScript = R"(
        local template = newproxy(true)
        getmetatable(template).__gc = function()
          newproxy(template)
          if countdown then
            countdown = countdown - 1
            if countdown == 0 then error('finaliser', 0) end
          end
        end
        newproxy(template)
        collectgarbage('setpause', 0)
        collectgarbage('setstepmul', 0)  -- a whole collection at every allocation check
        collectgarbage()
        local results = {}
        countdown = )";
    ScratchDirectory dir;
    int n = 1;
    for (bool struck = true; struck && n < 100; ++n) {
        const std::string file = dir.write("ui.lua", armedScript + std::to_string(n) + "\nreturn 1, results");
        testing::internal::CaptureStdout();
        lua_State* lua = openUiScript(file.c_str());
        const std::string out = testing::internal::GetCapturedStdout();
        lua_getglobal(lua, "countdown");
        struck = lua_tonumber(lua, -1) == 0;
        lua_pop(lua, 1);
        EXPECT_EQ(lua_gettop(lua), 0) << n;
        EXPECT_EQ(out.find("Error opening ui.lua") != std::string::npos, struck) << n << ": " << out;
        lua_close(lua);
    }
    EXPECT_GT(n, 4) << "the finaliser struck after the script's call";
    EXPECT_LT(n, 100) << "the finaliser always struck";
}

TEST(UiScript, TheGameScriptDefinesItsEntryPoints) {
    const std::string path = std::string(TUVARO_GAME_DIR) + "/ui.lua";
    testing::internal::CaptureStdout();
    lua_State* lua = openUiScript(path.c_str());
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("Error opening ui.lua"), std::string::npos) << out;
    for (const char* name : {"addUI", "updateUI", "planetTick"}) EXPECT_TRUE(isFunction(lua, name)) << name;
    lua_close(lua);
}

TEST(EventTypeDisp, NamesEachEventType) {
    struct Case {
        Uint8 type;
        const char* line;
    };
    const Case cases[] = {
        {SDL_ACTIVEEVENT, "<Active Event>\n"},
        {SDL_KEYDOWN, "<KEY DOWN>\n"},
        {SDL_KEYUP, "<KEY UP>\n"},
        {SDL_MOUSEMOTION, "<MOUSE MOTION>\n"},
        {SDL_MOUSEBUTTONDOWN, "<MOUSEBUTTONDOWN>\n"},
        {SDL_MOUSEBUTTONUP, "<MOUSEBUTTONUP>\n"},
        {SDL_JOYAXISMOTION, "<JOYAXISMOTION>\n"},
        {SDL_JOYBALLMOTION, "<JOYBALLMOTION>\n"},
        {SDL_JOYHATMOTION, "<JOYHATMOTION>\n"},
        {SDL_JOYBUTTONDOWN, "<JOYBUTTONDOWN>\n"},
        {SDL_JOYBUTTONUP, "<JOYBUTTONUP>\n"},
        {SDL_QUIT, "<QUIT>\n"},
        {SDL_SYSWMEVENT, "<SOME KIND OF UNHANDLED WINDOW MANAGER EVENT>\n"},
        {SDL_VIDEORESIZE, "<VIDEORESIZE>\n"},
        {SDL_VIDEOEXPOSE, "<VIDEOEXPOSE>\n"},
        {0, "<Unusual SDL event>\n"},
        {14, "<Unusual SDL event>\n"},
        {SDL_USEREVENT, "<Unusual SDL event>\n"},
    };
    for (const Case& c : cases) {
        SDL_Event event{};
        event.type = c.type;
        testing::internal::CaptureStdout();
        eventTypeDisp(event);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.line) << "type " << int(c.type);
    }
}

class Resize : public GlTest {
protected:
    void TearDown() override { resize(1280, 1024, 0, false, nullptr); }
};

TEST_F(Resize, ANewModeUpdatesTheWindowSizeAndViewport) {
    testing::internal::CaptureStdout();
    ASSERT_TRUE(resize(800, 600, 0, false, nullptr));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Glew is re-initialized\n");
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    GLint blendDst = 0;
    glGetIntegerv(GL_BLEND_DST, &blendDst);
    EXPECT_EQ(blendDst, GL_ONE);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
}

TEST_F(Resize, ARefusedModeKeepsTheOldSizeAndSaysWhy) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(resize(-5, -5, 0, false, nullptr));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("Unable to set -5 x -5 32b video: ", 0), 0u) << out;
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);
    ASSERT_NE(SDL_GetVideoSurface(), nullptr);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 1280);
}

TEST_F(Resize, TheRKeysModeChangeSetsUpTheContextAgainAlsoWhenTheModeIsRefused) {
    glViewport(0, 0, 1, 1);
    glDisable(GL_BLEND);
    testing::internal::CaptureStdout();
    changeVideoMode(-5, -5);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("Unable to set -5 x -5", 0), 0u) << out;
    EXPECT_NE(out.find("Glew is re-initialized"), std::string::npos) << out;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1280);
    EXPECT_EQ(viewport[3], 1024);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
}

TEST_F(Resize, AZeroSizeKeepsTheWindowsTrueSize) {
    testing::internal::CaptureStdout();
    ASSERT_TRUE(resize(0, 0, 0, false, nullptr));
    testing::internal::GetCapturedStdout();
    ASSERT_NE(SDL_GetVideoSurface(), nullptr);
    EXPECT_EQ(w, SDL_GetVideoSurface()->w);
    EXPECT_EQ(h, SDL_GetVideoSurface()->h);
    EXPECT_GT(w, 0);
    EXPECT_GT(h, 0);
}
