// The host functions through a real Lua state over the shipped galaxy: arguments, results, loads and resizes.
#include <functional>
#include <map>
#include <stdexcept>

#include "basicsLua.h"
#include "capturedOutput.h"
#include "defaultVals.h"
#include "font.h"
#include "planet.h"
#include "playerGame.h"
#include "ship.h"
#include "startLua.h"
#include "uiDisplay.h"
#include "uiDisplayBase.h"

class LuaHost : public PlayerGame {
protected:
    void SetUp() override {
        PlayerGame::SetUp();
        ASSERT_EQ(luaL_dostring(s.lua, "function addUI() return 1, 2, 3 end"), 0);
        initLog = captured([&] { initLua(*universe, s.lua); });
    }

    // Runs a chunk that ends in "return <value>"; its result as text ("" and a failure on an error).
    std::string eval(const std::string& chunk) {
        std::string result;
        out = captured([&] {
            if (luaL_dostring(s.lua, chunk.c_str()) != 0) ADD_FAILURE() << chunk << ": " << lua_tostring(s.lua, -1);
            else if (lua_gettop(s.lua) > 0) result = luaAnyToString(s.lua, -1);
        });
        lua_settop(s.lua, 0);
        return result;
    }

    std::string initLog;
    std::string out;  // what the last eval printed
};

TEST_F(LuaHost, StartUpDropsWhatAddUIReturnedAndPublishesTheGame) {
    EXPECT_EQ(lua_gettop(s.lua), 0);
    EXPECT_NE(initLog.find("Add:"), std::string::npos);
    EXPECT_EQ(luaUniverse(s.lua), universe.get());
    const struct {
        const char* script;
        const char* line;  // null for none
    } cases[] = {{"function addUI() return end", nullptr},
                 {"function addUI() error({}) end", "Lua event error, (error value without text)\n"},
                 {"function addUI() error(0.25, 0) end", "Lua event error, 0.25\n"},
                 {"addUI = nil", "Lua event error, attempt to call a nil value\n"}};
    for (const auto& c : cases) {
        ASSERT_EQ(luaL_dostring(s.lua, c.script), 0);
        const std::string printed = captured([&] { initLua(*universe, s.lua); });
        EXPECT_EQ(lua_gettop(s.lua), 0) << c.script;
        if (c.line) {
            EXPECT_NE(printed.find(c.line), std::string::npos) << printed;
        } else {
            EXPECT_EQ(printed.find("Lua event error, "), std::string::npos) << printed;
        }
    }
}

TEST_F(LuaHost, EveryHostFunctionTakesTooFewTooManyAndWrongArgumentsAndGivesOnlyItsOwnResults) {
    const std::string chunk = R"(
        local names = {"getPlayerWorld", "getIsPlayerLanded", "getPlayerLandedPlanetId", "getDecodedPlanetName",
          "getVal", "setVal", "getPlanetTradeGoods", "getPlanetEquipment", "disablePlayerInput",
          "enablePlayerInput", "debugDisplay", "testPass", "getPlanetData", "setPlanetData", "spawnShip",
          "getAvailableResolutions", "resize", "getFactionName", "getWorldData", "getFactionData"}
        -- Results whatever the arguments; the item lists give one table per item instead.
        local resultCounts = {getPlayerWorld = 1, getIsPlayerLanded = 1, getPlayerLandedPlanetId = 1,
          getDecodedPlanetName = 1, getVal = 1, setVal = 0, disablePlayerInput = 0, enablePlayerInput = 0,
          debugDisplay = 0, testPass = 1, getPlanetData = 2, setPlanetData = 0, spawnShip = 1,
          getAvailableResolutions = 1, resize = 0, getFactionName = 1, getWorldData = 1, getFactionData = 1}
        local argumentSets = {{}, {0, 1, 2, 3, 4, 5}, {{}, "x", true}, {"1", setmetatable({}, {__index = error})},
                              {0 / 0, 1e300, -1e300}}
        local function pack(...) return select('#', ...), {...} end
        local calls = 0
        for _, name in ipairs(names) do
          for _, args in ipairs(argumentSets) do
            local n, results = pack(pcall(_G[name], unpack(args)))
            if not results[1] then error(name .. ": " .. tostring(results[2])) end
            local expected = resultCounts[name]
            if expected and n - 1 ~= expected then error(name .. " gave " .. (n - 1) .. " results") end
            for i = 2, n do
              if not expected and type(results[i]) ~= "table" then error(name .. " gave a " .. type(results[i])) end
            end
            calls = calls + 1
          end
        end
        enablePlayerInput()
        return calls)";
    EXPECT_EQ(eval(chunk), "100");
}

namespace {

// A script that guards its globals: reading or creating one it did not declare raises.
const char* const GUARDED_GLOBALS = R"(
    function addUI(event) if event then return {type = 'box', name = 'b'}, 'Guarded' end return 0 end
    function updateUI() end
    function planetTick() end
    getPlayerWorld = nil  -- as before the first start-up, which sets it past the guard
    setmetatable(_G, {__newindex = function(_, k) error('undeclared global ' .. k, 0) end,
                      __index = function(_, k) error('undeclared global ' .. k, 0) end}))";

// Lua's own panic ends the process; here it ends only the step, with the line Lua prints.
int panicAsException(lua_State* L) {
    throw std::runtime_error("PANIC: unprotected error in call to Lua API (" + luaErrorText(L) + ")");
}

// What step printed, the panic that ended it included.
std::string printedBy(const std::function<void()>& step) {
    return captured([&] {
        try {
            step();
        } catch (const std::runtime_error& panic) {
            std::cout << panic.what() << std::endl;
        }
    });
}

}  // namespace

TEST_F(LuaHost, GuardedScriptGlobalsGiveOneLineForAMissingEntryPointAndNeverAnAbort) {
    lua_atpanic(s.lua, panicAsException);
    ASSERT_EQ(luaL_dostring(s.lua, GUARDED_GLOBALS), 0);
    std::string printed = printedBy([&] { initLua(*universe, s.lua); });
    ASSERT_EQ(printed.find("PANIC"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("error"), std::string::npos) << printed;
    EXPECT_EQ(eval("return getPlayerWorld()"), "0") << "the host functions are set past the guard";
    printed = printedBy([&] { uiEvent(universe->uiDisplays, {1.0f}, s.fonts, s.lua); });
    ASSERT_EQ(universe->uiDisplays.size(), 1u) << printed;
    Planet& planet = *universe->getPlanet(0);
    const struct {
        const char* entryPoint;
        std::string line;
        std::function<void()> call;
    } cases[] = {
        {"addUI", "Lua event error, undeclared global addUI\n", [&] { initLua(*universe, s.lua); }},
        {"addUI", "Lua event error, undeclared global addUI\n",
         [&] { uiEvent(universe->uiDisplays, {1.0f}, s.fonts, s.lua); }},
        {"updateUI", "LUA encountered an error in uiDisplay update function: undeclared global updateUI\n",
         [&] {
             universe->uiDisplays[0].elements[0]->modified = true;
             runDisplays(universe->uiDisplays, s.fonts, s.lua);
         }},
        {"planetTick", "Lua event error, undeclared global planetTick\n",
         [&] { planet.update(universe->worlds[0], nullptr, 1001, {0, 0}, *universe); }},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(luaL_dostring(s.lua, ("rawset(_G, '" + std::string(c.entryPoint) + "', nil)").c_str()), 0);
        printed = printedBy(c.call);
        ASSERT_EQ(printed.find("PANIC"), std::string::npos) << printed;
        EXPECT_NE(printed.find(c.line), std::string::npos) << printed;
        EXPECT_EQ(printed.find("undeclared"), printed.rfind("undeclared")) << "one line: " << printed;
        EXPECT_EQ(lua_gettop(s.lua), 0) << c.entryPoint;
    }
}

TEST_F(LuaHost, ResultsWithTheNamedArguments) {
    const planetData first = universe->getPlanetData(0);
    const std::string faction0 = universe->factionNames.at(0);
    const std::string star = universe->currentWorld->stars.at(0).getName();
    const struct {
        const char* chunk;
        std::string expected;
    } cases[] = {
        {"return getIsPlayerLanded()", "0"},
        {"return getPlayerLandedPlanetId()", "-1"},
        {"return getPlayerWorld()", "0"},
        {"return getVal()", "0"},
        {"return testPass().price .. testPass().name", "70This is my name"},
        {"return getFactionName(-1) .. getFactionName(1e9)", "NeutralNeutral"},
        {"return getFactionName(0)", faction0},
        {"return getFactionData()[0].name", faction0},
        {"return getFactionData()[0][1]", std::to_string(universe->factionRelations[0][1])},
        {"return getWorldData()[1].name", star},
        {"return getWorldData()[1][1].ID", "0"},
        {"return getPlanetData(0).name .. getDecodedPlanetName(0)", first.name + first.name},
        {"return getPlanetData(0).element1", std::to_string(first.element1)},
        {"return tostring(getPlanetData(0).radius ~= nil)", "true"},
        {"local d, e = getPlanetData(1e9) return tostring(d.x) .. tostring(next(e) == nil)", "niltrue"},
        {"return getPlanetTradeGoods(-1)", "-1"},
        {"return select('#', getPlanetTradeGoods(0)) .. (getPlanetTradeGoods(0)).name", "3Water Ice"},
        {"return select('#', getPlanetEquipment(1e9))", "0"},
        {"setVal(2.7) debugDisplay(12) debugDisplay() return 1", "1"},
    };
    for (const auto& c : cases) EXPECT_EQ(eval(c.chunk), c.expected) << c.chunk;
    EXPECT_NE(out.find("Setting to2\nLua debug:12:\nLua display debug called, but non-string passed.  Type: no value"),
              std::string::npos) << out;
    float published = 2.5f;
    registryInsert(s.lua, published, "testVal");
    EXPECT_EQ(eval("return getVal()"), "2.5");
}

TEST_F(LuaHost, SetPlanetDataKeepsOmittedFieldsAndLeavesOutWhatCannotBeSaved) {
    const int element1 = universe->getPlanetData(0).element1;
    eval(R"(setPlanetData({a = "x", n = 1234567, b = true, [2] = "y", ["2nd"] = "w", ["bad key"] = "z"}, {health = 5, factionOwner = 99}, 0))");
    const planetData data = universe->getPlanetData(0);
    EXPECT_EQ(data.health, 5.0f);
    EXPECT_EQ(data.element1, element1) << "an omitted field keeps its value";
    EXPECT_EQ(data.factionOwner, -1) << "an owner that is no faction";
    std::map<std::string, std::string> extra;
    for (const luaStringPair& pair : universe->getExtraPlanetData(0)) extra[pair.key] = pair.value;
    EXPECT_EQ(extra, (std::map<std::string, std::string>{{"a", "x"}, {"n", "1234567"}, {"b", "1"}, {"2", "y"}, {"2nd", "w"}}));
    EXPECT_NE(out.find("\"bad key\" cannot be saved"), std::string::npos) << out;
    eval("setPlanetData({}, {}, -1)");
    EXPECT_NE(out.find("Bad index given for planet index"), std::string::npos);
}

TEST_F(LuaHost, AfterALoadTheFunctionsActOnTheNewPlayerAndDocument) {
    captured([&] { newPlayer(); });  // a load replaces the player the registry entries of start-up point into
    player().setLanded(4);
    EXPECT_EQ(eval("disablePlayerInput() return getPlayerLandedPlanetId()"), "4");
    EXPECT_FALSE(player().getKeysOn());
    std::string text = "<universe><world><star><planet><tradeGood name=\"Quartz\" price=\"3\"/></planet></star></world></universe>";
    rapidxml::xml_document<char> doc;
    doc.parse<0>(&text[0]);
    universe->universeRoot = doc.first_node();
    EXPECT_EQ(eval("return (getPlanetTradeGoods(0)).name"), "Quartz");
    std::string many = "<universe><world><star><planet>";
    for (int i = 0; i < 9000; ++i) many += "<tradeGood name=\"g\" price=\"1\"/>";
    many += "</planet></star></world></universe>";
    doc.parse<0>(&many[0]);
    universe->universeRoot = doc.first_node();
    const int count = std::stoi(eval("return select('#', getPlanetTradeGoods(0))"));
    EXPECT_GT(count, 200) << "a planet of many goods lists them";
    EXPECT_LT(count, 9000) << "until Lua's stack has no room";
}

TEST_F(LuaHost, SpawnShipRegistersTheStoredShipOrRefuses) {
    const std::string type = universe->shipTypes[0].name;
    const unsigned id = std::stoul(eval("return spawnShip({name = '" + type + "', x = 50, y = 60})"));
    ASSERT_EQ(id + 1, universe->getRawShipListSize());
    const Ship& stored = universe->currentWorld->ships.front();
    EXPECT_EQ(universe->getShip(id), &stored);
    EXPECT_EQ(stored.getPos().x, 50.0f);
    EXPECT_EQ(stored.getFaction(), 1);
    EXPECT_EQ(stored.getAI(), -1) << "no AIType given";
    const std::string known = "return spawnShip({name = '" + type + "', ";
    for (const std::string& bad : std::initializer_list<std::string>{
             "return spawnShip({name = 'No Such Ship'})", "return spawnShip(7)", known + "x = 0/0})",
             known + "y = 1e39})", known + "AIType = 1, destinationX = 0/0})"})
        EXPECT_EQ(eval(bad), "-1") << bad;
    EXPECT_EQ(universe->getRawShipListSize(), id + 1);
}

namespace {

// A finaliser that re-arms itself at every collection and raises at the countdown's end. With
// a whole cycle at every allocation check, countdown n strikes at the n-th check from now, so
// sweep calls f with n = 1, 2, ... until a call passes and checks the game after each call.
const char* const RAISING_FINALISER = R"(
    countdown = nil
    finaliserTemplate = newproxy(true)
    getmetatable(finaliserTemplate).__gc = function()
      newproxy(finaliserTemplate)
      if countdown then
        countdown = countdown - 1
        if countdown == 0 then countdown = nil error('finaliser', 0) end
      end
    end
    newproxy(finaliserTemplate)
    collectgarbage('setpause', 0)
    collectgarbage('setstepmul', 0)
    function sweep(f, check)
      local failed = 0
      while true do
        collectgarbage()  -- a raising finaliser leaves the collector's threshold high
        countdown = failed + 1
        local ok, err = pcall(f)
        countdown = nil
        check()
        if ok then return failed end
        if err ~= 'finaliser' then error(err) end
        failed = failed + 1
      end
    end)";

}  // namespace

// Under the sanitizers this also shows that nothing the host functions hold leaks.
TEST_F(LuaHost, AScriptErrorInsideAHostFunctionLeavesNothingHalfDone) {
    ASSERT_EQ(luaL_dostring(s.lua, RAISING_FINALISER), 0);
    eval("setPlanetData({mark = '0'}, {health = 0}, 0) spawned = 0 return 1");
    const size_t ships = universe->currentWorld->ships.size();
    const unsigned registered = universe->getRawShipListSize();
    // A call can still fail after spawnShip returned, at the collection step that ends it.
    const std::string spawn = "spawnShip({name = '" + universe->shipTypes[0].name +
                              "', AIType = 1, destinationX = 5, destinationY = 6}) spawned = spawned + 1";
    const char* const samePlanetCall = "local d, e = getPlanetData(0) assert(tostring(d.health) == e.mark)";
    const struct {
        std::string call;
        std::string check;
    } cases[] = {
        {"n = (n or 0) + 1 setPlanetData({mark = tostring(n), pad = 1.5, more = 2.5}, {health = n}, 0)", samePlanetCall},
        {spawn, ""},
        {"getPlanetData(0)", ""},
        {"getWorldData() getFactionData() getPlanetTradeGoods(0) getDecodedPlanetName(0)", ""},
    };
    for (const auto& c : cases)
        EXPECT_GT(std::atoi(eval("return sweep(function() " + c.call + " end, function() " + c.check + " end)").c_str()), 1)
            << c.call << ": the finaliser never struck\n" << out;
    const int spawned = std::atoi(eval("return spawned").c_str());
    EXPECT_GT(spawned, 0);
    EXPECT_EQ(universe->currentWorld->ships.size(), ships + size_t(spawned)) << "a ship for every ID returned";
    EXPECT_EQ(universe->getRawShipListSize(), registered + unsigned(spawned));
    EXPECT_EQ(universe->currentWorld->ships.front().getAI(), 1);
}

namespace {

// Opens "Swept" with the widgets b and gone; its exchange changes b, deletes gone and adds added.
const char* const SWEPT_DISPLAY = R"(
    function addUI(event)
      if not event then return 0 end
      return {type = 'box', name = 'gone', text = 'old box'}, {type = 'button', name = 'b', text = 'old'}, 'Swept'
    end
    function updateUI(name, b)
      b.text = 'new' b.new = false
      return {type = 'text', name = 'added', text = 'added'}, {name = 'gone', delete = 1, new = false}, b
    end
    function planetTick() local t = {} end)";

// Each open display as "name: widget=text,...", a widget still marked modified with a '*'.
std::string displaysSummary(std::vector<uiDisplay>& displays) {
    std::string summary;
    for (uiDisplay& display : displays) {
        summary += display.name + ":";
        for (const auto& widget : display.elements) {
            std::vector<float> floats;
            std::vector<std::string> texts;
            widget->exportVals(floats, texts);
            summary += " " + widget->name + "=" + (texts.empty() ? "" : texts.front()) + (widget->modified ? "*" : "");
        }
    }
    return summary;
}

int occurrences(const std::string& text, const std::string& word) {
    int count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
    return count;
}

}  // namespace

// The host side's own Lua calls outside the script's: a strike there is one line and play goes on.
TEST_F(LuaHost, AScriptErrorAroundTheGamesCallsIntoTheScriptChangesNothingOrAllAndNeverAborts) {
    lua_atpanic(s.lua, panicAsException);
    ASSERT_EQ(luaL_dostring(s.lua, RAISING_FINALISER), 0);
    ASSERT_EQ(luaL_dostring(s.lua, SWEPT_DISPLAY), 0);
    std::vector<uiDisplay>& displays = universe->uiDisplays;
    const std::string opened = "Swept: b=old gone=old box";
    const std::string exchanged = "Swept: b=new added=added";
    const struct {
        const char* step;
        std::string line;
        std::string struck;  // the displays when the step failed
        std::string passed;
        std::function<void()> call;
    } cases[] = {
        {"opening", "Lua event error, finaliser\n", "", opened,
         [&] {
             displays.clear();
             uiEvent(displays, {1.0f}, s.fonts, s.lua);
         }},
        {"exchange", "LUA encountered an error in uiDisplay update function: finaliser\n", opened, exchanged,
         [&] {
             displays.at(0).elements.at(0)->modified = true;
             runDisplays(displays, s.fonts, s.lua);
         }},
        {"planetTick", "Lua event error, finaliser\n", exchanged, exchanged,
         [&] { universe->getPlanet(0)->update(universe->worlds[0], nullptr, 1001, {0, 0}, *universe); }},
        {"start-up", "Lua event error, finaliser\n", exchanged, exchanged, [&] { initLua(*universe, s.lua); }},
    };
    for (const auto& c : cases) {
        int failed = 0;
        for (bool struck = true; struck && failed < 100000;) {
            ASSERT_EQ(luaL_dostring(s.lua, "collectgarbage()"), 0);
            lua_pushnumber(s.lua, failed + 1);
            lua_setfield(s.lua, LUA_GLOBALSINDEX, "countdown");
            const std::string printed = printedBy(c.call);
            ASSERT_EQ(printed.find("PANIC"), std::string::npos) << c.step << " at " << failed + 1 << ": " << printed;
            lua_getfield(s.lua, LUA_GLOBALSINDEX, "countdown");
            struck = lua_isnil(s.lua, -1);
            lua_settop(s.lua, 0);
            lua_pushnil(s.lua);  // without running code, which a countdown left over would strike
            lua_setfield(s.lua, LUA_GLOBALSINDEX, "countdown");
            EXPECT_EQ(displaysSummary(displays), struck ? c.struck : c.passed) << c.step << " at " << failed + 1;
            EXPECT_EQ(occurrences(printed, "finaliser"), struck ? 1 : 0) << c.step << " at " << failed + 1 << ": " << printed;
            if (struck) {
                EXPECT_NE(printed.find(c.line), std::string::npos) << c.step << ": " << printed;
            }
            failed += struck;
        }
        EXPECT_GT(failed, 1) << c.step << ": the finaliser never struck";
        EXPECT_LT(failed, 100000) << c.step << " never passed";
    }
}

TEST_F(LuaHost, ResizeIsOnlyRecordedAndRefusesSizesNoWindowCanHave) {
    int width = 0;
    int height = 0;
    for (const char* refused : {"resize(0, 600)", "resize(800, 0/0)", "resize(40000, 600)", "resize(-1, 5)"}) {
        eval(refused);
        EXPECT_FALSE(takeResizeRequest(s.lua, width, height)) << refused;
    }
    eval("resize(1024, 768.9, false)");
    EXPECT_EQ(w, 1280) << "nothing happens inside the script's call";
    ASSERT_TRUE(takeResizeRequest(s.lua, width, height));
    EXPECT_EQ(width * 10000 + height, 1024 * 10000 + 768);
    EXPECT_FALSE(takeResizeRequest(s.lua, width, height)) << "a request is carried out once";
}

class ShippedScript : public LuaHost {
protected:
    void SetUp() override {
        LuaHost::SetUp();
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // as start-up sets it: glyph rows are packed tight
        out = captured([&] { font = std::make_unique<Font>("subatomic.brelvosk.ttf"); });
        s.fonts = {font.get()};
        ASSERT_EQ(luaL_dofile(s.lua, "ui.lua"), 0);
    }
    void TearDown() override {
        captured([&] { resize(1280, 1024, 0, false, nullptr); });
        LuaHost::TearDown();
    }

    // Clicks the centre of the open display's widget of that name, then runs a frame.
    void clickAndRunFrame(const std::string& name) {
        ASSERT_EQ(universe->uiDisplays.size(), 1u);
        for (const auto& widget : universe->uiDisplays[0].elements)
            if (widget->name == name)
                clickDisplays(universe->uiDisplays, {(widget->p1.x + widget->p2.x) / 2, (widget->p1.y + widget->p2.y) / 2});
        s.lastTicks = SDL_GetTicks() - 5;
        out = captured([&] { runFrame(s); });
    }
    std::string extra(unsigned planet, const std::string& key) {
        for (const luaStringPair& pair : universe->getExtraPlanetData(planet))
            if (pair.key == key) return pair.value;
        return "";
    }

    std::unique_ptr<Font> font;
};

TEST_F(ShippedScript, OpensThePlanetBuysWithTheCursorAndResizesAfterTheDisplayPass) {
    player().setLanded(0);
    captured([&] { uiEvent(universe->uiDisplays, {1.0f, 6.4f, 9.4f, -94.0f}, s.fonts, s.lua); });
    ASSERT_EQ(universe->uiDisplays.size(), 1u);
    EXPECT_EQ(universe->uiDisplays[0].name, "planet 0");
    EXPECT_FALSE(player().getKeysOn());
    clickAndRunFrame("buy1");
    const int price = 6;  // half the base price of 12 at a stock of 2000 or more
    EXPECT_EQ(extra(0, "playerCredits"), std::to_string(1000 - price)) << out;
    EXPECT_EQ(extra(0, "cargo_Water_20Ice"), "1");
    clickAndRunFrame("screen");
    EXPECT_TRUE(universe->uiDisplays.empty());
    EXPECT_FALSE(player().isLanded()) << "a loaded player starts in flight: " << out;
    EXPECT_TRUE(player().getKeysOn());
    EXPECT_NE(w * 100000 + h, 1280 * 100000 + 1024) << "the window took the next size";
    EXPECT_EQ(extra(0, "playerCredits"), std::to_string(1000 - price)) << "the wallet went through the save";
}
