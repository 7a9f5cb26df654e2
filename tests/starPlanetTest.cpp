// Stars, planets and their satellites: construction, satellite sets and the time skip.
#include <gtest/gtest.h>

#include <cmath>

#include "star.h"

namespace {

planetData ownedBy(short faction) {
    planetData data;
    data.name = "Record";
    data.factionOwner = faction;
    data.health = 50;
    return data;
}

Planet makePlanet(float orbitRadius, float orbitSpeedDeg, float initLocDeg, float spin, float initRot) {
    return Planet(7, 100, 2e-6f, orbitRadius, orbitSpeedDeg, initLocDeg, spin, initRot, 3, "Hollow",
                  ownedBy(2), {{"mood", "calm"}});
}

satelliteStats guardType() {
    satelliteStats stats;
    stats.name = "Guard";
    stats.maxHP = 99.9f;
    return stats;
}

}  // namespace

TEST(Planet, ConvertsOrbitDegreesWithTheRoundedPiAndStartsAtTheOrigin) {
    Planet planet = makePlanet(1000, 18, 90, 2, 45);
    EXPECT_EQ(planet.getID(), 7);
    EXPECT_EQ(planet.getName(), "Hollow");
    EXPECT_FLOAT_EQ(planet.getMass(), 100.0f * 100 * 100 * 4.1866666666666665f);
    EXPECT_EQ(planet.getPos().x, 0);
    EXPECT_EQ(planet.getPos().y, 0);
    EXPECT_EQ(planet.getPlanetData().name, "Record");
    ASSERT_EQ(planet.getExtraData().size(), 1u);
    EXPECT_EQ(planet.getExtraData()[0].value, "calm");

    // 0 ms: the start angle 90 degrees with 3.14 for pi puts it just off the +y axis.
    planet.skipTime(0, {10, 20});
    EXPECT_NEAR(planet.getPos().x, 10 + 1000 * std::cos(90 * 3.14f / 180), 1e-3);
    EXPECT_NEAR(planet.getPos().y, 20 + 1000 * std::sin(90 * 3.14f / 180), 1e-3);
}

TEST(Planet, SkipTimeIsAFunctionOfElapsedTimeAlone) {
    Planet once = makePlanet(500, 0.01f, 0, 0.5f, 0);
    Planet twice = once;
    once.skipTime(3000, {0, 0});
    twice.skipTime(1000, {0, 0});
    twice.skipTime(2000, {0, 0});
    EXPECT_NEAR(once.getPos().x, twice.getPos().x, 1e-2);
    EXPECT_NEAR(once.getPos().y, twice.getPos().y, 1e-2);
    float angle = 0.01f * 3.14f / 180 * 3000;
    EXPECT_NEAR(once.getPos().x, 500 * std::cos(angle), 1e-2);
    EXPECT_NEAR(once.getPos().y, 500 * std::sin(angle), 1e-2);
    EXPECT_EQ(once.getVelocity().x, 0);
    EXPECT_EQ(once.getVelocity().y, 0);
}

TEST(Star, SkipTimeMovesEveryPlanetAroundTheStar) {
    Star star({1000, -1000}, 300, 1e-6f, 2, "Sol");
    EXPECT_FLOAT_EQ(star.getMass(), 300.0f * 300 * 300 * 4.1866666666666665f);
    EXPECT_EQ(star.getId(), 0);
    star.addPlanet(makePlanet(2000, 0, 0, 0, 0));
    star.addPlanet(makePlanet(4000, 0, 180, 0, 0));
    star.skipTime(500);
    ASSERT_EQ(star.getPlanets().size(), 2u);
    EXPECT_NEAR(star.getPlanets()[0].getPos().x, 3000, 1e-2);
    EXPECT_NEAR(star.getPlanets()[0].getPos().y, -1000, 1e-2);
    EXPECT_NEAR(star.getPlanets()[1].getPos().x, 1000 - 4000, 1);
}

TEST(Planet, SatelliteSetsFollowTypeAndCount) {
    satelliteStats type = guardType();
    struct Case {
        satelliteStats* type;
        int count;
        int expected;
    };
    const Case cases[] = {
        {&type, 4, 4}, {&type, 0, 0}, {nullptr, 3, 0}, {&type, -5, 0}, {&type, 2000000000, 1000},
    };
    for (const Case& c : cases) {
        Planet planet = makePlanet(1, 0, 0, 0, 0);
        planet.setSats(c.type, c.count);
        std::string name = "unchanged";
        int count = -1;
        planet.getSats(name, count);
        EXPECT_EQ(count, c.expected) << "count " << c.count;
        EXPECT_EQ(name, c.expected ? "Guard" : "unchanged") << "count " << c.count;
    }
}

TEST(Planet, SatellitesStandEvenlySpacedAndTakeTheOwner) {
    satelliteStats type = guardType();
    Planet planet = makePlanet(1, 0, 0, 0, 0);
    planet.setSats(&type, 4);
    const auto& sats = planet.getSatellites();
    ASSERT_EQ(sats.size(), 4u);
    for (int i = 0; i < 4; i++) {
        EXPECT_FLOAT_EQ(sats[i].getPhase(), i * 0.25f);
        EXPECT_EQ(sats[i].getFaction(), 2);
        EXPECT_EQ(sats[i].getHp(), 99);
    }
    planetData newOwner = ownedBy(-1);
    planet.setPlanetData(newOwner);
    for (const Satellite& sat : planet.getSatellites()) EXPECT_EQ(sat.getFaction(), -1);

    planet.skipTime(250, {0, 0});
    for (const Satellite& sat : planet.getSatellites()) EXPECT_EQ(sat.getTime(), 250u);
}

TEST(Planet, DamageStopsAtZeroHealth) {
    Planet planet = makePlanet(1, 0, 0, 0, 0);
    planet.takeDamage(20);
    EXPECT_FLOAT_EQ(planet.getHealth(), 30);
    planet.takeDamage(30);
    EXPECT_EQ(planet.getHealth(), 0);
    planet.takeDamage(5);
    EXPECT_EQ(planet.getHealth(), 0);
}
