// Gravity walls over time: wells ageing and being skipped, and their pull on ships and shots.
#include <gtest/gtest.h>

#include <cmath>

#include "GravityWall.h"
#include "entityTestUniverse.h"
#include "glTestContext.h"
#include "player.h"
#include "projectile.h"
#include "worldState.h"

namespace {

gravToolPart part(float mass, int lifetime = 3000) {
    gravToolPart tool;
    tool.name = "Test";
    tool.spacing = 40;
    tool.mass = mass;
    tool.cost = 1;
    tool.lifetime = lifetime;
    return tool;
}

}  // namespace

class GravityWallPullTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        saved = WEAPONDATA;
        WEAPONDATA.assign(1, projectileData());  // a shot type of speed 0: it starts at rest
        shipDataStruct type;
        type.name = "Hulk";
        type.size = 10;
        u().shipTypes.push_back(type);
        u().worlds.emplace_back("Here", 10);
        u().worlds.emplace_back("There", 10);
        testing::internal::CaptureStdout();
        u().player = std::make_unique<Player>(point{0, 0}, 0.002f, 0.001f, 0.004f, 800, 30, u().shaderList,
                                              std::vector<unsigned int>{}, u().getGravToolData("Well"), "Ion",
                                              "Plate", u());
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override { WEAPONDATA = saved; }

    Universe& u() { return *test.universe; }

    Ship& shipAt(point p, int world = 0) {
        testing::internal::CaptureStdout();
        Ship& ship = u().worlds[world].ships.emplace_back(p, "Hulk", 1, u());
        testing::internal::GetCapturedStdout();
        return ship;
    }

    Projectile& shotAt(point p) { return u().worlds[0].projectiles.emplace_back(p, 0, u().worlds[0], 0, 0, 0, 0,
                                                                                std::vector<short>{}); }

    GravityWall wall(const std::vector<point>& wells, float mass, int lifetime = 3000) {
        testing::internal::CaptureStdout();
        GravityWall made(0, wells.front(), part(mass, lifetime), 1);
        testing::internal::GetCapturedStdout();
        for (std::size_t i = 1; i < wells.size(); i++) made.addWell(wells[i]);
        return made;
    }

    EntityTestUniverse test;
    std::vector<projectileData> saved;
};

TEST_F(GravityWallPullTest, APullWeakensWithDistanceBetweenAFloorAt50AndACutOffAt50000) {
    struct Case {
        point ship;
        point pull;
    };
    const Case cases[] = {
        {{30, 0}, {-0.4f, 0}},        // closer than 50 pulls as at 50
        {{50, 0}, {-0.4f, 0}},        //
        {{0, -100}, {0, 0.1f}},       //
        {{0, 50000}, {0, -4e-7f}},    // the cut-off itself still pulls
        {{50001, 0}, {0, 0}},         // beyond it nothing
        {{0, 0}, {0, 0}},             // on the well there is no direction to pull in
    };
    for (const Case& c : cases) shipAt(c.ship);
    GravityWall pulling = wall({{0, 0}}, 1000);
    EXPECT_TRUE(pulling.update(16, u()));
    auto ship = u().worlds[0].ships.begin();
    for (const Case& c : cases) {
        const point v = (ship++)->getVelocity();
        EXPECT_FALSE(std::isnan(v.x) || std::isnan(v.y)) << c.ship.x << " " << c.ship.y;
        EXPECT_NEAR(v.x, c.pull.x, std::fabs(c.pull.x) * 1e-5f) << c.ship.x << " " << c.ship.y;
        EXPECT_NEAR(v.y, c.pull.y, std::fabs(c.pull.y) * 1e-5f) << c.ship.x << " " << c.ship.y;
    }
}

TEST_F(GravityWallPullTest, BeyondTheCutOffTheLaterWellsOfTheWallAreNotFelt) {
    struct Case {
        std::vector<point> wells;
        float pull;
    };
    const Case cases[] = {
        {{{0, 0}, {50101, 0}}, 0},          // the far well comes first: the near one is not reached
        {{{50101, 0}, {0, 0}}, 0.1f},       // the near one first, then the walk stops
        {{{50001, 0}, {50101, 0}}, 0.1f},   // standing on a well skips only that well
    };
    for (const Case& c : cases) {
        u().worlds[0].ships.clear();
        Ship& ship = shipAt({50001, 0});
        GravityWall pulling = wall(c.wells, 1000);
        pulling.update(16, u());
        EXPECT_NEAR(ship.getVelocity().x, c.pull, 1e-6) << c.wells.front().x;
        EXPECT_FALSE(std::isnan(ship.getVelocity().y));
    }
}

TEST_F(GravityWallPullTest, ANegativeMassPushesShipsAndShotsAway) {
    Ship& ship = shipAt({100, 0});
    Projectile& shot = shotAt({0, -100});
    Projectile& onTop = shotAt({0, 0});
    GravityWall pushing = wall({{0, 0}}, -1000);
    pushing.update(16, u());
    EXPECT_NEAR(ship.getVelocity().x, 0.1f, 1e-6);
    EXPECT_NEAR(shot.getVelocity().y, -0.1f, 1e-6);
    EXPECT_EQ(onTop.getVelocity().x, 0);
    EXPECT_EQ(onTop.getVelocity().y, 0);
}

TEST_F(GravityWallPullTest, ThePullIsTheSameImpulseAtAnyFrameTime) {
    for (int dt : {1, 16, 100, 1000}) {
        u().worlds[0].ships.clear();
        Ship& ship = shipAt({0, 100});
        GravityWall pulling = wall({{0, 0}, {0, 0}}, 1000, 5000);
        pulling.update(dt, u());
        EXPECT_NEAR(ship.getVelocity().y, -0.2f, 1e-6) << dt;
    }
}

TEST_F(GravityWallPullTest, OnlyThePlayersWorldIsPulled) {
    Ship& here = shipAt({100, 0}, 0);
    Ship& there = shipAt({100, 0}, 1);
    GravityWall pulling = wall({{0, 0}}, 1000);
    pulling.update(16, u());
    EXPECT_NE(here.getVelocity().x, 0);
    EXPECT_EQ(there.getVelocity().x, 0);

    u().player.reset();  // before the player exists the wells still age
    GravityWall ageing = wall({{0, 0}}, 1000, 10);
    EXPECT_TRUE(ageing.update(16, u()));
    EXPECT_FALSE(ageing.update(16, u()));
}

TEST_F(GravityWallPullTest, SpentWellsActInTheirLastFrameAndAreSkippedFromTheFront) {
    Ship& ship = shipAt({0, 100});
    GravityWall fading = wall({{0, 0}}, 1000, 100);
    struct Step {
        int dt;
        bool addWell;
        bool alive;
        unsigned int activeIndex;
        float pull;  // felt in this frame
    };
    const Step steps[] = {
        {60, false, true, 0, -0.1f},  // 100 -> 40
        {60, true, true, 0, -0.2f},   // -20 and 100 -> 40: both act
        {60, false, true, 1, -0.1f},  // the first is skipped, the second drops to -20
        {60, false, false, 2, 0},     // nothing left: the wall is gone
    };
    for (const Step& s : steps) {
        if (s.addWell) fading.addWell({0, 0});
        const float before = ship.getVelocity().y;
        EXPECT_EQ(fading.update(s.dt, u()), s.alive);
        EXPECT_EQ(fading.getActiveIndex(), s.activeIndex);
        EXPECT_NEAR(ship.getVelocity().y - before, s.pull, 1e-6);
    }

    GravityWall lastMillisecond = wall({{0, 0}}, 1000, 1);
    EXPECT_TRUE(lastMillisecond.update(16, u()));  // 1 -> -15, still acting in this frame
    EXPECT_EQ(lastMillisecond.getWells()[0].timeLeft, -15);
    EXPECT_FALSE(lastMillisecond.update(16, u()));
    EXPECT_EQ(lastMillisecond.getWells()[0].timeLeft, -15);

    // A well saved far below zero behind a live one stays spent rather than wrapping round to live again.
    GravityWall saved(test.parse(R"(<gravWallData activeIndex="0" gravToolName="P" gravToolSpacing="1"
        gravToolMass="1" gravToolCost="1" gravToolLifetime="1" ID="2"><wallNodes>
        <a x="0" y="0" timeLeft="100" strength="1"/><b x="0" y="0" timeLeft="-3e9" strength="1"/>
        </wallNodes></gravWallData>)"), u());
    EXPECT_TRUE(saved.update(100, u()));
    EXPECT_FALSE(saved.update(16, u()));
}
