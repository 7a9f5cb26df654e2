// Save games over the shipped galaxy: what a save and a load keep, and failures that cost nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "basics.h"
#include "planet.h"
#include "playerGame.h"
#include "timer.h"

namespace {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return in ? text.str() : "(unreadable " + path + ")";
}

// Both files of a slot, without the clock, which moves on by a millisecond now and then
// between setting it and saving.
std::string slotText(const std::string& slot, const std::string& saves = "saves") {
    const std::string folder = saves + "/" + slot;
    const std::string text = fileText(folder + "/universeSAV.xml") + fileText(folder + "/PlayerDataSAV.xml");
    return std::regex_replace(text, std::regex(" time=\"[0-9]+\""), "");
}

int errorLines(const std::string& out) {
    int count = 0;
    for (size_t at = out.find("Error"); at != std::string::npos; at = out.find("Error", at + 1)) ++count;
    return count;
}

struct CountedTimer : TimerBase {
    explicit CountedTimer(int& deaths) : deaths(deaths) {}
    ~CountedTimer() override { ++deaths; }
    void execute(int, WorldState&) override {}
    int& deaths;
};

constexpr uint32_t HELD_CLOCK = 1234567;  // above a million ms, where float text would round it

}  // namespace

class SaveGame : public PlayerGame {
protected:
    // Saves and loads with the clock held, printing swallowed; whether it worked.
    bool save(const std::string& slot) {
        setTime(HELD_CLOCK);
        testing::internal::CaptureStdout();
        const bool saved = universe->saveGame(slot);
        out = testing::internal::GetCapturedStdout();
        return saved;
    }
    bool load(const std::string& slot) {
        testing::internal::CaptureStdout();
        const bool loaded = universe->loadGame(slot, s.lua);
        out = testing::internal::GetCapturedStdout();
        return loaded;
    }
    Planet& planet(unsigned id) { return *universe->getPlanet(id); }

    std::string out;
};

TEST_F(SaveGame, ASaveLoadedAndSavedAgainGivesTheSameFilesAndTheSameGame) {
    planetData record = planet(0).getPlanetData();
    record.elementStockpile1 = 1234567;
    record.starbase = 7;
    record.factionOwner = 1;
    planet(0).setPlanetData(record);
    record = planet(1).getPlanetData();
    record.factionOwner = -1;
    planet(1).setPlanetData(record);
    std::vector<luaStringPair> extra = {{"zeta", "1"}, {"alpha", "two words"}};
    planet(0).setExtraData(extra);
    placeShips(1, 2);
    universe->worlds[1].ships.back().setDestinationPlanet(3);
    universe->addNotification(std::vector<std::string>{"First", "Second"}, 4000, 0);
    universe->addNotification("Third", 3000, 0);
    WorldState& second = universe->worlds[1];
    second.projectiles.emplace_back(point{10, 20}, 0.5f, second, 0, 1.0f, 2.0f, 1, std::vector<short>{});
    second.gravityWalls.emplace_back(4, point{-5, 5}, universe->defaultGravTool.left, 3);
    const size_t world1Ships = second.ships.size();

    ASSERT_TRUE(save("a"));
    ASSERT_TRUE(save("a")) << "saving twice must not double the entities";
    const uint32_t beforeLoad = SDL_GetTicks();
    ASSERT_TRUE(load("a")) << out;
    EXPECT_GE(getTime(), HELD_CLOCK);
    EXPECT_LE(getTime(), HELD_CLOCK + SDL_GetTicks() - beforeLoad) << "the clock comes back to the millisecond";
    ASSERT_TRUE(save("b"));
    EXPECT_EQ(slotText("a"), slotText("b"));

    EXPECT_EQ(planet(0).getPlanetData().elementStockpile1, 1234567);
    EXPECT_EQ(planet(0).getPlanetData().starbase, 7);
    EXPECT_EQ(planet(0).getPlanetData().factionOwner, 1);
    EXPECT_EQ(planet(1).getPlanetData().factionOwner, -1);
    ASSERT_EQ(planet(0).getExtraData().size(), 2u);
    EXPECT_EQ(planet(0).getExtraData()[0].key, "zeta");
    EXPECT_EQ(planet(0).getExtraData()[1].value, "two words");
    EXPECT_NE(fileText("saves/a/universeSAV.xml").find("destinationPlanet=\"3\""), std::string::npos);
    const std::string notes = fileText("saves/a/universeSAV.xml");
    EXPECT_NE(notes.find("<textEntry font=\"0\" lifetimeRemaining=\"4000\">\n\t\t\t<textLine 0=\"First\"/>\n"
                         "\t\t\t<textLine 1=\"Second\"/>"), std::string::npos);

    size_t ships = 0;
    for (const WorldState& world : universe->worlds) {
        for (const Ship& ship : world.ships) {
            EXPECT_EQ(universe->getShip(ship.getID()), &ship) << "every loaded ship resolves by its ID";
            ++ships;
        }
    }
    EXPECT_EQ(ships, universe->getRawShipListSize());
    EXPECT_EQ(universe->worlds[1].ships.size(), world1Ships);
    EXPECT_EQ(universe->worlds[1].projectiles.size(), 1u);
    EXPECT_EQ(universe->worlds[1].gravityWalls.size(), 1u);
}

TEST_F(SaveGame, APlanetsPlaceAndALandedPlayerComeBackAsSaved) {
    Star& star = universe->worlds[0].stars[0];
    Planet& world0Planet = star.getPlanets()[0];
    world0Planet.skipTime(5000, star.getPos());
    const point where = world0Planet.getPos();
    player().x = where.x + world0Planet.getRadius() + player().getRadius();
    player().y = where.y;
    player().setLanded(world0Planet.getID());
    player().setVelocity({3, 4});
    *player().getInputPointer() = false;

    ASSERT_TRUE(save("landed"));
    ASSERT_TRUE(load("landed")) << out;
    const Planet& back = universe->worlds[0].stars[0].getPlanets()[0];
    EXPECT_FLOAT_EQ(back.getPos().x, where.x);
    EXPECT_FLOAT_EQ(back.getPos().y, where.y);
    EXPECT_TRUE(player().isLanded());
    EXPECT_EQ(player().getPlanetId(), back.getID());
    EXPECT_FLOAT_EQ(player().getVelocity().x, 0.0f);
    EXPECT_TRUE(player().getKeysOn()) << "the displays that switched the keys off are closed";

    player().x += 5000;  // too far for the planet to hold it
    ASSERT_TRUE(save("landed"));
    ASSERT_TRUE(load("landed")) << out;
    EXPECT_FALSE(player().isLanded());
    EXPECT_EQ(player().getPlanetId(), -1);
}

TEST_F(SaveGame, ALoadDeletesEveryTimedEffectOnce) {
    int deaths = 0;
    universe->worlds[0].timers.push_back(new CountedTimer(deaths));
    universe->worlds[2].timers.push_back(new CountedTimer(deaths));
    ASSERT_TRUE(save("t"));
    ASSERT_TRUE(load("t"));
    EXPECT_EQ(deaths, 2);
    universe.reset();
    EXPECT_EQ(deaths, 2);
}

TEST_F(SaveGame, AnUnsavableExtraDataKeyIsLeftOutWithOneLine) {
    std::vector<luaStringPair> extra = {{"good", "1"}, {"bad key", "2"}, {"", "3"}, {"a<b", "4"}, {"last", "5"}};
    planet(2).setExtraData(extra);
    ASSERT_TRUE(save("keys"));
    EXPECT_EQ(errorLines(out), 3) << out;
    ASSERT_TRUE(load("keys")) << out;
    const std::vector<luaStringPair> back = planet(2).getExtraData();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].key, "last");
}

TEST_F(SaveGame, ANonWorldElementBeforeTheFirstWorldLeavesEveryWorldItsOwnRecords) {
    universe->universeRoot->prepend_node(universe->universeDoc.allocate_node(rapidxml::node_element, "note"));
    planetData record = planet(0).getPlanetData();
    record.starbase = 9;
    planet(0).setPlanetData(record);
    placeShips(0, 3);
    std::vector<size_t> ships;
    for (const WorldState& world : universe->worlds) ships.push_back(world.ships.size());
    ASSERT_TRUE(save("note"));
    EXPECT_NE(out.find("Not a world\n"), std::string::npos);
    ASSERT_TRUE(load("note")) << out;
    EXPECT_EQ(planet(0).getPlanetData().starbase, 9);
    EXPECT_EQ(planet(1).getPlanetData().name, "Cinder");
    for (size_t i = 0; i < ships.size(); ++i) EXPECT_EQ(universe->worlds[i].ships.size(), ships[i]) << "world " << i;
}

TEST_F(SaveGame, ALoadThatCannotWorkLeavesTheGameAsItWas) {
    struct Case {
        const char* what;
        const char* file;  // replaced by text; null: the slot is removed
        std::string text;
    };
    ASSERT_TRUE(save("good"));
    const std::string universeText = fileText("saves/good/universeSAV.xml");
    std::string noWorld = fileText("saves/good/PlayerDataSAV.xml");
    noWorld.replace(noWorld.find("activeWorld=\"0\""), 15, "activeWorld=\"3\"");
    const Case cases[] = {
        {"missing folder", nullptr, ""},
        {"missing file", "PlayerDataSAV.xml", ""},
        {"truncated XML", "universeSAV.xml", universeText.substr(0, universeText.size() / 2)},
        {"missing root", "PlayerDataSAV.xml", "<ship/>"},
        {"no time", "universeSAV.xml", "<universe><world/></universe>"},
        {"a player in no world", "PlayerDataSAV.xml", noWorld},
    };
    ASSERT_TRUE(save("before"));
    for (const Case& c : cases) {
        std::filesystem::remove_all("saves/bad");
        if (c.file) {
            std::filesystem::copy("saves/good", "saves/bad");
            if (c.text.empty())
                std::filesystem::remove(std::string("saves/bad/") + c.file);
            else
                std::ofstream(std::string("saves/bad/") + c.file, std::ios::binary) << c.text;
        }
        EXPECT_FALSE(load("bad")) << c.what;
        EXPECT_EQ(errorLines(out), 1) << c.what << ": " << out;
        ASSERT_TRUE(save("after"));
        EXPECT_EQ(slotText("before"), slotText("after")) << c.what;
    }
}

TEST_F(SaveGame, ASaveThatCannotBeWrittenKeepsTheOldSlotAndSaysSoOnce) {
    struct Case {
        const char* what;
        void (*fault)();
    };
    const Case cases[] = {
        {"a full disk", [] { std::filesystem::create_symlink("/dev/full", "saves/old/universeSAV.xml.tmp"); }},
        {"an unwritable file", [] { std::filesystem::create_directory("saves/old/PlayerDataSAV.xml.tmp"); }},
        {"saves is a file", [] {
             std::filesystem::rename("saves", "savesAside");
             std::ofstream("saves") << "not a folder";
         }},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all("saves");
        std::filesystem::remove_all("savesAside");
        ASSERT_TRUE(save("old"));
        const std::string old = slotText("old");
        player().x += 100;
        c.fault();
        EXPECT_FALSE(save("old")) << c.what;
        EXPECT_EQ(errorLines(out), 1) << c.what << ": " << out;
        EXPECT_NE(out.find("slot old not saved"), std::string::npos) << out;
        std::error_code absent;
        std::filesystem::remove("saves/old/universeSAV.xml.tmp", absent);
        std::filesystem::remove("saves/old/PlayerDataSAV.xml.tmp", absent);
        const std::string folder = std::filesystem::is_directory("savesAside") ? "savesAside" : "saves";
        EXPECT_EQ(slotText("old", folder), old) << c.what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder + "/old"), {}), 2) << c.what;
    }
}
