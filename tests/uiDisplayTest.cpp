// Interface displays and their exchange with the script, through a real Lua state.
#include <gtest/gtest.h>

#include <lua.hpp>

#include <string>
#include <type_traits>
#include <vector>

#include "capturedOutput.h"
#include "glTestContext.h"
#include "uiBox.h"
#include "uiButton.h"
#include "uiDisplay.h"

static_assert(!std::is_copy_constructible<uiDisplay>::value, "a copy would own the widgets twice");

namespace {

// addUI returns what the Lua function answer returns; updateUI records its arguments
// in received and returns what reply returns.
const char* const SCRIPT = R"(
function addUI(...) return answer(...) end
function updateUI(...) received = {n = select('#', ...), ...} return reply(...) end
function box(name, text) return {type = 'box', name = name, text = text, x1 = 0, y1 = 0, x2 = 10, y2 = 10} end
)";

class uiDisplayTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        L = luaL_newstate();
        luaL_openlibs(L);
        ASSERT_EQ(luaL_dostring(L, SCRIPT), 0);
        lua_pushstring(L, "caller's");  // whatever lies below must survive every exchange
    }
    void TearDown() override {
        EXPECT_EQ(lua_gettop(L), 1);
        lua_close(L);
    }
    void run(const std::string& chunk) { ASSERT_EQ(luaL_dostring(L, chunk.c_str()), 0) << lua_tostring(L, -1); }
    // Opens a display for the event 1 with addUI answering answer; what was printed.
    std::string open(const std::string& answer) {
        run("answer = function() " + answer + " end");
        return captured([&] { uiEvent(displays, {1.0f}, fonts, L); });
    }
    // Marks the first widget of display d changed and exchanges with reply answering.
    std::string exchange(const std::string& reply, size_t d = 0) {
        run("reply = function() " + reply + " end");
        displays[d].elements.front()->modified = true;
        return captured([&] { runDisplays(displays, fonts, L); });
    }
    std::string names(size_t d = 0) const {
        std::string all;
        for (const auto& widget : displays[d].elements) all += widget->name + ",";
        return all;
    }
    double number(const std::string& expression) {
        run("probe = " + expression);
        lua_getglobal(L, "probe");
        const double value = lua_tonumber(L, -1);
        lua_pop(L, 1);
        return value;
    }
    lua_State* L = nullptr;
    std::vector<uiDisplay> displays;
    std::vector<Font*> fonts{nullptr};
};

}  // namespace

TEST_F(uiDisplayTest, AddUIResultsOpenADisplayWithItsWidgetsInReverse) {
    struct Case {
        const char* answer;
        const char* widgets;  // nullptr: no display
        const char* printed;  // nullptr: no error line
    };
    const Case cases[] = {
        {"return", nullptr, "Error, display name undefined in LUA"},
        {"return 'Shop'", nullptr, nullptr},
        {"return box('a'), 'Shop'", "a,", nullptr},
        {"return box('t1'), {type='text', name='t2'}, {type='button', name='t3'}, 'Shop'", "t3,t2,t1,", nullptr},
        {"return {type='Button', name='x'}, {type='bar', name='b'}, 'Shop'", "b,", "Error, bad LUA UI element number"},
        {"return {type='Button'}, 4, 'Shop'", nullptr, "Display Shop got no widget, so it is not opened"},
        {"return box('a'), 7", nullptr, "Error, display name undefined in LUA"},
        {"error('boom')", nullptr, "Lua event error, [string \"answer = function() error('boom') end\"]:1: boom"},
        {"error({})", nullptr, "Lua event error, (error value without text)"},
    };
    for (const Case& c : cases) {
        displays.clear();
        const std::string out = open(c.answer);
        ASSERT_EQ(displays.size(), c.widgets ? 1u : 0u) << c.answer << "\n" << out;
        if (c.widgets) {
            EXPECT_EQ(names(), c.widgets) << c.answer;
        }
        const size_t found = out.find(c.printed ? c.printed : "Error");
        EXPECT_EQ(found != std::string::npos, c.printed != nullptr) << c.answer << "\n" << out;
        EXPECT_EQ(lua_gettop(L), 1) << c.answer;
    }
}

TEST_F(uiDisplayTest, FontsAndButtonStatesOutsideTheirRangeFallBackToZero) {
    char standIns[3];  // fonts never drawn with: only which entry a widget takes is looked at
    fonts = {reinterpret_cast<Font*>(&standIns[0]), reinterpret_cast<Font*>(&standIns[1]),
             reinterpret_cast<Font*>(&standIns[2])};
    const std::string out = open("return {type='button', font=3, initialState=7}, {type='button', font=0.9, "
                                 "initialState=2.7}, {type='box', font=-1}, {type='box', font=1.9}, "
                                 "{type='button', font=2}, 'Shop'");
    ASSERT_EQ(displays.size(), 1u);
    const auto button = [this](size_t i) -> uiButton& { return static_cast<uiButton&>(*displays[0].elements[i]); };
    const auto box = [this](size_t i) -> uiBox& { return static_cast<uiBox&>(*displays[0].elements[i]); };
    EXPECT_EQ(button(0).font, fonts[2]);
    EXPECT_EQ(box(1).font, fonts[1]) << "1.9 is truncated";
    EXPECT_EQ(box(2).font, fonts[0]);
    EXPECT_EQ(button(3).font, fonts[0]) << "0.9 is truncated";
    EXPECT_EQ(button(4).font, fonts[0]);
    EXPECT_EQ(button(3).state, 2);
    EXPECT_EQ(button(4).state, 0);
    for (const char* line : {"Font 3 is not a font index, so font 0 is used", "Font -1 is not a font index",
                             "Button state 7 is not 0 to 3"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
}

namespace {

std::string caption(uiDisplayBase& widget) {
    std::vector<float> floats;
    std::vector<std::string> texts;
    widget.exportVals(floats, texts);
    return texts.at(0);
}

}  // namespace

TEST_F(uiDisplayTest, RepliesDeleteImportOrAddWidgetsByName) {
    struct Case {
        const char* reply;
        const char* widgets;
        const char* frontText;
        const char* backText;
        float backX1;
    };
    const Case cases[] = {
        {"return {name='buy', delete=1}", ",price,", "", "7", 0},
        {"return {name='buy', delete='1'}", ",price,", "", "7", 0},
        {"return {name='buy', delete=true, text='x', new=false}", ",buy,price,buy,", "", "x", 0},
        {"return {name='', text='free', new=false}", ",buy,price,buy,", "free", "Buy", 0},
        {"return {name='buy', x1=50, x2=10, text='y'}", ",buy,price,buy,", "", "y", 10},  // no type: not built
        {"return box('late', 'L'), 5, nil", ",buy,price,buy,late,", "", "L", 0},
        {"error('broken')", ",buy,price,buy,", "", "Buy", 0},
    };
    for (const Case& c : cases) {
        displays.clear();
        open("return box('buy', 'Buy'), box('price', 7), {type='button', name='buy', text='Buy'}, box(nil), 'Shop'");
        exchange(c.reply);
        ASSERT_EQ(displays.size(), 1u) << c.reply;
        EXPECT_EQ(names(), c.widgets) << c.reply;
        EXPECT_EQ(caption(*displays[0].elements.front()), c.frontText) << c.reply;
        EXPECT_EQ(caption(*displays[0].elements.back()), c.backText) << c.reply;
        EXPECT_EQ(displays[0].elements.back()->p1.x, c.backX1) << c.reply;
        for (const auto& widget : displays[0].elements) EXPECT_FALSE(widget->modified) << c.reply;
    }
}

TEST_F(uiDisplayTest, UpdateUIGetsTheNameAndEveryWidgetsValues) {
    open("return {type='slider', name='s', x1=20, y1=0, x2=60, y2=10, leftVal=1, rightVal=9, curVal=4}, "
         "{type='button', name='b\\0c', initialState=3, text='G\\0o'}, 'Shop'");
    exchange("return");
    EXPECT_EQ(number("received.n"), 3);
    run("assert(received[1] == 'Shop' and received[2].name == 'b\\0c' and received[2].state == 1 and "
        "received[2].text == 'G\\0o' and received[2].modified == true and received[2].type == nil and "
        "received[3].curVal == 4 and received[3].x2 == 60 and received[3].arrowWidth == 10 and "
        "received[3].modified == false)");
    displays[0].elements[0]->modified = false;
    captured([&] { runDisplays(displays, fonts, L); });  // nothing changed: no exchange
    EXPECT_EQ(number("received.n"), 3);
}

TEST_F(uiDisplayTest, DeletingTheLastWidgetClosesTheDisplayAndTheNextIsHandledInTheSamePass) {
    for (const char* name : {"First", "Second", "Third"}) open("return box('" + std::string(name) + "'), '" + name + "'");
    displays[1].elements.front()->modified = true;
    exchange("if received[1] == 'First' then return {name='First', delete=1} end return box('new')");
    ASSERT_EQ(displays.size(), 2u);
    EXPECT_EQ(names(0), "Second,new,");  // a reply's new widget goes to the display it answers
    EXPECT_EQ(names(1), "Third,");
}

TEST_F(uiDisplayTest, ADisplayOfTwoHundredWidgetsExchangesThemAll) {
    open("local t = {} for i = 1, 200 do t[i] = box('w' .. i) end t[201] = 'Many' return unpack(t)");
    ASSERT_EQ(displays.at(0).elements.size(), 200u);
    EXPECT_EQ(displays[0].elements.front()->name, "w200");
    exchange("return");
    EXPECT_EQ(number("received.n"), 201);
}
