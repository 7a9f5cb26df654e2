// A real Universe over a copy of the run directory, with a player, a Lua state and SDL's
// event queue, for the tests of the shipped data and those that drive the game as the frame does.
#pragma once

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <lua.hpp>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>

#include <rapidxml/rapidxml.hpp>

#include "gameMain.h"
#include "glTestContext.h"
#include "input.h"
#include "loadGalaxy.h"
#include "player.h"
#include "projectile.h"
#include "scratchDirectory.h"
#include "sdlInput.h"
#include "universe.h"
#include "worldState.h"

namespace playerGame {

// Records what the script's addUI receives.
inline const char* const RECORDING_SCRIPT = "received = nil\nfunction addUI(...) received = {...} end";

}  // namespace playerGame

class PlayerGame : public GlTest {
protected:
    // The shipped galaxy and player, built as start-up builds them, in a copy of the run directory.
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        savedWeapons = WEAPONDATA;
        dir = std::make_unique<ScratchDirectory>(TUVARO_GAME_DIR);
        s.lua = luaL_newstate();
        luaL_openlibs(s.lua);
        ASSERT_EQ(luaL_dostring(s.lua, playerGame::RECORDING_SCRIPT), 0);
        testing::internal::CaptureStdout();
        universe = std::make_unique<Universe>();
        initializeShaders(*universe);
        const bool built = initializeStars(*universe, s.lua);
        if (built) newPlayer();
        startLog = testing::internal::GetCapturedStdout();
        ASSERT_TRUE(built);
        ASSERT_GE(universe->worlds.size(), 2u);
        ASSERT_FALSE(universe->shipTypes.empty());
        s.universe = universe.get();
        SDL_Event stale;
        while (SDL_PollEvent(&stale)) {
        }
    }
    void TearDown() override {
        universe.reset();
        if (s.lua) lua_close(s.lua);
        dir.reset();
        WEAPONDATA = savedWeapons;
    }

    // A new game's ship from the shipped player file.
    void newPlayer() { universe->player = initializePlayer(*universe); }
    // A new game's ship at the origin of the first world with only five weapon slots.
    void fiveSlotPlayer() {
        const gravTool tool = universe->getGravToolData("Standard Grav Tool");
        universe->player = std::make_unique<Player>(point{0, 0}, 0.0012f, 0.0006f, 0.004f, 1000.0f, 40.0f,
                                                    universe->shaderList, std::vector<unsigned>{0, 1, 2, 3, 4},
                                                    tool, "Fusion Torch", "Standard Hull", *universe);
    }

    Player& player() { return *universe->player; }

    // Queues events through SDL and lets the game handle the queue, as a frame does.
    void deliver(std::initializer_list<SDL_Event> events) {
        for (SDL_Event event : events) ASSERT_EQ(SDL_PushEvent(&event), 0);
        pollEvents(s);
    }
    // What the game printed while handling the events.
    std::string deliverAndCapture(std::initializer_list<SDL_Event> events) {
        testing::internal::CaptureStdout();
        deliver(events);
        return testing::internal::GetCapturedStdout();
    }

    // The number the next gravity wall will carry, as the player saves it.
    int wallNumber() {
        rapidxml::xml_document<char> doc;
        auto* record = doc.allocate_node(rapidxml::node_element, "player");
        doc.append_node(record);
        player().save(doc, record);
        auto* attribute = record->first_attribute("activeGravNum");
        return attribute ? std::atoi(attribute->value()) : -1000;
    }

    void placeShips(size_t world, int count) {
        for (int i = 0; i < count; ++i)
            universe->worlds[world].ships.emplace_back(point{float(i) * 100, 0}, universe->shipTypes[0].name, 1,
                                                       *universe);
    }

    std::unique_ptr<ScratchDirectory> dir;
    std::unique_ptr<Universe> universe;
    MainState s;
    std::string startLog;  // what building the galaxy and the player printed
    std::vector<projectileData> savedWeapons;
};

