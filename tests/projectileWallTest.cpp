// Projectiles and gravity walls: spawning, laying, and save records read back.
#include <gtest/gtest.h>

#include <cmath>

#include "GravityWall.h"
#include "entityTestUniverse.h"
#include "projectile.h"
#include "worldState.h"

class ProjectileTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = WEAPONDATA;
        projectileData slow;
        slow.name = "Slug";
        slow.speed = 2;
        slow.lifetime = 1500;
        projectileData beam;
        beam.name = "Beam";
        WEAPONDATA = {slow, beam};
    }
    void TearDown() override { WEAPONDATA = saved; }

    EntityTestUniverse test;
    WorldState world{"Here", 100};
    std::vector<projectileData> saved;
};

TEST_F(ProjectileTest, SpawnsAtTheTypesSpeedOnTopOfTheBaseVelocity) {
    Projectile up({1, 2}, 0, world, 0, 0.5f, 0.25f, 3, {});
    EXPECT_FLOAT_EQ(up.getVelocity().x, 0.5f);
    EXPECT_FLOAT_EQ(up.getVelocity().y, 2.25f);
    EXPECT_EQ(up.getLifetimeRemaining(), 1500);
    EXPECT_EQ(up.getFaction(), 3);
    EXPECT_EQ(up.getTargetedShipID(), 0u);

    Projectile right({0, 0}, 1.5707963f, world, 0, 0, 0, 0, {});
    EXPECT_NEAR(right.getVelocity().x, 2, 1e-5);
    EXPECT_NEAR(right.getVelocity().y, 0, 1e-5);
    EXPECT_NEAR(right.getTheta(), 3.14159265f - 1.57f, 1e-5);  // clockwise from +y, less 1.57

    testing::internal::CaptureStdout();
    Projectile unknown({0, 0}, 0, world, 9, 1, 1, 0, {});
    EXPECT_NE(testing::internal::GetCapturedStdout().find("unknown projectile type 9"), std::string::npos);
    EXPECT_EQ(unknown.getVelocity().x, 1);
    EXPECT_EQ(unknown.getLifetimeRemaining(), 0);
}

TEST_F(ProjectileTest, ARecordReadsBackFieldForFieldThroughSave) {
    Projectile shot(test.parse(R"(<projectileData x="-5.5" y="7" xSpd="0.125" ySpd="-1.5"
        lifetimeRemaining="-1" theta="2.5" shotType="1" faction="2" targetedShipID="3000000">
        <personalRelations index1="-100"/></projectileData>)"), *test.universe);
    EXPECT_EQ(shot.getType(), 1);
    EXPECT_EQ(shot.getLifetimeRemaining(), -1);
    EXPECT_EQ(shot.getTargetedShipID(), 3000000u);
    EXPECT_EQ(shot.getPersonalRelations(), (std::vector<int16_t>{0, -100}));

    Projectile again(test.saveAndReparse(shot, "projectileData"), *test.universe);
    EXPECT_EQ(again.getPos().x, shot.getPos().x);
    EXPECT_EQ(again.getPos().y, shot.getPos().y);
    EXPECT_EQ(again.getVelocity().x, shot.getVelocity().x);
    EXPECT_EQ(again.getVelocity().y, shot.getVelocity().y);
    EXPECT_EQ(again.getLifetimeRemaining(), shot.getLifetimeRemaining());
    EXPECT_EQ(again.getTheta(), shot.getTheta());
    EXPECT_EQ(again.getType(), shot.getType());
    EXPECT_EQ(again.getFaction(), shot.getFaction());
    EXPECT_EQ(again.getTargetedShipID(), shot.getTargetedShipID());
    EXPECT_EQ(again.getPersonalRelations(), shot.getPersonalRelations());
}

TEST_F(ProjectileTest, SavedRecordsOfUnknownTypesAreRejectedWithAMessage) {
    struct Case {
        const char* record;
        bool valid;
    };
    const Case cases[] = {
        {R"(<projectileData shotType="0"/>)", true},
        {R"(<projectileData shotType="1.9"/>)", true},
        {R"(<projectileData shotType="2"/>)", false},
        {R"(<projectileData shotType="-1"/>)", false},
        {R"(<projectileData shotType="1e30"/>)", false},
        {R"(<projectileData shotType="nan"/>)", true},  // reads as type 0
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStdout();
        bool valid = Projectile::savedTypeIsValid(test.parse(c.record));
        std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(valid, c.valid) << c.record;
        EXPECT_EQ(out.find("is not a projectile type") != std::string::npos, !c.valid) << out;
    }
}

namespace {

gravToolPart pushPart() {
    gravToolPart part;
    part.name = "Push";
    part.spacing = 40;
    part.mass = -0.25f;
    part.cost = 1.5f;
    part.lifetime = 3000;
    return part;
}

}  // namespace

TEST(GravityWall, LayingStartsWithOneWellWhateverTheHint) {
    for (int hint : {-5, 0, 1, 200, 2147483647}) {
        testing::internal::CaptureStdout();
        GravityWall wall(4, {10, 20}, pushPart(), hint);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Wall created\n");
        ASSERT_EQ(wall.getWells().size(), 1u) << hint;
        EXPECT_EQ(wall.getWells()[0].timeLeft, 3000);
        EXPECT_EQ(wall.getWells()[0].strength, -0.25f);
        EXPECT_EQ(wall.getWells()[0].position.y, 20);
        EXPECT_EQ(wall.getID(), 4);
    }
}

TEST(GravityWall, ARecordReadsBackFieldForFieldThroughSave) {
    EntityTestUniverse test;
    GravityWall wall(7, {1, 2}, pushPart(), 3);
    wall.addWell({3.5f, -4});
    wall.addWell({100000, -99999.5f});
    GravityWall again(test.saveAndReparse(wall, "gravWallData"), *test.universe);
    EXPECT_EQ(again.getID(), 7);
    EXPECT_EQ(again.getActiveIndex(), 0u);
    EXPECT_EQ(again.getTool().name, "Push");
    EXPECT_EQ(again.getTool().spacing, 40);
    EXPECT_EQ(again.getTool().mass, -0.25f);
    EXPECT_EQ(again.getTool().cost, 1.5f);
    EXPECT_EQ(again.getTool().lifetime, 3000);
    ASSERT_EQ(again.getWells().size(), 3u);
    for (std::size_t i = 0; i < 3; i++) {
        EXPECT_EQ(again.getWells()[i].position.x, wall.getWells()[i].position.x) << i;
        EXPECT_EQ(again.getWells()[i].position.y, wall.getWells()[i].position.y) << i;
        EXPECT_EQ(again.getWells()[i].timeLeft, wall.getWells()[i].timeLeft) << i;
        EXPECT_EQ(again.getWells()[i].strength, wall.getWells()[i].strength) << i;
    }
}

TEST(GravityWall, TextAmongTheSavedWellsIsNoWell) {
    EntityTestUniverse test;
    const char* record = R"(<gravWallData activeIndex="0" gravToolName="P" gravToolSpacing="1" gravToolMass="1"
        gravToolCost="1" gravToolLifetime="1" ID="2"><wallNodes size="1">stray
        <wallNode0 x="1" y="1" timeLeft="5" strength="1"/></wallNodes></gravWallData>)";
    testing::internal::CaptureStdout();
    GravityWall wall(test.parse(record), *test.universe);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_EQ(wall.getWells().size(), 1u);
    EXPECT_FLOAT_EQ(wall.getWells()[0].position.x, 1.0f);
}

TEST(GravityWall, ASavedActiveIndexIsClampedToTheWells) {
    EntityTestUniverse test;
    struct Case {
        const char* activeIndex;
        unsigned int expected;
        bool alive;
    };
    const Case cases[] = {{"1", 1, true}, {"2", 2, false}, {"99", 2, false}, {"-3", 0, true}, {"1e30", 2, false}};
    for (const Case& c : cases) {
        std::string record = std::string("<gravWallData activeIndex=\"") + c.activeIndex +
                             R"(" gravToolName="P" gravToolSpacing="1" gravToolMass="1" gravToolCost="1"
            gravToolLifetime="1" ID="2"><wallNodes size="999"><wallNode0 x="1" y="1" timeLeft="5" strength="1"/>
            <anyName x="2" y="2" timeLeft="5" strength="1"/></wallNodes></gravWallData>)";
        testing::internal::CaptureStdout();
        GravityWall wall(test.parse(record), *test.universe);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(wall.getWells().size(), 2u);
        EXPECT_EQ(wall.getActiveIndex(), c.expected) << c.activeIndex;
        EXPECT_EQ(wall.update(16, *test.universe), c.alive) << c.activeIndex;
    }
}
