// Wormholes: their place and target, the shader look-ups that may fail, and the warp.
#include <gtest/gtest.h>

#include "glTestContext.h"
#include "playerGame.h"
#include "scratchDirectory.h"
#include "shaderList.h"
#include "worldDrivers.h"
#include "wormhole.h"

using WormholeTest = GlTest;

TEST_F(WormholeTest, KeepsItsPlaceAndTargetWithoutAProgram) {
    testing::internal::CaptureStdout();
    Wormhole hole(1, 10, -20, 300, 2, 5000, 6000, ShaderList());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error, can't access wormhole shader shader\n");
    EXPECT_EQ(hole.getShaderProgram(), 0);
    EXPECT_EQ(hole.getWorld(), 1);
    EXPECT_EQ(hole.getLocation().y, -20);
    EXPECT_EQ(hole.getRadius(), 300);
    EXPECT_EQ(hole.getTargetWorld(), 2);
    EXPECT_EQ(hole.getTarget().x, 5000);
}

TEST_F(WormholeTest, AMissingUniformIsReportedAndTheProgramKept) {
    ScratchDirectory dir;
    for (const char* file : {"wormhole.vs", "wormhole.fs"})
        dir.copyFromGame(file);
    ShaderList shaders;
    shaders.insertShader("wormhole");
    shaders.insertUniform("wormhole", "time", "time");
    testing::internal::CaptureStdout();
    Wormhole hole(0, 0, 0, 100, 0, 0, 0, shaders);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(hole.getShaderProgram(), 0);
    EXPECT_EQ(out.find("time uniform"), std::string::npos) << out;
    EXPECT_NE(out.find("Error, can't access radius uniform in wormhole shader shader"), std::string::npos) << out;
}

// Two worlds whose wormholes lead into each other, each with one shot in flight.
class WormholeWarp : public PlayerGame {
protected:
    void SetUp() override {
        PlayerGame::SetUp();
        for (size_t i : {0, 1}) {
            WorldState& world = universe->worlds[i];
            world.wormholes.assign(1, Wormhole(int(i), 500 * i, 500 * i, 100, int(1 - i), 500 * (1 - i),
                                               500 * (1 - i), universe->shaderList));
            world.projectiles.clear();
            world.projectiles.emplace_back(point{9, 9}, 0, world, 0, 0, 0, 0, std::vector<short>{});
        }
    }
    // The player's re-arming step, then the wormholes of its world, with the player at p.
    std::string frameAt(point p) {
        player().x = p.x;
        player().y = p.y;
        testing::internal::CaptureStdout();
        player().update(10, p, 0, universe->worlds[size_t(player().getWorld())]);
        processWormholes(*universe, 1000);
        return testing::internal::GetCapturedStdout();
    }
    size_t shots(size_t world) const { return universe->worlds[world].projectiles.size(); }
};

TEST_F(WormholeWarp, AnArrivalInsideAWormholeWarpsOnlyAfterAFrameOutside) {
    const struct { point at; int world; size_t shots0, shots1; } frames[] = {
        {{100, 0}, 1, 0, 1}, {{500, 500}, 1, 0, 1}, {{2000, 0}, 1, 0, 1}, {{500, 600}, 0, 0, 0}, {{0, 0}, 0, 0, 0}};
    for (const auto& frame : frames) {
        frameAt(frame.at);
        EXPECT_EQ(player().getWorld(), frame.world) << frame.at.x << " " << frame.at.y;
        EXPECT_EQ(shots(0), frame.shots0) << frame.at.x << " " << frame.at.y;
        EXPECT_EQ(shots(1), frame.shots1) << frame.at.x << " " << frame.at.y;
    }
}

TEST_F(WormholeWarp, WithoutItsProgramAWarpToAWorldThatDoesNotExistStillMovesAndClears) {
    testing::internal::CaptureStdout();
    universe->worlds[0].wormholes.emplace_back(0, 5000, 0, 100, 99, 7, 7, ShaderList());
    testing::internal::GetCapturedStdout();
    const std::string out = frameAt({5000, 0});
    EXPECT_NE(out.find("Attempt to set bad world number"), std::string::npos);
    EXPECT_EQ(out.find("Invalid operation"), std::string::npos) << "no uniform is set without a program";
    EXPECT_EQ(player().getWorld(), 0);
    EXPECT_FLOAT_EQ(player().getPos().x, 7);
    EXPECT_EQ(shots(0), 0u);
}
