// The frame drives the player: its update with the frame time and the steering keys, then its drawing.
#include "font.h"
#include "playerGame.h"

class FrameFlight : public PlayerGame {
protected:
    void SetUp() override {
        PlayerGame::SetUp();
        if (HasFatalFailure()) return;
        testing::internal::CaptureStdout();
        font = std::make_unique<Font>("subatomic.brelvosk.ttf");
        testing::internal::GetCapturedStdout();
        s.fonts = {font.get()};
        flyInAnEmptyWorld();
        s.lastTicks = SDL_GetTicks();
        clearGlErrors();
    }
    void TearDown() override {
        holdKey(SDLK_w, false);
        PlayerGame::TearDown();
    }

    // No star or planet pulls the ship there, so only the controls move it.
    void flyInAnEmptyWorld() {
        universe->worlds.emplace_back("Empty", 100000);
        testing::internal::CaptureStdout();
        player().warpWorld(int(universe->worlds.size()) - 1, *universe);
        testing::internal::GetCapturedStdout();
    }

    // Frames a few milliseconds apart, so that each has a frame time.
    void runFrames(int count) {
        testing::internal::CaptureStdout();
        for (int i = 0; i < count; ++i) {
            SDL_Delay(3);
            runFrame(s);
        }
        testing::internal::GetCapturedStdout();
    }

    std::unique_ptr<Font> font;
};

TEST_F(FrameFlight, HoldingWThrustsTheShipAlongItsHeadingFrameAfterFrame) {
    const point start = player().getPos();
    runFrames(3);
    EXPECT_FLOAT_EQ(player().getPos().x, start.x) << "no thrust, no motion";

    holdKey(SDLK_w, true);
    runFrames(10);
    const point thrusted = player().getPos();
    EXPECT_GT(player().getVelocity().x, 0.0f);
    EXPECT_GT(thrusted.x, start.x) << "a new ship heads along +x";
    EXPECT_FLOAT_EQ(thrusted.y, start.y);

    holdKey(SDLK_w, false);
    runFrames(3);
    EXPECT_GT(player().getPos().x, thrusted.x) << "it coasts on";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(FrameFlight, FramesWithoutAPlayerOrItsWorldRunAndDrawNothingOfIt) {
    holdKey(SDLK_w, true);
    *player().getWorldPointer() = 5;  // names no world: nothing to fly in
    const point start = player().getPos();
    runFrames(3);
    EXPECT_FLOAT_EQ(player().getPos().x, start.x);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    universe->player.reset();
    runFrames(3);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    s.universe = nullptr;
    runFrames(3);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(FrameFlight, TheCountersFollowTheWorldThePlayerIsIn) {
    const unsigned firstWorldShips = unsigned(universe->worlds[0].ships.size());
    const unsigned placed = firstWorldShips + 2;
    placeShips(universe->worlds.size() - 1, int(placed));
    const float hullHitpoints = float(universe->getHullData("Standard Hull").hitpoints);
    player().takeDamage(250.0f);
    const frameCounters counters = worldCounters(s);
    EXPECT_EQ(counters.ships, placed);
    EXPECT_EQ(counters.projectiles, 0u);
    EXPECT_EQ(counters.timers, 0u);
    EXPECT_FLOAT_EQ(counters.playerHealth, hullHitpoints - 250.0f);
    EXPECT_EQ(counters.landedPlanet, -1);

    testing::internal::CaptureStdout();
    player().warpWorld(0, *universe);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(worldCounters(s).ships, firstWorldShips);

    s.universe = nullptr;
    EXPECT_EQ(worldCounters(s).ships, 0u);
}
