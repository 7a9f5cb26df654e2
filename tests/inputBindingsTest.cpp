// The key and mouse bindings, driven by real SDL events over a real Universe and player.
#include <cmath>
#include <filesystem>

#include "defaultVals.h"
#include "playerGame.h"

class InputBindings : public PlayerGame {};

TEST_F(InputBindings, ZoomAndNearFactorStepByOnePointTwoWithoutBounds) {
    struct Case {
        SDLKey key;
        int presses;
        double viewHeight;
        double nearFactor;
    };
    const Case cases[] = {
        {SDLK_MINUS, 1, 4000 / 1.2, 1},
        {SDLK_EQUALS, 1, 4000 * 1.2, 1},
        {SDLK_MINUS, 20, 4000 / std::pow(1.2, 20), 1},
        {SDLK_EQUALS, 60, 4000 * std::pow(1.2, 60), 1},
        {SDLK_n, 3, 4000, std::pow(1.2, 3)},
        {SDLK_m, 40, 4000, std::pow(1.2, -40)},
    };
    for (const Case& c : cases) {
        s.viewHeight = 4000;
        s.nearFactor = 1;
        for (int i = 0; i < c.presses; ++i) deliver({keyPress(c.key)});
        EXPECT_NEAR(s.viewHeight / c.viewHeight, 1.0, 1e-4) << "key " << c.key << " x" << c.presses;
        EXPECT_NEAR(s.nearFactor / c.nearFactor, 1.0, 1e-4) << "key " << c.key << " x" << c.presses;
    }
}

TEST_F(InputBindings, ZoomAndNearFactorStopShortOfZeroAndInfinitySoTheOppositeKeyBringsThemBack) {
    struct Case {
        SDLKey away, back;
        float MainState::*value;
    };
    const Case cases[] = {
        {SDLK_MINUS, SDLK_EQUALS, &MainState::viewHeight},
        {SDLK_EQUALS, SDLK_MINUS, &MainState::viewHeight},
        {SDLK_m, SDLK_n, &MainState::nearFactor},
        {SDLK_n, SDLK_m, &MainState::nearFactor},
    };
    for (const Case& c : cases) {
        s.viewHeight = 4000;
        s.nearFactor = 1;
        for (int i = 0; i < 1200; ++i) handleEvent(s, keyPress(c.away));
        const float extreme = s.*c.value;
        EXPECT_TRUE(std::isnormal(extreme)) << "key " << c.away << " gave " << extreme;
        handleEvent(s, keyPress(c.back));
        EXPECT_NE(s.*c.value, extreme) << "key " << c.back << " after " << c.away;
        EXPECT_TRUE(std::isnormal(s.*c.value));
    }
}

TEST_F(InputBindings, ShiftWithAFunctionKeySavesItsSlotAndTheKeyAloneLoadsIt) {
    struct Case {
        SDLMod modifiers;  // what the event says was held when the key went down
        SDLKey heldNow;  // what the key state shows when the frame handles it; SDLK_UNKNOWN: nothing
        SDLKey key;
        const char* expected;
    };
    const Case cases[] = {
        {KMOD_NONE, SDLK_UNKNOWN, SDLK_F3, "Error, bad save path 3\n"},
        {KMOD_LSHIFT, SDLK_LSHIFT, SDLK_F3, "SAVING"},
        {KMOD_NONE, SDLK_UNKNOWN, SDLK_F3, "Loaded.\n"},
        {KMOD_RSHIFT, SDLK_RSHIFT, SDLK_F5, "SAVING"},
        {KMOD_NONE, SDLK_UNKNOWN, SDLK_F5, "Loaded.\n"},
        {KMOD_NONE, SDLK_UNKNOWN, SDLK_F1, "Error, bad save path 1\n"},
        {KMOD_RSHIFT, SDLK_UNKNOWN, SDLK_F1, "SAVING"},  // Shift let go before the frame handled F1
        {KMOD_NONE, SDLK_LSHIFT, SDLK_F1, "Loaded.\n"},  // Shift pressed after F1, before the frame handled it
    };
    for (const Case& c : cases) {
        HeldKeys held{c.heldNow};
        const std::string out = deliverAndCapture({keyPress(c.key, c.modifiers)});
        EXPECT_NE(out.find(c.expected), std::string::npos)
            << "key " << c.key << ", modifiers " << c.modifiers << ", held " << c.heldNow << ": " << out;
    }
    EXPECT_EQ(deliverAndCapture({keyPress(SDLK_F6)}), "") << "F6 is not bound";
}

TEST_F(InputBindings, EOpensThePlanetInterfaceOnlyWhenLandedWithKeysOn) {
    struct Case {
        bool landed;
        bool keysOn;
    };
    const Case cases[] = {{false, true}, {true, false}, {false, false}, {true, true}};
    for (const Case& c : cases) {
        newPlayer();
        if (c.landed) player().setLanded(2);
        *player().getInputPointer() = c.keysOn;
        luaL_dostring(s.lua, "received = nil");
        deliver({keyPress(SDLK_e)});
        lua_getglobal(s.lua, "received");
        const bool called = lua_istable(s.lua, -1);
        EXPECT_EQ(called, c.landed && c.keysOn) << "landed " << c.landed << ", keys " << c.keysOn;
        if (called) {
            const double expected[] = {1.0, 6.4f, 9.4f, -94.0};
            EXPECT_EQ(lua_objlen(s.lua, -1), 4u);
            for (int i = 0; i < 4; ++i) {
                lua_rawgeti(s.lua, -1, i + 1);
                EXPECT_DOUBLE_EQ(lua_tonumber(s.lua, -1), expected[i]) << "value " << i;
                lua_pop(s.lua, 1);
            }
        }
        lua_settop(s.lua, 0);
    }
}

namespace {

// Whether every ship of the world is in the registry at its own address.
bool allRegistered(Universe& universe, size_t world) {
    for (const Ship& ship : universe.worlds[world].ships)
        if (universe.getShip(ship.getID()) != &ship) return false;
    return true;
}

std::vector<unsigned> idsOf(const Universe& universe, size_t world) {
    std::vector<unsigned> ids;
    for (const Ship& ship : universe.worlds[world].ships) ids.push_back(ship.getID());
    return ids;
}

}  // namespace

TEST_F(InputBindings, CEmptiesOnlyThePlayersWorldAndItsRegistryEntries) {
    placeShips(0, 3);
    placeShips(1, 2);
    const std::vector<unsigned> removed = idsOf(*universe, 0);
    const size_t elsewhere = universe->worlds[1].ships.size();
    deliver({keyPress(SDLK_c)});
    EXPECT_TRUE(universe->worlds[0].ships.empty());
    for (unsigned id : removed) EXPECT_EQ(universe->getShip(id), nullptr) << "ship " << id;
    EXPECT_EQ(universe->worlds[1].ships.size(), elsewhere);
    for (size_t world = 1; world < universe->worlds.size(); ++world)
        EXPECT_TRUE(allRegistered(*universe, world)) << "world " << world;

    // From another world, the same key spares the first.
    placeShips(0, 1);
    testing::internal::CaptureStdout();
    player().warpWorld(1, *universe);
    testing::internal::GetCapturedStdout();
    deliver({keyPress(SDLK_c)});
    EXPECT_TRUE(universe->worlds[1].ships.empty());
    ASSERT_EQ(universe->worlds[0].ships.size(), 1u);
    EXPECT_TRUE(allRegistered(*universe, 0));
}

TEST_F(InputBindings, PQueuesATwoLineTestNotification) {
    deliver({keyPress(SDLK_p)});
    ASSERT_EQ(universe->notifications.size(), 1u);
    const scrollText& note = universe->notifications.front();
    ASSERT_EQ(note.textLines.size(), 2u);
    EXPECT_FALSE(note.textLines[0].empty());
    EXPECT_EQ(note.textLines[0].find(' '), std::string::npos) << "one word";
    EXPECT_EQ(note.textLines[1], "Line2");
    EXPECT_EQ(note.lifetimeRemaining, 5000);
    EXPECT_EQ(note.font, 0u);
}

TEST_F(InputBindings, DigitKeysPickSlotsTheShipHasAndTheWheelStepsWithoutWrapping) {
    fiveSlotPlayer();
    struct Step {
        SDL_Event event;
        unsigned slot;  // selected afterwards; the ship has five
    };
    const Step steps[] = {
        {keyPress(SDLK_3), 2},
        {keyPress(SDLK_7), 2},
        {keyPress(SDLK_6), 2},
        {keyPress(SDLK_5), 4},
        {mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP), 4},
        {mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELDOWN), 3},
        {keyPress(SDLK_1), 0},
        {mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELDOWN), 0},
        {mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP), 1},
        {mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_WHEELUP), 1},
        {mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT), 1},
        {keyPress(SDLK_8), 1},
        {keyPress(SDLK_0), 1},
        {keyPress(SDLK_4), 3},
    };
    int i = 0;
    for (const Step& step : steps) {
        deliver({step.event});
        EXPECT_EQ(player().getActiveWeaponIndex(), step.slot) << "step " << i++;
    }

    newPlayer();  // the shipped ship fills all seven slots
    deliver({keyPress(SDLK_7)});
    EXPECT_EQ(player().getActiveWeaponIndex(), 6u);
    deliver({mouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP)});
    EXPECT_EQ(player().getActiveWeaponIndex(), 6u);
}

TEST_F(InputBindings, ReleasingTheLeftOrRightButtonStartsANewWall) {
    struct Case {
        Uint8 type;
        Uint8 button;
        int advance;
    };
    const Case cases[] = {
        {SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1},       {SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1},
        {SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 0},     {SDL_MOUSEBUTTONUP, SDL_BUTTON_WHEELUP, 0},
        {SDL_MOUSEBUTTONUP, SDL_BUTTON_WHEELDOWN, 0},  {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 0},
        {SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 0},
    };
    for (const Case& c : cases) {
        const int before = wallNumber();
        deliver({mouseButton(c.type, c.button)});
        EXPECT_EQ(wallNumber(), before + c.advance) << "event " << int(c.type) << ", button " << int(c.button);
    }
    deliver({mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT), mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT),
             mouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT)});
    EXPECT_EQ(wallNumber(), 5) << "two single releases before, three now";
}

TEST_F(InputBindings, WithoutAPlayerOrItsWorldTheBindingsDoNothingHarmful) {
    const SDLKey keys[] = {SDLK_n, SDLK_m, SDLK_c, SDLK_p, SDLK_e, SDLK_MINUS, SDLK_EQUALS, SDLK_F2,
                           SDLK_1, SDLK_4, SDLK_7};
    const Uint8 buttons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN};
    auto pressEverything = [&] {
        for (SDLKey key : keys) deliverAndCapture({keyPress(key)});
        for (Uint8 b : buttons)
            deliverAndCapture({mouseButton(SDL_MOUSEBUTTONDOWN, b), mouseButton(SDL_MOUSEBUTTONUP, b)});
    };

    placeShips(0, 2);
    const size_t ships = universe->worlds[0].ships.size();
    player().setLanded(1);
    *player().getWorldPointer() = 7;  // a world index that names no world
    pressEverything();
    EXPECT_EQ(universe->worlds[0].ships.size(), ships) << "c has no world of the player to empty";

    universe->player.reset();
    pressEverything();
    EXPECT_EQ(universe->worlds[0].ships.size(), ships);

    s.universe = nullptr;
    pressEverything();
    EXPECT_NEAR(s.viewHeight, 4000.0, 1e-2) << "the zoom keys still cancel out";
}

class ReMode : public InputBindings {
protected:
    void TearDown() override {
        startSize();
        InputBindings::TearDown();
    }
    // The window as the game opens it, so that a switch to 800 x 600 shows.
    void startSize() {
        testing::internal::CaptureStdout();
        resize(1280, 1024, 0, false, nullptr);
        testing::internal::GetCapturedStdout();
    }
};

TEST_F(ReMode, RSavesSwitchesTo800By600AndReloadsOnlyASlotItCouldSave) {
    for (bool savable : {true, false}) {
        startSize();
        ASSERT_EQ(w, 1280);
        if (!savable) std::filesystem::create_symlink("/dev/full", "saves/temp/universeSAV.xml.tmp");
        const std::string out = deliverAndCapture({keyPress(SDLK_r)});
        EXPECT_EQ(w, 800);  // what a mode change sets up is the resize tests' business
        EXPECT_EQ(h, 600);
        const size_t saved = out.find("SAVING");
        const size_t modeChanged = out.find("Glew is re-initialized");
        EXPECT_NE(modeChanged, std::string::npos) << out;
        EXPECT_LT(saved, modeChanged) << "the save comes before the mode change: " << out;
        EXPECT_EQ(out.find("Loaded.") != std::string::npos, savable) << out;
        if (savable) {
            EXPECT_LT(modeChanged, out.find("Loaded.")) << out;
        }
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}
