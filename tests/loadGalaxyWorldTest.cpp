// Worlds, planets, saved entity records, the ship registry and the player built from the data files.
#include <gtest/gtest.h>

#include <algorithm>

#include <rapidxml/rapidxml.hpp>

#include "galaxyTestData.h"
#include "planet.h"
#include "player.h"
#include "ship.h"
#include "star.h"
#include "worldState.h"

namespace {

std::string planets(int count, int firstNumber) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "<planet name=\"p" + std::to_string(firstNumber + i) + "\"/>";
    return text;
}

std::string shipRecord(const std::string& type, float x, int faction = 1) {
    return "<shipData x=\"" + std::to_string(x) + "\" y=\"0\" xSpd=\"0\" ySpd=\"0\" theta=\"0\" aiType=\"4\" "
           "faction=\"" + std::to_string(faction) + "\" hitpoints=\"10\" shiptype=\"" + type +
           "\" goToX=\"0\" goToY=\"0\"/>";
}

std::string projectileRecord(int shotType) {
    return "<projectileData x=\"1\" y=\"2\" xSpd=\"0\" ySpd=\"1\" lifetimeRemaining=\"100\" theta=\"0\" "
           "shotType=\"" + std::to_string(shotType) + "\" faction=\"0\" targetedShipID=\"0\"/>";
}

const char* WALL_RECORD =
    "<gravWallData activeIndex=\"0\" gravToolName=\"g\" gravToolSpacing=\"10\" gravToolMass=\"5\" "
    "gravToolCost=\"1\" gravToolLifetime=\"100\" ID=\"3\"><wallNodes size=\"1\">"
    "<wallNode0 x=\"0\" y=\"0\" timeLeft=\"50\" strength=\"5\"/></wallNodes></gravWallData>";

int childCount(rapidxml::xml_node<char>* node, const char* name) {
    int count = 0;
    for (auto* child = node->first_node(name); child; child = child->next_sibling(name)) ++count;
    return count;
}

}  // namespace

using GalaxyWorlds = GalaxyTest;

TEST_F(GalaxyWorlds, PlanetIDsCountAcrossStarsAndWorlds) {
    dir.data("universe.xml",
             "<world name=\"One\" size=\"12.7\"><star name=\"a\">" + planets(2, 0) + "</star><star name=\"b\">" +
                 planets(1, 2) + "</star></world><note/>"
                 "<world name=\"Two\"><star name=\"c\">" + planets(3, 3) + "</star></world>");
    int luaStandIn = 0;
    ASSERT_TRUE(build(reinterpret_cast<lua_State*>(&luaStandIn)));
    const Universe& u = *universe;
    ASSERT_EQ(u.worlds.size(), 2u);
    EXPECT_EQ(u.worlds[0].name, "One");
    EXPECT_EQ(u.worlds[0].size, 12);
    EXPECT_EQ(u.planetCache, std::vector<Planet*>(6, nullptr));
    int expectedID = 0, expectedStarID = 0;
    for (const WorldState& world : u.worlds) {
        EXPECT_EQ(world.luaState, reinterpret_cast<lua_State*>(&luaStandIn));
        for (const Star& star : world.stars) {
            EXPECT_EQ(star.getId(), expectedStarID++) << "stars are numbered like planets";
            for (const Planet& planet : star.getPlanets()) {
                EXPECT_EQ(planet.getID(), expectedID);
                EXPECT_EQ(planet.getName(), "p" + std::to_string(expectedID));
                ++expectedID;
            }
        }
    }
    EXPECT_EQ(expectedID, 6);
    EXPECT_NE(log.find("world\n\tstar\np0\nAdding sat\nAdding sat done\np1\n"), std::string::npos) << log;
    EXPECT_LT(log.find("note\nworld\n"), log.find("Done slotting XML into real world data\n"));
}

TEST_F(GalaxyWorlds, AUniverseWithoutWorldsIsAFailure) {
    dir.data("universe.xml", "<galaxy name=\"not a world\"/>");
    EXPECT_FALSE(build());
    EXPECT_NE(log.find("no world"), std::string::npos);
    EXPECT_TRUE(universe->worlds.empty());
}

TEST_F(GalaxyWorlds, PlanetRecordsWithDefaultsAndScaledDensities) {
    dir.data("universe.xml",
             "<world name=\"W\"><star name=\"Sun\" xcoord=\"5\" ycoord=\"-6\" radius=\"100\" density=\"2\" "
             "texture=\"3\"><planet name=\"Rock\" radius=\"10\" density=\"0.5\" orbitRadius=\"20\" element3=\"7.9\" "
             "starbase=\"1\" drillLevel5=\"-2\" health=\"42.5\" qualityFactor2=\"1.5\"/><planet/></star>"
             "<wormhole xcoord=\"1\" ycoord=\"2\" radius=\"30\" targetWorld=\"0\" targetXcoord=\"9\" "
             "targetYcoord=\"8\"/></world>");
    ASSERT_TRUE(build());
    const WorldState& world = universe->worlds[0];
    const Star& star = world.stars[0];
    EXPECT_FLOAT_EQ(star.getPos().x, 5.0f);
    EXPECT_FLOAT_EQ(star.getPos().y, -6.0f);
    EXPECT_FLOAT_EQ(star.getDensity(), 2e-6f);
    EXPECT_EQ(star.getTexture(), 3);
    const planetData rock = star.getPlanets()[0].getPlanetData();
    EXPECT_EQ(rock.name, "Rock");
    EXPECT_EQ(rock.element3, 7);
    EXPECT_EQ(rock.element1, 0);
    EXPECT_EQ(rock.starbase, 1);
    EXPECT_EQ(rock.drillLevel5, -2);
    EXPECT_FLOAT_EQ(rock.health, 42.5f);
    EXPECT_FLOAT_EQ(rock.qualityFactor2, 1.5f);
    EXPECT_FLOAT_EQ(star.getPlanets()[0].getDensity(), 0.5e-6f);
    EXPECT_FLOAT_EQ(star.getPlanets()[0].getPos().x, 25.0f) << "on its orbit before its first frame";
    EXPECT_EQ(star.getPlanets()[1].getPlanetData().name, "Default");
    EXPECT_EQ(star.getPlanets()[1].getName(), "");
    ASSERT_EQ(world.wormholes.size(), 1u);
    EXPECT_EQ(world.wormholes[0].getWorld(), 0);
    EXPECT_FLOAT_EQ(world.wormholes[0].getTarget().x, 9.0f);
    EXPECT_FLOAT_EQ(world.wormholes[0].getRadius(), 30.0f);
}

TEST_F(GalaxyWorlds, ExtraDataKeepsEveryAttributeInOrder) {
    dir.data("universe.xml",
             "<world name=\"W\"><star><planet><extraData b=\"2\" a=\"1\"/><tradeGood name=\"t\"/>"
             "<extraData c=\"three words\" b=\"again\"/></planet></star></world>");
    ASSERT_TRUE(build());
    const auto extra = universe->worlds[0].stars[0].getPlanets()[0].getExtraData();
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"b", "2"}, {"a", "1"}, {"c", "three words"}, {"b", "again"}};
    ASSERT_EQ(extra.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(extra[i].key, expected[i].first);
        EXPECT_EQ(extra[i].value, expected[i].second);
    }
}

TEST_F(GalaxyWorlds, SatelliteCountsAreBounded) {
    dir.data("SatelliteData.xml", "<satelliteData name=\"Guard\"/>");
    const struct {
        const char* attributes;
        size_t satellites;
    } cases[] = {{"satelliteType=\"Guard\" satelliteNum=\"3\"", 3},
                 {"satelliteType=\"Guard\" satelliteNum=\"-2\"", 0},
                 {"satelliteType=\"Guard\" satelliteNum=\"1e12\"", 1000},
                 {"satelliteType=\"Nobody\" satelliteNum=\"3\"", 0},
                 {"satelliteNum=\"3\"", 0}};
    std::string body;
    for (const auto& c : cases) body += std::string("<planet ") + c.attributes + "/>";
    dir.data("universe.xml", "<world name=\"W\"><star>" + body + "</star></world>");
    ASSERT_TRUE(build());
    const auto& built = universe->worlds[0].stars[0].getPlanets();
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(built[i].getSatellites().size(), cases[i].satellites) << cases[i].attributes;
    EXPECT_NE(log.find("negative satellite count -2"), std::string::npos);
    const size_t capped = log.find("too large");
    ASSERT_NE(capped, std::string::npos);
    EXPECT_EQ(log.find("too large", capped + 1), std::string::npos) << "a capped count is reported once";
    EXPECT_NE(log.find("Adding sat\nAdding sat done\n"), std::string::npos);
}

TEST_F(GalaxyWorlds, SavedRecordsBecomeEntitiesAndLeaveTheDocument) {
    dir.data("projectiles.xml", "<projectile name=\"shot\"/>");
    dir.data("shipData.xml", "<ship name=\"Raider\"/>");
    dir.data("relations.xml", "<faction name=\"a\"/><faction name=\"b\"/>");
    dir.data("universe.xml",
             "<world name=\"W\"><star><planet><tradeGood name=\"ore\"/></planet></star>" + shipRecord("Raider", 5) +
                 projectileRecord(0) + projectileRecord(7) + WALL_RECORD + shipRecord("Raider", 9, 99) +
                 "<wormhole/></world>");
    ASSERT_TRUE(build());
    const WorldState& world = universe->worlds[0];
    EXPECT_EQ(world.ships.size(), 2u);
    EXPECT_EQ(world.projectiles.size(), 1u) << "a record of an unknown type is dropped";
    EXPECT_EQ(world.gravityWalls.size(), 1u);
    EXPECT_EQ(world.wormholes.size(), 1u);
    EXPECT_EQ(world.ships.back().getFaction(), 0) << "an unknown faction becomes 0";

    auto* worldNode = universe->universeRoot->first_node("world");
    EXPECT_EQ(childCount(worldNode, "shipData"), 0);
    EXPECT_EQ(childCount(worldNode, "projectileData"), 0);
    EXPECT_EQ(childCount(worldNode, "gravWallData"), 0);
    EXPECT_EQ(childCount(worldNode, "wormhole"), 1);
    EXPECT_EQ(childCount(worldNode->first_node("star")->first_node("planet"), "tradeGood"), 1);
}

// Registry slots must stay the addresses of the ships in their lists while later
// worlds are added, or the first world's ships would be reached through freed memory.
TEST_F(GalaxyWorlds, RegistrySlotsStayTheStoredShipsAcrossLaterWorlds) {
    dir.data("shipData.xml", "<ship name=\"Raider\"/>");
    std::string worlds;
    for (int i = 0; i < 9; ++i)
        worlds += "<world name=\"w" + std::to_string(i) + "\">" + (i == 0 || i == 4 ? shipRecord("Raider", 1.0f * i) : "") +
                  "<star>" + planets(1, i) + "</star></world>";
    dir.data("universe.xml", worlds);
    ASSERT_TRUE(build());
    Universe& u = *universe;
    ASSERT_EQ(u.getRawShipListSize(), 2u);
    const Ship& first = u.worlds[0].ships.front();
    const Ship& later = u.worlds[4].ships.front();
    EXPECT_EQ(u.getShip(first.getID()), &first);
    EXPECT_EQ(u.getShip(later.getID()), &later);
    EXPECT_FLOAT_EQ(u.getShip(first.getID())->getHitpoints(), 10.0f);
}

using GalaxyPlayer = GalaxyTest;

TEST_F(GalaxyPlayer, BuiltFromThePlayerDocumentInTheFirstWorld) {
    dir.data("projectiles.xml", "<projectile name=\"gun\"/><projectile name=\"beam\"/>");
    dir.data("EquipmentData.xml",
             "<engines><engine name=\"Fast\" thrust=\"0.002\"/></engines>"
             "<hulls><hull name=\"Tough\" hitpoints=\"1500\" size=\"44\"/></hulls>");
    dir.data("PlayerData.xml",
             "<position x=\"1\" y=\"1\"/><weapon name=\"beam\"/><position x=\"-300\" y=\"250\"/>"
             "<engine name=\"Fast\"/><hull name=\"Tough\"/><weapon name=\"laser\"/><weapon name=\"beam\"/>");
    dir.data("universe.xml", "<world name=\"First\"/><world name=\"Second\"/>");
    ASSERT_TRUE(build());
    testing::internal::CaptureStdout();
    std::unique_ptr<Player> player = initializePlayer(*universe);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FLOAT_EQ(player->getPos().x, -300.0f);
    EXPECT_FLOAT_EQ(player->getPos().y, 250.0f);
    EXPECT_FLOAT_EQ(player->getHealth(), 1500.0f);
    EXPECT_FLOAT_EQ(player->getRadius(), 44.0f);
    EXPECT_EQ(universe->currentWorld, &universe->worlds[0]);
    EXPECT_NE(out.find("Loading weapon beam into player\n"), std::string::npos);
    EXPECT_NE(out.find("Error loading weapon laser onto player\n"), std::string::npos);
    EXPECT_NE(out.find("No match with \n"), std::string::npos) << "the look-ups start from the fallbacks";
}

TEST_F(GalaxyPlayer, NoWeaponsNoPositionNoTypes) {
    dir.data("PlayerData.xml", "<weapon name=\"anything\"/>");
    ASSERT_TRUE(build());
    testing::internal::CaptureStdout();
    std::unique_ptr<Player> player = initializePlayer(*universe);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FLOAT_EQ(player->getPos().x, 0.0f);
    EXPECT_FLOAT_EQ(player->getPos().y, 0.0f);
    EXPECT_EQ(out.find("weapon"), std::string::npos) << "without projectile types nothing is said";
}

using GalaxyOutline = GalaxyTest;

TEST_F(GalaxyOutline, PrintsStarsAndTheirChildren) {
    dir.data("universe.xml", "<world name=\"W\"><star name=\"S\"><planet name=\"P\"/></star><wormhole/></world>");
    testing::internal::CaptureStdout();
    testXML();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(" x universe type 1\nworld\n\tstar\n\t\tplanet\n\t\tP\n\tNot star\n"), std::string::npos)
        << out;
}

TEST_F(GalaxyOutline, ABrokenFileIsOneLineNotACrash) {
    const struct {
        const char* text;
        const char* says;
    } cases[] = {{"<universe><world></universe>", "does not parse"}, {"<cosmos/>", "no root element universe"}};
    for (const auto& c : cases) {
        dir.write("universe.xml", c.text);
        testing::internal::CaptureStdout();
        testXML();
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find(c.says), std::string::npos) << out;
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    }
    dir.remove("universe.xml");
    testing::internal::CaptureStdout();
    testXML();
    EXPECT_NE(testing::internal::GetCapturedStdout().find("cannot open"), std::string::npos);
}
