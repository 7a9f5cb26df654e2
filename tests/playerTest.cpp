// The player's ship: construction, save records read back, and saved input it must refuse.
#include <gtest/gtest.h>

#include <map>

#include "defaultVals.h"
#include "entityTestUniverse.h"
#include "glTestContext.h"
#include "player.h"
#include "projectile.h"
#include "worldState.h"

namespace {

std::map<std::string, std::string> attributes(rapidxml::xml_node<char>* node) {
    std::map<std::string, std::string> result;
    for (auto* a = node->first_attribute(); a; a = a->next_attribute()) result[a->name()] = a->value();
    return result;
}

const char* SAVED_PLAYER =
    R"(<player x="10" y="20" canWarp="0" isClear="1" engineName="Ion" hullName="Plate" leftDelay="5"
        rightDelay="6" activeGravNum="3" gravCharge="150" gravToolName="Well" activeWeaponIndex="1"
        landed="1" landedTimeout="200" xSpd="0.5" ySpd="-0.5" theta="1.25" hitpoints="640.5"
        activeWorld="1" planetId="4" keysOn="1">)";

}  // namespace

class PlayerTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        saved = WEAPONDATA;
        WEAPONDATA.assign(3, projectileData());
        test.universe->worlds.emplace_back("Home", 10);
        test.universe->worlds.emplace_back("Away", 10);
    }
    void TearDown() override { WEAPONDATA = saved; }

    std::unique_ptr<Player> load(const std::string& children) {
        auto* record = test.parse(std::string(SAVED_PLAYER) + children + "</player>");
        return std::make_unique<Player>(record, *test.universe);
    }

    EntityTestUniverse test;
    std::vector<projectileData> saved;
};

TEST_F(PlayerTest, ANewGameShipStartsChargedAndFlying) {
    Universe& u = *test.universe;
    testing::internal::CaptureStdout();
    Player player({100, -200}, 0.002f, 0.001f, 0.004f, 800, 30, u.shaderList, {1, 0, 2},
                  u.getGravToolData("Well"), "Ion", "Plate", u);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Created.\nLD 40 RD 60 GC 300\ncurGrav is 300\n"), std::string::npos) << out;
    EXPECT_EQ(player.getPos().x, 100);
    EXPECT_EQ(player.getPlanetId(), -1);
    EXPECT_FALSE(player.isLanded());
    EXPECT_TRUE(player.getKeysOn());
    EXPECT_EQ(player.getWorld(), 0);
    EXPECT_EQ(player.getRadius(), 30);
    EXPECT_FLOAT_EQ(player.getAngle(), 90);
    EXPECT_EQ(*player.getWorldPointer(), 0);
    *player.getInputPointer() = false;  // what the script's input switch does
    EXPECT_FALSE(player.getKeysOn());
}

TEST_F(PlayerTest, ASavedPlayerReadsBackFieldForFieldThroughSave) {
    testing::internal::CaptureStdout();
    auto player = load(R"(<gunCooling index0="100" index2="7"/><armament index0="2" index1="0" index2="1"/>)");
    auto* first = test.saveAndReparse(*player, "player");
    auto again = std::make_unique<Player>(first, *test.universe);
    auto* second = test.saveAndReparse(*again, "player");
    testing::internal::GetCapturedStdout();

    auto before = attributes(first);
    auto after = attributes(second);
    EXPECT_EQ(before.size(), 21u);
    EXPECT_EQ(before["landed"], "0");  // a saved landing is not read back
    EXPECT_EQ(before, after);
    EXPECT_EQ(before["planetId"], "4");
    EXPECT_EQ(before["gravCharge"], "150");
    EXPECT_EQ(before["hitpoints"], "640.5");
    EXPECT_EQ(before["gravToolName"], "Well");
    EXPECT_EQ(attributes(first->first_node("armament")),
              (std::map<std::string, std::string>{{"index0", "2"}, {"index1", "0"}, {"index2", "1"}}));
    EXPECT_EQ(attributes(second->first_node("gunCooling")),
              (std::map<std::string, std::string>{{"index0", "100"}, {"index1", "0"}, {"index2", "7"}}));

    EXPECT_EQ(test.universe->currentWorld, &test.universe->worlds[1]);
    EXPECT_EQ(player->getRadius(), 30);  // the hull's size from the catalogue
    EXPECT_FALSE(player->isLanded());
    EXPECT_EQ(player->getPlanetId(), 4);
}

TEST_F(PlayerTest, SavedWeaponsThatAreNotProjectileTypesAreDropped) {
    testing::internal::CaptureStdout();
    auto player = load(R"(<armament index0="1" index1="3" index2="2" index3="4000000000" index77777777="1"/>
                          <gunCooling index0="10" index1="11" index2="12" index3="13"/>)");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("saved weapon 3 in slot 1 is not a projectile type, dropped"), std::string::npos) << out;
    EXPECT_NE(out.find("saved weapon 4000000000 in slot 3"), std::string::npos) << out;
    EXPECT_NE(out.find("bad saved slot index77777777"), std::string::npos) << out;

    testing::internal::CaptureStdout();
    auto* record = test.saveAndReparse(*player, "player");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(attributes(record->first_node("armament")),
              (std::map<std::string, std::string>{{"index0", "1"}, {"index1", "2"}}));
    EXPECT_EQ(attributes(record->first_node("gunCooling")),
              (std::map<std::string, std::string>{{"index0", "10"}, {"index1", "12"}}));
}

TEST_F(PlayerTest, AHeadingSavedFarBeyondOneTurnStillTurns) {
    for (const std::string heading : {"1e30", "-7e9", "1.25"}) {
        std::string text = std::string(SAVED_PLAYER) + "</player>";
        text.replace(text.find("1.25"), 4, heading);
        testing::internal::CaptureStdout();
        Player player(test.parse(text), *test.universe);
        testing::internal::GetCapturedStdout();
        const float before = player.getAngle();
        player.turnCW(100);
        EXPECT_NEAR(player.getAngle() - before, 0.4f * DEGREES_PER_RADIAN, 0.01f) << heading;
    }
}

TEST_F(PlayerTest, ASavedLandingTimeoutHoldsTheThrustNoLongerThanALanding) {
    for (const std::string timeout : {"1e30", "300"}) {
        std::string text = std::string(SAVED_PLAYER) + "</player>";
        text.replace(text.find("landedTimeout=\"200\""), 19, "landedTimeout=\"" + timeout + "\"");
        testing::internal::CaptureStdout();
        Player player(test.parse(text), *test.universe);
        player.update(300, {0, 0}, 0, test.universe->worlds[1]);
        testing::internal::GetCapturedStdout();
        const float before = player.getVelocity().x;
        player.forwardThrust(10);
        EXPECT_GT(player.getVelocity().x, before) << timeout;
    }
}

TEST_F(PlayerTest, WarpingToAWorldThatDoesNotExistChangesNothing) {
    testing::internal::CaptureStdout();
    auto player = load("");
    player->warpWorld(2, *test.universe);
    player->warpWorld(-1, *test.universe);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Attempt to set bad world number on Player::WarpWorld"), std::string::npos);
    EXPECT_EQ(player->getWorld(), 1);
    player->warpWorld(0, *test.universe);
    EXPECT_EQ(player->getWorld(), 0);
    EXPECT_EQ(test.universe->currentWorld, &test.universe->worlds[0]);
}

using PlayerDeathTest = PlayerTest;

TEST_F(PlayerDeathTest, ASaveInAWorldThatDoesNotExistEndsTheRunWithCodeZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string record = R"(<player x="0" y="0" activeWorld="5"/>)";
    EXPECT_EXIT(Player(test.parse(record), *test.universe), testing::ExitedWithCode(0), "");
}
