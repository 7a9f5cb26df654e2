// Look-ups by identifier: factions, the ship registry and the planet cache.
#include <gtest/gtest.h>

#include <climits>

#include "capturedOutput.h"
#include "dataDirectory.h"
#include "planet.h"
#include "ship.h"
#include "star.h"
#include "timer.h"
#include "universe.h"
#include "worldState.h"

namespace {

Planet makePlanet(int id, const std::string& name) {
    planetData data;
    data.name = name;
    data.starbase = id;
    testing::internal::CaptureStdout();  // the constructor prints the name
    Planet planet(id, 10, 1, 100, 0, 0, 0, 0, 0, name, data, {{"key", name}});
    testing::internal::GetCapturedStdout();
    return planet;
}

// Worlds of stars of planets, with planet IDs counted across all of them and
// one null cache slot per planet, the way the galaxy is built.
void buildWorlds(Universe& u, const std::vector<std::vector<int>>& planetsPerStar) {
    int id = 0;
    for (size_t w = 0; w < planetsPerStar.size(); ++w) {
        u.worlds.emplace_back("World" + std::to_string(w), 1000);
        for (int count : planetsPerStar[w]) {
            Star star({0, 0}, 100, 1, 0, "Star");
            for (int p = 0; p < count; ++p, ++id) {
                star.addPlanet(makePlanet(id, "P" + std::to_string(id)));
                u.planetCache.push_back(nullptr);
            }
            u.worlds.back().stars.push_back(star);
        }
    }
}

}  // namespace

TEST(UniverseFactions, NamesAndIDsAnswerTheirEdges) {
    auto u = emptyUniverse();
    u->factionNames = {"Union", "Pirates", "Union"};
    EXPECT_EQ(u->getFactionID("Union"), 0);
    EXPECT_EQ(u->getFactionID("Pirates"), 1);
    EXPECT_EQ(u->getFactionID("pirates"), -1);
    EXPECT_EQ(u->getFactionID(""), -1);
    struct Case {
        int16_t id;
        const char* name;
    };
    const Case cases[] = {{0, "Union"}, {1, "Pirates"}, {2, "Union"},
                          {-1, "Neutral"}, {3, "Neutral"}, {INT16_MIN, "Neutral"}, {INT16_MAX, "Neutral"}};
    for (const Case& c : cases)
        EXPECT_EQ(u->getFactionName(c.id), c.name) << c.id;
    u->factionNames.clear();
    EXPECT_EQ(u->getFactionName(0), "Neutral");
}

TEST(UniverseShipRegistry, IDsAreHandedOutInOrderAndNeverReused) {
    auto u = emptyUniverse();
    int first = 0, second = 0, third = 0;
    Ship* a = reinterpret_cast<Ship*>(&first);
    Ship* b = reinterpret_cast<Ship*>(&second);
    Ship* c = reinterpret_cast<Ship*>(&third);
    EXPECT_EQ(u->getNewShipID(a), 0u);
    EXPECT_EQ(u->getShip(0), a);
    u->removeShip(0);
    EXPECT_EQ(u->getShip(0), nullptr);
    EXPECT_EQ(u->getRawShipListSize(), 1u);
    EXPECT_EQ(u->getNewShipID(b), 1u);
    EXPECT_EQ(u->getNewShipID(c), 2u);
    EXPECT_EQ(u->getShip(2), c);
    EXPECT_EQ(u->getShip(3), nullptr);
    EXPECT_EQ(u->getShip(UINT_MAX), nullptr);
    u->clearShipList();
    EXPECT_EQ(u->getRawShipListSize(), 0u);
    EXPECT_EQ(u->getShip(1), nullptr);
    EXPECT_EQ(u->getNewShipID(a), 0u);
}

TEST(UniverseShipRegistry, RemovingAnUnknownIDIsReportedAndChangesNothing) {
    auto u = emptyUniverse();
    int only = 0;
    u->getNewShipID(reinterpret_cast<Ship*>(&only));
    EXPECT_EQ(captured([&] { u->removeShip(1); }), "ERROR, Bad ship number to remove 1, size 1\n");
    EXPECT_EQ(captured([&] { u->removeShip(4294967295u); }),
              "ERROR, Bad ship number to remove 4294967295, size 1\n");
    EXPECT_EQ(u->getShip(0), reinterpret_cast<Ship*>(&only));
    EXPECT_EQ(captured([&] { u->removeShip(0); }), "");
}

TEST(UniversePlanetCache, PlanetIDsRunAcrossWorldsAndSlotsFillOnFirstLookUp) {
    auto u = emptyUniverse();
    buildWorlds(*u, {{2, 1}, {3}});
    ASSERT_EQ(u->planetCache.size(), 6u);
    EXPECT_EQ(u->planetCache[4], nullptr);
    Planet* fourth = u->getPlanet(4);
    ASSERT_NE(fourth, nullptr);
    EXPECT_EQ(fourth, &u->worlds[1].stars[0].getPlanets()[1]);
    EXPECT_EQ(u->planetCache[4], fourth);
    EXPECT_EQ(u->getPlanet(2), &u->worlds[0].stars[1].getPlanets()[0]);
    EXPECT_EQ(u->getPlanetData(5).name, "P5");
    EXPECT_EQ(u->getPlanetData(5).starbase, 5);
    std::vector<luaStringPair> extra = u->getExtraPlanetData(0);
    ASSERT_EQ(extra.size(), 1u);
    EXPECT_EQ(extra[0].value, "P0");
}

TEST(UniversePlanetCache, AFilledSlotIsUsedWithoutSearchingAgain) {
    auto u = emptyUniverse();
    buildWorlds(*u, {{2}});
    Planet* other = &u->worlds[0].stars[0].getPlanets()[1];
    u->planetCache[0] = other;
    EXPECT_EQ(u->getPlanet(0), other);
    EXPECT_EQ(u->getPlanetData(0).name, "P1");
}

TEST(UniversePlanetCache, TwoPlanetsWithOneIDGiveTheLastVisited) {
    auto u = emptyUniverse();
    u->worlds.emplace_back("W", 10);
    Star star({0, 0}, 100, 1, 0, "S");
    star.addPlanet(makePlanet(0, "first"));
    star.addPlanet(makePlanet(0, "second"));
    u->worlds[0].stars.push_back(star);
    u->planetCache.resize(1, nullptr);
    EXPECT_EQ(u->getPlanetData(0).name, "second");
}

TEST(UniversePlanetCache, BadIDsGiveTheirMessagesAndFallbacks) {
    auto u = emptyUniverse();
    buildWorlds(*u, {{1}});
    u->planetCache.push_back(nullptr);  // a slot for which no planet exists
    u->defaultPlanetData.name = "fallback";
    const std::string invalid = "Error, invalid planet number\n";
    const std::string notFound = "Error, planet not found, but index is good\n";

    Planet* planet = reinterpret_cast<Planet*>(1);
    EXPECT_EQ(captured([&] { planet = u->getPlanet(2); }), invalid);
    EXPECT_EQ(planet, nullptr);
    EXPECT_EQ(captured([&] { planet = u->getPlanet(1); }), "");
    EXPECT_EQ(planet, nullptr);

    planetData data;
    EXPECT_EQ(captured([&] { data = u->getPlanetData(1); }), notFound);
    EXPECT_EQ(data.name, "fallback");
    EXPECT_EQ(captured([&] { data = u->getPlanetData(UINT_MAX); }), invalid);
    EXPECT_EQ(data.name, "fallback");

    std::vector<luaStringPair> extra{{"k", "v"}};
    EXPECT_EQ(captured([&] { extra = u->getExtraPlanetData(1); }), notFound);
    EXPECT_TRUE(extra.empty());
    EXPECT_EQ(captured([&] { extra = u->getExtraPlanetData(2); }), invalid);
    EXPECT_TRUE(extra.empty());
}

TEST(UniverseWorlds, GrowingTheWorldsKeepsPlanetsWhereTheCachePointsAt) {
    auto u = emptyUniverse();
    buildWorlds(*u, {{2}});
    Planet* cached = u->getPlanet(1);
    const Planet* stored = &u->worlds[0].stars[0].getPlanets()[1];
    u->worlds.reserve(u->worlds.capacity() + 1);  // one reallocation
    EXPECT_EQ(&u->worlds[0].stars[0].getPlanets()[1], stored);
    EXPECT_EQ(u->getPlanet(1), cached);
    EXPECT_EQ(u->getPlanetData(1).name, "P1");
}

namespace {

class CountedTimer : public TimerBase {
public:
    explicit CountedTimer(int& alive) : alive(alive) { ++alive; }
    ~CountedTimer() override { --alive; }
    void execute(int, WorldState&) override {}

private:
    int& alive;
};

}  // namespace

TEST(UniverseWorlds, TheUniverseDeletesTheTimedEffectsOfItsWorldsOnce) {
    int alive = 0;
    {
        auto u = emptyUniverse();
        u->worlds.emplace_back("A", 1);
        u->worlds.emplace_back("B", 1);
        u->worlds[0].timers = {new CountedTimer(alive), new CountedTimer(alive)};
        u->worlds[1].timers = {new CountedTimer(alive)};
        WorldState copy = u->worlds[0];  // shares the effects, owns none of them
        EXPECT_EQ(alive, 3);
    }
    EXPECT_EQ(alive, 0);
}
