// The per-frame pass over the gravity walls of the player's world.
#include <gtest/gtest.h>

#include <rapidxml/rapidxml.hpp>

#include "GravityWall.h"
#include "dataDirectory.h"
#include "glTestContext.h"
#include "player.h"
#include "universe.h"
#include "worldState.h"

namespace {

class UniverseWallsTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        universe = emptyUniverse();
        testing::internal::CaptureStdout();
        for (const char* name : {"Home", "Away", "Far"})
            universe->worlds.emplace_back(name, 1000);
        Universe& u = *universe;
        u.player = std::make_unique<Player>(point{0, 0}, 0.001f, 0.0005f, 0.005f, 100.0f, 40.0f,
                                            u.shaderList, std::vector<unsigned int>{},
                                            u.defaultGravTool, "e", "h", u);
        u.player->warpWorld(1, u);
        testing::internal::GetCapturedStdout();
    }

    // A wall read from a saved record, with one well of the given time left.
    GravityWall savedWall(int id, unsigned int activeIndex, int timeLeft) {
        const std::string text = "<gravWallData activeIndex=\"" + std::to_string(activeIndex) +
                                 "\" gravToolName=\"t\" gravToolSpacing=\"50\" gravToolMass=\"0.1\""
                                 " gravToolCost=\"1\" gravToolLifetime=\"100\" ID=\"" +
                                 std::to_string(id) +
                                 "\"><wallNodes size=\"1\"><wallNode0 x=\"5\" y=\"5\" timeLeft=\"" +
                                 std::to_string(timeLeft) + "\" strength=\"0.1\"/></wallNodes></gravWallData>";
        std::vector<char> buffer(text.begin(), text.end());
        buffer.push_back('\0');
        rapidxml::xml_document<> doc;
        doc.parse<0>(buffer.data());
        return GravityWall(doc.first_node(), *universe);
    }

    std::unique_ptr<Universe> universe;
};

}  // namespace

TEST_F(UniverseWallsTest, FinishedWallsOfThePlayersWorldAreErasedAndOthersKept) {
    Universe& u = *universe;
    std::list<GravityWall>& walls = u.worlds[1].gravityWalls;
    walls = {savedWall(1, 1, 0), savedWall(2, 0, 5000), savedWall(3, 1, 0), savedWall(4, 1, 0)};
    u.worlds[0].gravityWalls = {savedWall(5, 1, 0)};
    u.worlds[2].gravityWalls = {savedWall(6, 0, 5000)};
    u.updateGravityWalls(16);
    ASSERT_EQ(walls.size(), 1u);
    EXPECT_EQ(walls.front().getID(), 2);
    EXPECT_EQ(walls.front().getWells()[0].timeLeft, 5000 - 16);
    // Other worlds stand still: nothing erased, no time taken off.
    ASSERT_EQ(u.worlds[0].gravityWalls.size(), 1u);
    EXPECT_EQ(u.worlds[2].gravityWalls.front().getWells()[0].timeLeft, 5000);
}

TEST_F(UniverseWallsTest, NoPlayerOrNoWallsIsANoOp) {
    Universe& u = *universe;
    u.updateGravityWalls(16);
    EXPECT_TRUE(u.worlds[1].gravityWalls.empty());
    u.worlds[1].gravityWalls = {savedWall(1, 1, 0)};
    u.player.reset();
    u.updateGravityWalls(16);
    EXPECT_EQ(u.worlds[1].gravityWalls.size(), 1u);
}
