// Factions and relations, projectile types and ship types as the galaxy construction reads them.
#include <gtest/gtest.h>

#include <climits>
#include <iterator>

#include "galaxyTestData.h"
#include "planet.h"
#include "projectile.h"
#include "star.h"
#include "worldState.h"

namespace {

constexpr float DEG = 0.017444f;

std::string capturedDecode(const std::string& text, int16_t& value) {
    testing::internal::CaptureStdout();
    value = decodeRelationship(text);
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(DecodeRelationship, KnowsTheThreeWordsAndReportsAnythingElse) {
    const struct {
        const char* text;
        int16_t value;
        bool reported;
    } cases[] = {{"friendly", 100, false}, {"hostile", -100, false}, {"neutral", 0, false},
                 {"Friendly", 0, true},    {"", 0, true},            {"allied", 0, true}};
    for (const auto& c : cases) {
        int16_t value = 1;
        const std::string out = capturedDecode(c.text, value);
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(out, c.reported ? "Relationship decode error: " + std::string(c.text) + "\n" : "") << c.text;
    }
}

using GalaxyFactions = GalaxyTest;

TEST_F(GalaxyFactions, RelationsAreDirectedAndMayNameLaterFactions) {
    dir.data("relations.xml",
             "<faction name=\"A\"><relation name=\"C\" attitude=\"hostile\"/>"
             "<relation name=\"B\" attitude=\"friendly\"/></faction>"
             "<faction name=\"B\"><relation name=\"A\" attitude=\"neutral\"/></faction>"
             "<faction name=\"C\"><relation name=\"Nobody\" attitude=\"hostile\"/>"
             "<relation name=\"A\" attitude=\"grumpy\"/></faction>"
             "<group name=\"B\"><relation name=\"C\" attitude=\"hostile\"/></group>"
             "<group name=\"Stranger\"><relation name=\"A\" attitude=\"hostile\"/></group>");
    ASSERT_TRUE(build());
    const Universe& u = *universe;
    ASSERT_EQ(u.factionNames, (std::vector<std::string>{"A", "B", "C"}));
    const std::vector<std::vector<int16_t>> expected = {{0, 100, -100}, {0, 0, -100}, {0, 0, 0}};
    EXPECT_EQ(u.factionRelations, expected);
    EXPECT_TRUE(logged("Relationship decode error: grumpy"));
}

// A relation table of a hundred thousand factions, from a file of two megabytes, would take twenty gigabytes.
TEST_F(GalaxyFactions, OnlyTheFirstThousandFactionsAreRead) {
    for (const int count : {1000, 1001}) {
        std::string factions = "<faction name=\"F0\"><relation name=\"F999\" attitude=\"hostile\"/></faction>";
        for (int i = 1; i < count; ++i) factions += "<faction name=\"F" + std::to_string(i) + "\"/>";
        dir.data("relations.xml", factions);
        ASSERT_TRUE(build());
        ASSERT_EQ(universe->factionNames.size(), 1000u) << count;
        EXPECT_EQ(universe->factionNames.back(), "F999");
        EXPECT_EQ(universe->factionRelations[0][999], -100) << count;
        EXPECT_EQ(logged("Error, relations.xml names 1001 factions; only the first 1000 are read"), count > 1000);
    }
}

TEST_F(GalaxyFactions, TwinNamesTakeTheRowOfTheLaterAndEveryColumn) {
    dir.data("relations.xml",
             "<faction name=\"T\"/><faction name=\"U\"><relation name=\"T\" attitude=\"hostile\"/></faction>"
             "<faction name=\"T\"><relation name=\"U\" attitude=\"friendly\"/></faction>");
    ASSERT_TRUE(build());
    const std::vector<std::vector<int16_t>> expected = {{0, 0, 0}, {-100, 0, -100}, {0, 100, 0}};
    EXPECT_EQ(universe->factionRelations, expected);
}

TEST_F(GalaxyFactions, PlanetOwnersAreFactionNames) {
    dir.data("relations.xml", "<faction name=\"Red\"/><faction name=\"Blue\"/><faction name=\"\"/>");
    dir.data("universe.xml",
             "<world name=\"W\"><star name=\"S\" radius=\"10\">"
             "<planet name=\"a\" factionOwner=\"Blue\"/><planet name=\"b\" factionOwner=\"Green\"/>"
             "<planet name=\"c\"/><planet name=\"d\" factionOwner=\"\"/></star></world>");
    ASSERT_TRUE(build());
    const auto& planets = universe->worlds[0].stars[0].getPlanets();
    ASSERT_EQ(planets.size(), 4u);
    EXPECT_EQ(planets[0].getPlanetData().factionOwner, 1);
    EXPECT_EQ(planets[1].getPlanetData().factionOwner, -1);
    EXPECT_EQ(planets[2].getPlanetData().factionOwner, -1) << "no owner, not the faction without a name";
    EXPECT_EQ(planets[3].getPlanetData().factionOwner, -1) << "an empty owner, as a save writes for none";
}

using GalaxyProjectiles = GalaxyTest;

TEST_F(GalaxyProjectiles, AnEmptyTypeTakesEveryDefault) {
    dir.data("projectiles.xml", "<projectile/>");
    ASSERT_TRUE(build());
    ASSERT_EQ(WEAPONDATA.size(), 1u);
    const projectileData& p = WEAPONDATA[0];
    EXPECT_EQ(p.name, "Unnamed");
    EXPECT_EQ(p.cooldown, 1000);
    EXPECT_FLOAT_EQ(p.speed, 100.0f);
    EXPECT_EQ(p.lifetime, 1000);
    EXPECT_FLOAT_EQ(p.damage, 10.0f);
    EXPECT_FLOAT_EQ(p.homingRange, 0.0f);
    EXPECT_FLOAT_EQ(p.turnSpeed, 0.001f);
    EXPECT_FLOAT_EQ(p.size, 10.0f);
    EXPECT_EQ(p.trailEffect, -1);
    EXPECT_EQ(p.onDeathEffect, 0);
    EXPECT_EQ(p.onHitEffect, 0);
    EXPECT_EQ(p.onHitFragment, -1);
    EXPECT_EQ(p.onDeathFragment, -1);
    EXPECT_FLOAT_EQ(p.minAngle, -1.0f);
    EXPECT_FLOAT_EQ(p.maxAngle, -1.0f);
    EXPECT_TRUE(p.grav);
    EXPECT_EQ(p.numProjectiles, 1);
    EXPECT_FLOAT_EQ(p.spread, 0.0f);
    EXPECT_TRUE(p.uniformSpread);
    EXPECT_EQ(p.trail.name, "unnamed");
    EXPECT_EQ(p.trail.length, 500);
    EXPECT_TRUE(logged("Dynamically loading bulletDot.png"));
}

TEST_F(GalaxyProjectiles, TypesAreNumberedByProjectileElementsOnly) {
    dir.data("projectiles.xml",
             "<note name=\"x\"/><projectile name=\"first\"/><other/><projectile name=\"second\" "
             "grav=\"0\" uniformSpread=\"0\" numProjectiles=\"3\"><trail name=\"a\" length=\"5\"/>"
             "<trail name=\"b\" red=\"0.5\"/></projectile>");
    ASSERT_TRUE(build());
    ASSERT_EQ(WEAPONDATA.size(), 2u);
    EXPECT_EQ(WEAPONDATA[0].name, "first");
    EXPECT_EQ(WEAPONDATA[1].name, "second");
    EXPECT_FALSE(WEAPONDATA[1].grav);
    EXPECT_FALSE(WEAPONDATA[1].uniformSpread);
    EXPECT_EQ(WEAPONDATA[1].numProjectiles, 3);
    EXPECT_EQ(WEAPONDATA[1].trail.name, "b");
    EXPECT_FLOAT_EQ(WEAPONDATA[1].trail.red, 0.5f);
    EXPECT_EQ(WEAPONDATA[1].trail.length, 500);
}

// One firing of 2^31 shots would exhaust memory; a thousand is far above any real fan.
TEST_F(GalaxyProjectiles, WholeNumbersSaturateInsteadOfOverflowingAndAFiringHasAThousandShotsAtMost) {
    dir.data("projectiles.xml",
             "<projectile cooldown=\"1e30\" lifetime=\"-1e30\" numProjectiles=\"nan\" onHitEffect=\"2.9\"/>"
             "<projectile name=\"Swarm\" numProjectiles=\"1e30\"/><projectile numProjectiles=\"1000\"/>");
    ASSERT_TRUE(build());
    EXPECT_EQ(WEAPONDATA[0].cooldown, INT32_MAX);
    EXPECT_EQ(WEAPONDATA[0].lifetime, INT32_MIN);
    EXPECT_EQ(WEAPONDATA[0].numProjectiles, 0);
    EXPECT_EQ(WEAPONDATA[0].onHitEffect, 2);
    EXPECT_EQ(WEAPONDATA[1].numProjectiles, 1000);
    EXPECT_TRUE(logged("Error, projectile Swarm in projectiles.xml fires 2147483647 shots at once; it fires 1000"));
    EXPECT_EQ(WEAPONDATA[2].numProjectiles, 1000);
    EXPECT_FALSE(logged("Error, projectile Unnamed in projectiles.xml fires 1000 shots at once; it fires 1000"));
}

TEST_F(GalaxyProjectiles, AnglesAndSpreadConvertFromDegrees) {
    const struct {
        const char* attributes;
        float minAngle, maxAngle, spread;
    } cases[] = {
        {"minAngle=\"-90\" maxAngle=\"90\"", 270 * DEG, 90 * DEG, 0},
        {"minAngle=\"0\" spread=\"10\"", 0, -1, 10 * DEG},
        {"maxAngle=\"-30\" spread=\"-4\"", -1, 330 * DEG, -4 * DEG},
    };
    std::string body;
    for (const auto& c : cases) body += std::string("<projectile ") + c.attributes + "/>";
    dir.data("projectiles.xml", body);
    ASSERT_TRUE(build());
    ASSERT_EQ(WEAPONDATA.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_NEAR(WEAPONDATA[i].minAngle, cases[i].minAngle, 1e-5) << cases[i].attributes;
        EXPECT_NEAR(WEAPONDATA[i].maxAngle, cases[i].maxAngle, 1e-5) << cases[i].attributes;
        EXPECT_NEAR(WEAPONDATA[i].spread, cases[i].spread, 1e-5) << cases[i].attributes;
    }
}

TEST_F(GalaxyProjectiles, FragmentsResolveForwardReferencesAndReportBadOnes) {
    dir.data("projectiles.xml",
             "<projectile name=\"shell\"><fragment trigger=\"onHit\" fragType=\"bits\"/>"
             "<fragment trigger=\"onDeath\" fragType=\"shell2\"/><fragment trigger=\"onDeath\" fragType=\"bits\"/>"
             "<fragment fragType=\"bits\"/><fragment trigger=\"onLand\" fragType=\"bits\"/>"
             "<fragment trigger=\"onHit\" fragType=\"ghost\"/></projectile>"
             "<projectile name=\"bits\"/>");
    ASSERT_TRUE(build());
    EXPECT_EQ(WEAPONDATA[0].onHitFragment, 1);
    EXPECT_EQ(WEAPONDATA[0].onDeathFragment, 1);
    EXPECT_EQ(WEAPONDATA[1].onHitFragment, -1);
    EXPECT_TRUE(logged("Error, bad projectile name shell2 for fragment in projectile shell"));
    EXPECT_TRUE(logged("Error, bad projectile name ghost for fragment in projectile shell"));
    EXPECT_TRUE(logged("Error, bad event type for projectile fragment, projectile shell"));
}

TEST_F(GalaxyProjectiles, EndlessDeathFragmentChainsAreCut) {
    dir.data("projectiles.xml",
             "<projectile name=\"self\"><fragment trigger=\"onDeath\" fragType=\"self\"/></projectile>"
             "<projectile name=\"a\"><fragment trigger=\"onDeath\" fragType=\"b\"/></projectile>"
             "<projectile name=\"b\"><fragment trigger=\"onDeath\" fragType=\"a\"/>"
             "<fragment trigger=\"onHit\" fragType=\"b\"/></projectile>"
             "<projectile name=\"end\"><fragment trigger=\"onDeath\" fragType=\"a\"/></projectile>");
    ASSERT_TRUE(build());
    EXPECT_EQ(WEAPONDATA[0].onDeathFragment, -1);
    // Exactly one link of the a-b loop goes; the chain into it stays.
    EXPECT_EQ((WEAPONDATA[1].onDeathFragment == -1) + (WEAPONDATA[2].onDeathFragment == -1), 1);
    EXPECT_EQ(WEAPONDATA[2].onHitFragment, 2);
    EXPECT_EQ(WEAPONDATA[3].onDeathFragment, 1);
    EXPECT_NE(log.find("repeats for ever"), std::string::npos);
}

// Each generation of a chain is the product of the fans down to it: 40 x 25 is a thousand, 41 x 25 more.
TEST_F(GalaxyProjectiles, DeathFragmentsThatMultiplyAFiringPastItsCapAreCut) {
    dir.data("projectiles.xml",
             "<projectile name=\"fan\" numProjectiles=\"40\">"
             "<fragment trigger=\"onDeath\" fragType=\"fan2\"/></projectile>"
             "<projectile name=\"fan2\" numProjectiles=\"25\">"
             "<fragment trigger=\"onDeath\" fragType=\"one\"/></projectile>"
             "<projectile name=\"one\"/>"
             "<projectile name=\"wide\" numProjectiles=\"41\">"
             "<fragment trigger=\"onDeath\" fragType=\"fan2\"/></projectile>");
    ASSERT_TRUE(build());
    EXPECT_EQ(WEAPONDATA[0].onDeathFragment, 1);
    EXPECT_EQ(WEAPONDATA[1].onDeathFragment, 2);
    EXPECT_EQ(WEAPONDATA[3].onDeathFragment, -1);
    EXPECT_TRUE(logged("Error, death fragment fan2 of projectile wide multiplies one firing past its cap; "
                       "it is dropped"));
}

TEST_F(GalaxyProjectiles, RebuildingKeepsTheSameTypes) {
    dir.data("projectiles.xml", "<projectile name=\"a\"/><projectile name=\"b\"/>");
    ASSERT_TRUE(build());
    testing::internal::CaptureStdout();
    universe->worlds.clear();
    universe->planetCache.clear();
    initializeStars(*universe, nullptr);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(WEAPONDATA.size(), 2u);
}

using GalaxyShipTypes = GalaxyTest;

TEST_F(GalaxyShipTypes, DefaultsTrailsAndWeapons) {
    dir.data("projectiles.xml", "<projectile name=\"gun\"/><projectile name=\"drill\"/>");
    dir.data("shipData.xml",
             "<ship/>"
             "<ship name=\"glow\" aiType=\"-1\" thrust=\"0.001\" hitpoints=\"50\" size=\"30\">"
             "<weapon name=\"drill\"/><weapon name=\"nothing\"/><weapon name=\"gun\"/><weapon name=\"drill\"/>"
             "<trail name=\"first\" length=\"99\"/><trail name=\"glowTrail\" green=\"0.5\"/></ship>");
    ASSERT_TRUE(build());
    ASSERT_EQ(universe->shipTypes.size(), 2u);
    const shipDataStruct& plain = universe->shipTypes[0];
    EXPECT_EQ(plain.name, "");
    EXPECT_EQ(plain.aiType, 4);
    EXPECT_EQ(plain.texture, 0);
    EXPECT_FLOAT_EQ(plain.thrust, 20.0f);
    EXPECT_FLOAT_EQ(plain.hitpoints, 100.0f);
    EXPECT_FLOAT_EQ(plain.size, 40.0f);
    EXPECT_EQ(plain.trailName, "");
    EXPECT_TRUE(plain.weapons.empty());

    const shipDataStruct& glow = universe->shipTypes[1];
    EXPECT_EQ(glow.aiType, 65535) << "a negative mode wraps to one that no AI has";
    EXPECT_FLOAT_EQ(glow.thrust, 0.001f);
    EXPECT_EQ(glow.weapons, (std::vector<unsigned int>{1, 0, 1}));
    EXPECT_EQ(glow.trailName, "glowTrail");
    EXPECT_FLOAT_EQ(glow.trailRed, 1.0f);
    EXPECT_FLOAT_EQ(glow.trailGreen, 0.5f);
    EXPECT_EQ(glow.trailLength, 500);
}
