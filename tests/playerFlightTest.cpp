// The player's flight: steering keys, landing and take-off, bounds, the grav tool and weapon slots.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <iterator>

#include "entityTestUniverse.h"
#include "glTestContext.h"
#include "player.h"
#include "sdlInput.h"
#include "worldState.h"

namespace {

constexpr unsigned char LEFT = 1, RIGHT = 4;

// The heading in radians, from the drawing angle in degrees.
float theta(const Player& player) { return (90 - player.getAngle()) / 57.2958f; }

}  // namespace

class PlayerFlightTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        test.universe->worlds.emplace_back("Home", 10);
        player = build(test.universe->getGravToolData("Well"));
    }

    // Left part: spacing 40, mass -0.2, cost 1, lifetime 3000; right: 60, 0.3, 2, 4000;
    // charge 300, recharge 0.5 per ms. Thrust 0.002, reverse 0.001, turning 0.004 per ms.
    std::unique_ptr<Player> build(const gravTool& tool, std::vector<unsigned int> armament = {1, 0, 2}) {
        Universe& u = *test.universe;
        testing::internal::CaptureStdout();
        auto made = std::make_unique<Player>(point{0, 0}, 0.002f, 0.001f, 0.004f, 800, 30, u.shaderList,
                                             std::move(armament), tool, "Ion", "Plate", u);
        testing::internal::GetCapturedStdout();
        return made;
    }

    // Runs frames of dt ms with the buttons held, the cursor at (100, 0).
    void fly(int frames, int dt, unsigned char buttons = 0, point cursor = {100, 0}) {
        testing::internal::CaptureStdout();
        for (int i = 0; i < frames; i++) player->update(dt, cursor, buttons, world());
        testing::internal::GetCapturedStdout();
    }

    WorldState& world() { return test.universe->worlds[0]; }
    std::list<GravityWall>& walls() { return world().gravityWalls; }

    EntityTestUniverse test;
    std::unique_ptr<Player> player;
};

TEST_F(PlayerFlightTest, TheSteeringKeysTurnAndThrustAlongTheHeading) {
    {
        HeldKeys keys{SDLK_w};
        fly(1, 100);
    }
    EXPECT_FLOAT_EQ(player->getVelocity().x, 0.2f);
    EXPECT_FLOAT_EQ(player->getVelocity().y, 0);
    EXPECT_FLOAT_EQ(player->getPos().x, 20);  // moved with the new speed in the same frame
    {
        HeldKeys keys{SDLK_s};
        fly(1, 100);
    }
    EXPECT_FLOAT_EQ(player->getVelocity().x, 0.1f);
    {
        HeldKeys keys{SDLK_a};
        fly(1, 100);
    }
    EXPECT_NEAR(theta(*player), 0.4f, 1e-4);
    {
        HeldKeys keys{SDLK_a, SDLK_d};  // both turns apply and cancel out
        fly(1, 100);
    }
    EXPECT_NEAR(theta(*player), 0.4f, 1e-4);
    {
        HeldKeys keys{SDLK_d};
        fly(1, 50);
    }
    EXPECT_NEAR(theta(*player), 0.2f, 1e-4);

    *player->getInputPointer() = false;  // the script has taken the keyboard
    player->setVelocity({0, 0});
    {
        HeldKeys keys{SDLK_w, SDLK_d};
        fly(1, 100);
    }
    EXPECT_EQ(player->getVelocity().x, 0);
    EXPECT_NEAR(theta(*player), 0.2f, 1e-4);
}

TEST_F(PlayerFlightTest, TheHeadingWrapsOneStepPerFrameAndOnlyPastTheSlack) {
    struct Case {
        float before, after;
    };
    const Case cases[] = {{6.29f, 6.29f}, {6.3f, 0.01682f}, {-0.1f, 6.18318f}, {-7, -0.71682f}, {3, 3}};
    for (const Case& c : cases) {
        player->setAngle(c.before);
        fly(1, 0);
        EXPECT_NEAR(theta(*player), c.after, 1e-4) << c.before;
    }
}

TEST_F(PlayerFlightTest, TheWorldBoundStopsOnlyTheAxisThatHitsIt) {
    struct Case {
        point start, velocity, position, after;
    };
    const Case cases[] = {
        {{99990, 0}, {1, 0.5f}, {100000, 50}, {0, 0.5f}},
        {{-99990, 10}, {-1, -0.5f}, {-100000, -40}, {0, -0.5f}},
        {{5, 99999}, {0.25f, 2}, {30, 100000}, {0.25f, 0}},
        {{5, -99999}, {0.25f, -2}, {30, -100000}, {0.25f, 0}},
        {{99990, -99990}, {-1, 1}, {99890, -99890}, {-1, 1}},
    };
    for (const Case& c : cases) {
        player->x = c.start.x;
        player->y = c.start.y;
        player->setVelocity(c.velocity);
        fly(1, 100);
        EXPECT_FLOAT_EQ(player->getPos().x, c.position.x) << c.start.x << " " << c.start.y;
        EXPECT_FLOAT_EQ(player->getPos().y, c.position.y) << c.start.x << " " << c.start.y;
        EXPECT_FLOAT_EQ(player->getVelocity().x, c.after.x) << c.start.x << " " << c.start.y;
        EXPECT_FLOAT_EQ(player->getVelocity().y, c.after.y) << c.start.x << " " << c.start.y;
    }
}

TEST_F(PlayerFlightTest, ALandedShipTakesOffOnlyAfterItsTimeout) {
    player->setVelocity({0.5f, 0});
    player->setLanded(7);
    HeldKeys keys{SDLK_w, SDLK_d};
    fly(3, 100);  // 300 ms of thrust on the ground
    EXPECT_TRUE(player->isLanded());
    EXPECT_EQ(player->getPlanetId(), 7);
    EXPECT_EQ(player->getPos().x, 0);  // the planet moves a landed ship, not its own speed
    EXPECT_NEAR(theta(*player), 0, 1e-5);

    fly(1, 10);
    EXPECT_FALSE(player->isLanded());
    EXPECT_FALSE(*player->getLandedPointer());
    EXPECT_EQ(player->getPlanetId(), -1);
    EXPECT_NEAR(player->getVelocity().x, 0.5f + 0.002f * 10, 1e-5);
}

TEST_F(PlayerFlightTest, ReverseThrustHeldOnTheGroundBoostsOnlyTheTakeOffFrame) {
    player->setLanded(2);
    {
        HeldKeys keys{SDLK_s};
        fly(5, 100);
    }
    EXPECT_EQ(player->getVelocity().x, 0);
    HeldKeys keys{SDLK_w};
    fly(1, 10);
    EXPECT_FALSE(player->isLanded());
    EXPECT_FLOAT_EQ(player->getVelocity().x, 0.002f * 510);
    fly(1, 10);
    EXPECT_FLOAT_EQ(player->getVelocity().x, 0.002f * 520);
}

TEST_F(PlayerFlightTest, HoldingAButtonLaysAWellEverySpacingAndDrainsEveryFrame) {
    fly(11, 10, LEFT);
    ASSERT_EQ(walls().size(), 1u);
    const GravityWall& wall = walls().front();
    EXPECT_EQ(wall.getID(), 0);
    EXPECT_EQ(wall.getTool().mass, -0.2f);
    // A well at once, then one whenever the 40 ms spacing has been waited out.
    EXPECT_EQ(wall.getWells().size(), 3u);
    EXPECT_EQ(wall.getWells()[0].position.x, 100);
    EXPECT_EQ(player->getGravCharge(), 300 - 110);

    fly(1, 10, LEFT, {7, 8});  // still the same press: the same wall
    fly(4, 10, LEFT, {7, 8});
    ASSERT_EQ(walls().size(), 1u);
    EXPECT_EQ(walls().front().getWells().size(), 4u);
    EXPECT_EQ(walls().front().getWells().back().position.y, 8);

    player->buttonUp();
    fly(1, 10, RIGHT, {-5, -5});
    ASSERT_EQ(walls().size(), 2u);
    EXPECT_EQ(walls().back().getID(), 1);
    EXPECT_EQ(walls().back().getTool().mass, 0.3f);
    EXPECT_EQ(player->getGravCharge(), 300 - 160 - 20);
}

TEST_F(PlayerFlightTest, TheChargeRechargesOnlyWithNoButtonHeldAndStopsAtFull) {
    fly(10, 10, LEFT);
    EXPECT_EQ(player->getGravCharge(), 200);
    fly(5, 10, LEFT | RIGHT);  // both held: neither lays nor recharges
    EXPECT_EQ(player->getGravCharge(), 200);
    EXPECT_EQ(walls().front().getWells().size(), 2u);
    fly(4, 10);
    EXPECT_EQ(player->getGravCharge(), 220);
    fly(100, 10);
    EXPECT_EQ(player->getGravCharge(), 300);

    fly(10, 10, LEFT);
    *player->getInputPointer() = false;  // no laying without the keyboard, yet the tool recharges
    fly(4, 10, LEFT);
    EXPECT_EQ(player->getGravCharge(), 200);
    fly(2, 10);
    EXPECT_EQ(player->getGravCharge(), 210);
    EXPECT_EQ(walls().size(), 1u);
}

TEST_F(PlayerFlightTest, AChargeBelowThePartsCostHoldsUntilTheButtonIsReleased) {
    fly(19, 16, LEFT);  // 300 - 19 * 16 = -4: the last frame may overdraw
    EXPECT_EQ(player->getGravCharge(), -4);
    std::size_t wells = walls().front().getWells().size();
    fly(10, 16, LEFT);
    EXPECT_EQ(player->getGravCharge(), -4);
    EXPECT_EQ(walls().front().getWells().size(), wells);
    fly(1, 16, RIGHT);  // the right part costs more still
    EXPECT_EQ(player->getGravCharge(), -4);
    fly(1, 16);
    EXPECT_EQ(player->getGravCharge(), 4);
}

TEST_F(PlayerFlightTest, NewWallsSurviveAnyChargeAndAnyCost) {
    struct Case {
        float charge, cost;
    };
    // An overdrawn charge gave a negative well count, a free part an infinite one.
    const Case cases[] = {{10, 1}, {5, 4.9f}, {300, 0}, {300, -2}, {3e9f, 1e-9f}};
    for (const Case& c : cases) {
        gravTool tool = test.universe->getGravToolData("Well");
        tool.charge = c.charge;
        tool.left.cost = c.cost;
        player = build(tool);
        walls().clear();
        fly(1, 16, LEFT);
        ASSERT_EQ(walls().size(), 1u) << c.charge << " " << c.cost;
        EXPECT_EQ(walls().front().getWells().size(), 1u);
    }
}

TEST_F(PlayerFlightTest, WeaponSlotsAreChosenWithinTheArmament) {
    struct Step {
        void (*act)(Player&);
        unsigned int slot;
    };
    const Step steps[] = {
        {[](Player& p) { p.setWeapon(2); }, 2},      {[](Player& p) { p.setWeapon(3); }, 2},
        {[](Player& p) { p.setWeapon(6); }, 2},      {[](Player& p) { p.increaseWeapon(); }, 2},
        {[](Player& p) { p.cycleWeaponUp(); }, 0},   {[](Player& p) { p.decreaseWeapon(); }, 0},
        {[](Player& p) { p.cycleWeaponDown(); }, 2}, {[](Player& p) { p.decreaseWeapon(); }, 1},
        {[](Player& p) { p.increaseWeapon(); }, 2},  {[](Player& p) { p.setWeapon(0); }, 0},
    };
    for (std::size_t i = 0; i < std::size(steps); i++) {
        steps[i].act(*player);
        EXPECT_EQ(player->getActiveWeaponIndex(), steps[i].slot) << "step " << i;
    }

    player = build(test.universe->getGravToolData("Well"), {});
    player->setWeapon(0);
    player->increaseWeapon();
    player->cycleWeaponUp();
    player->cycleWeaponDown();
    EXPECT_EQ(player->getActiveWeaponIndex(), 0u);
}
