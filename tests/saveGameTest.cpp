// Save games over the shipped galaxy: what a save and a load keep, and failures that cost nothing.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <rapidxml/rapidxml_print.hpp>

#include "capturedOutput.h"
#include "fileSystemFaults.h"
#include "nestedXml.h"
#include "planet.h"
#include "playerGame.h"
#include "timer.h"
#include "universeDocument.h"

namespace fs = std::filesystem;

namespace {

std::string fileText(const std::string& path) {
    const std::vector<char> bytes = readWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

// Both files of a slot without the clock, which may tick between setting it and saving.
std::string slotText(const std::string& slot, const std::string& saves = "saves") {
    const std::string text = fileText(saves + "/" + slot + "/universeSAV.xml") +
                             fileText(saves + "/" + slot + "/PlayerDataSAV.xml");
    return std::regex_replace(text, std::regex(" time=\"[0-9]+\""), "");
}

// The clock runs on while a slow machine saves, so the saved time is read back from the file.
uint32_t savedTime(const std::string& slot) {
    const std::string text = fileText("saves/" + slot + "/universeSAV.xml");
    const size_t timeAt = text.find(" time=\"");
    return timeAt == std::string::npos ? 0 : uint32_t(std::stoul(text.substr(timeAt + 7)));
}

int errorLines(const std::string& out) {
    static const std::regex error("Error");
    return int(std::distance(std::sregex_iterator(out.begin(), out.end(), error), std::sregex_iterator()));
}

struct CountedTimer : TimerBase {
    explicit CountedTimer(int& deaths) : deaths(deaths) {}
    ~CountedTimer() override { ++deaths; }
    void execute(int, WorldState&) override {}
    int& deaths;
};

constexpr uint32_t HELD_CLOCK = 1234567;  // float text would read back as 1

std::string printed(const rapidxml::xml_document<char>& doc) {
    std::string text;
    rapidxml::print(std::back_inserter(text), doc);
    return text;
}

size_t livePoolBytes = 0;
void* countedBlock(size_t size) {
    livePoolBytes += size;
    return new char[size];
}
void releaseBlock(void* block) { delete[] static_cast<char*>(block); }

}  // namespace

class SaveGame : public PlayerGame {
protected:
    bool save(const std::string& slot) {
        setTime(HELD_CLOCK);
        bool saved = false;
        out = captured([&] { saved = universe->saveGame(slot); });
        return saved;
    }
    bool load(const std::string& slot) {
        bool loaded = false;
        out = captured([&] { loaded = universe->loadGame(slot, s.lua); });
        return loaded;
    }
    // A save of slot "cut" stopped before its call-th flush, rename or removal, as a killed
    // process or a power cut stops it; what it did before is on the disk. The exit code: 0 when
    // the save ran to its end, else the kind of call it stopped at.
    int saveStoppedAt(int call) {
        std::cout.flush();
        const pid_t child = fork();
        if (child == 0) {
            dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
            fileSystemFaults.stopAtCall = call;
            universe->saveGame("cut");
            _exit(0);
        }
        int status = -1;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Game g has the player at x = 1000 g and g in the first planet's first stockpile, so a
    // load shows which save each of its two files came from.
    void makeGame(int g) {
        player().x = 1000.0f * float(g);
        changeRecord(0, g, 1);
    }
    static constexpr int NO_GAME = -1, MIXED_GAME = -2;
    int loadedGame() {
        if (!load("cut")) return NO_GAME;
        const int g = int(std::lround(player().x / 1000.0f));
        return planet(0).getPlanetData().elementStockpile1 == g ? g : MIXED_GAME;
    }
    Planet& planet(unsigned id) { return *universe->getPlanet(id); }
    void changeRecord(unsigned id, int32_t stockpile, int16_t owner) {
        planetData record = planet(id).getPlanetData();
        record.elementStockpile1 = stockpile;
        record.factionOwner = owner;
        planet(id).setPlanetData(record);
    }

    std::string out;
};

TEST_F(SaveGame, ASaveLoadedAndSavedAgainGivesTheSameFilesAndTheSameGame) {
    universe->universeRoot->prepend_node(universe->universeDoc.allocate_node(rapidxml::node_element, "note"));
    changeRecord(0, 1234567, 1);
    changeRecord(1, 5, -1);
    std::vector<luaStringPair> extra = {
        {"zeta", "1"}, {"bad key", "2"}, {"", "3"}, {"2nd", "4"}, {"alpha", "two words"}};
    planet(0).setExtraData(extra);
    placeShips(1, 2);
    universe->worlds[1].ships.back().setDestinationPlanet(3);
    universe->addNotification(std::vector<std::string>{"First", "Second"}, 4000, 0);
    WorldState& second = universe->worlds[1];
    second.projectiles.emplace_back(point{10, 20}, 0.5f, second, 0, 1.0f, 2.0f, 1, std::vector<short>{});
    second.gravityWalls.emplace_back(4, point{-5, 5}, universe->defaultGravTool.left, 3);
    int deaths = 0;
    for (WorldState& world : universe->worlds) world.timers.push_back(new CountedTimer(deaths));
    std::vector<size_t> ships;
    for (const WorldState& world : universe->worlds) ships.push_back(world.ships.size());

    ASSERT_TRUE(save("a"));
    ASSERT_TRUE(save("a")) << "saving twice must not double the entities";
    EXPECT_EQ(errorLines(out), 2) << "one line per extra-data key that cannot be read back: " << out;
    EXPECT_NE(out.find("Not a world\n"), std::string::npos);
    const std::string text = fileText("saves/a/universeSAV.xml");
    const uint32_t saved = savedTime("a");
    EXPECT_GE(saved, HELD_CLOCK);
    const uint32_t beforeLoad = SDL_GetTicks();
    ASSERT_TRUE(load("a")) << out;
    EXPECT_GE(getTime(), saved);
    EXPECT_LE(getTime(), saved + SDL_GetTicks() - beforeLoad) << "the clock comes back to the millisecond";
    EXPECT_EQ(deaths, int(ships.size())) << "each world's timed effects deleted once";
    ASSERT_TRUE(save("b"));
    EXPECT_EQ(slotText("a"), slotText("b"));

    EXPECT_EQ(planet(0).getPlanetData().elementStockpile1, 1234567);
    EXPECT_EQ(planet(0).getPlanetData().factionOwner, 1);
    EXPECT_EQ(planet(1).getPlanetData().factionOwner, -1);
    const std::vector<luaStringPair> kept = planet(0).getExtraData();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[1].key, "2nd");
    EXPECT_EQ(kept[2].value, "two words");
    EXPECT_NE(text.find("destinationPlanet=\"3\""), std::string::npos);
    EXPECT_NE(text.find("<textEntry font=\"0\" lifetimeRemaining=\"4000\">\n\t\t\t<textLine 0=\"First\"/>\n"
                        "\t\t\t<textLine 1=\"Second\"/>"), std::string::npos);
    for (size_t i = 0; i < ships.size(); ++i) EXPECT_EQ(universe->worlds[i].ships.size(), ships[i]) << "world " << i;
    EXPECT_EQ(universe->worlds[1].projectiles.size(), 1u);
    EXPECT_EQ(universe->worlds[1].gravityWalls.size(), 1u);
    size_t resolved = 0;
    for (const WorldState& world : universe->worlds)
        for (const Ship& ship : world.ships) resolved += universe->getShip(ship.getID()) == &ship;
    EXPECT_EQ(resolved, universe->getRawShipListSize()) << "every loaded ship resolves by its ID";
    universe.reset();
    EXPECT_EQ(deaths, int(ships.size()));
}

TEST_F(SaveGame, APlanetsPlaceAndALandedPlayerComeBackAsSaved) {
    Star& star = universe->worlds[0].stars[0];
    star.skipTime(5000);
    const Planet& before = star.getPlanets()[0];
    const point where = before.getPos();
    player().x = where.x + before.getRadius() + player().getRadius();
    player().y = where.y;
    player().setLanded(before.getID());
    for (float away : {0.0f, 5000.0f}) {  // the second time too far for the planet to hold the ship
        player().x += away;
        player().setVelocity({3, 4});
        *player().getInputPointer() = false;
        ASSERT_TRUE(save("landed"));
        ASSERT_TRUE(load("landed")) << out;
        EXPECT_FLOAT_EQ(planet(0).getPos().x, where.x);
        EXPECT_FLOAT_EQ(planet(0).getPos().y, where.y);
        EXPECT_EQ(player().isLanded(), away == 0) << away;
        EXPECT_EQ(player().getPlanetId(), away == 0 ? 0 : -1) << away;
        EXPECT_EQ(player().getVelocity().x, away == 0 ? 0.0f : 3.0f) << away;
        EXPECT_TRUE(player().getKeysOn()) << "the displays that switched the keys off are closed";
    }
    // Satellites keep no place of their own: they move on by the saved clock.
    const uint32_t elapsed = savedTime("landed") + 1;
    const satelliteStats& type = *universe->getSatelliteData(planet(0).getSatellites().at(0).getType());
    const point centre = planet(0).getPos();
    const float orbit = type.orbitalRadius + planet(0).getRadius();
    planet(0).update(universe->worlds[0], &player(), 1, universe->worlds[0].stars[0].getPos(), *universe);
    ASSERT_EQ(planet(0).getSatellites().size(), 2u);
    for (const Satellite& satellite : planet(0).getSatellites()) {
        EXPECT_EQ(satellite.getTime(), elapsed);
        const float angle = type.orbitalSpeed * float(elapsed) + satellite.getPhase() * 6.28f;
        EXPECT_NEAR(satellite.getPos().x, centre.x + orbit * std::cos(angle), 0.05f) << satellite.getPhase();
        EXPECT_NEAR(satellite.getPos().y, centre.y + orbit * std::sin(angle), 0.05f) << satellite.getPhase();
    }
}

TEST_F(SaveGame, SavesLeaveTheLiveUniverseDocumentAndItsMemoryAsTheyWere) {
    ASSERT_TRUE(save("first"));
    universe->universeDoc.clear();  // counted from the load's parse on
    universe->universeDoc.set_allocator(countedBlock, releaseBlock);
    ASSERT_TRUE(load("first")) << out;
    const std::string live = printed(universe->universeDoc);
    const size_t poolBytes = livePoolBytes;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(save("again")) << out;  // ten copies outgrow a pool block
    EXPECT_TRUE(printed(universe->universeDoc) == live) << "the live document changed";
    EXPECT_EQ(livePoolBytes, poolBytes);
}

// Older slots carry no stamp; a missing time reads as 0 with the reader's line, one that is
// not a number as 0 without.
TEST_F(SaveGame, SlotsWithoutStampOrTimeStillLoad) {
    ASSERT_TRUE(save("new"));
    fs::create_directory("saves/old");
    const struct {
        const char* pattern;
        const char* replacement;
        int filesChanged;
        uint32_t clock;
        int errors;
    } cases[] = {
        {" saveStamp=\"[0-9a-f]+\"", "", 2, 777, 0},
        {" time=\"777\"", "", 1, 0, 1},
        {" time=\"777\"", " time=\"soon\"", 1, 0, 0},
    };
    for (const auto& c : cases) {
        int changed = 0;
        for (const char* file : {"universeSAV.xml", "PlayerDataSAV.xml"}) {
            const std::string text = std::regex_replace(fileText(std::string("saves/new/") + file),
                                                        std::regex(" time=\"[0-9]+\""), " time=\"777\"");
            const std::string rewritten = std::regex_replace(text, std::regex(c.pattern), c.replacement);
            changed += rewritten != text;
            std::ofstream(std::string("saves/old/") + file) << rewritten;
        }
        ASSERT_EQ(changed, c.filesChanged) << c.pattern;
        const uint32_t beforeLoad = SDL_GetTicks();
        EXPECT_TRUE(load("old")) << c.pattern << out;
        EXPECT_GE(getTime(), c.clock);
        EXPECT_LE(getTime(), c.clock + SDL_GetTicks() - beforeLoad);
        EXPECT_EQ(errorLines(out), c.errors) << out;
    }
}

TEST_F(SaveGame, ALoadThatCannotWorkLeavesTheGameAsItWas) {
    ASSERT_TRUE(save("good"));
    const std::string universeText = fileText("saves/good/universeSAV.xml");
    const std::string playerText = fileText("saves/good/PlayerDataSAV.xml");
    player().x += 100;
    ASSERT_TRUE(save("moved"));
    const std::string movedPlayerText = fileText("saves/moved/PlayerDataSAV.xml");
    const struct {
        const char* file;  // replaced by text, removed when the text is empty; null: no slot
        std::string text;
    } cases[] = {
        {nullptr, ""},
        {"PlayerDataSAV.xml", ""},
        {"universeSAV.xml", universeText.substr(0, universeText.size() / 2)},
        {"universeSAV.xml", "<universe>" + nestedElements(STACK_BREAKING_DEPTH)},
        {"PlayerDataSAV.xml", "<player>" + nestedElements(STACK_BREAKING_DEPTH)},
        {"PlayerDataSAV.xml", "<ship/>"},
        {"universeSAV.xml", "<universe><world/></universe>"},  // no stamp beside a stamped player
        {"PlayerDataSAV.xml", movedPlayerText},                 // a player of another save
        {"PlayerDataSAV.xml", std::regex_replace(playerText, std::regex("activeWorld=\"0\""), "activeWorld=\"3\"")},
    };
    ASSERT_TRUE(save("before"));
    for (const auto& c : cases) {
        fs::remove_all("saves/bad");
        if (c.file) fs::copy("saves/good", "saves/bad");
        if (c.file && c.text.empty()) fs::remove(std::string("saves/bad/") + c.file);
        if (c.file && !c.text.empty()) std::ofstream(std::string("saves/bad/") + c.file) << c.text;
        EXPECT_FALSE(load("bad")) << c.text.substr(0, 100);
        EXPECT_EQ(errorLines(out), 1) << out;
        ASSERT_TRUE(save("after"));
        EXPECT_EQ(slotText("before"), slotText("after")) << c.text.substr(0, 100);
    }
}

TEST_F(SaveGame, ASaveThatCannotBeWrittenKeepsTheOldSlotAndSaysSoOnce) {
    const std::function<void()> faults[] = {
        [] { fs::create_symlink("/dev/full", "saves/old/universeSAV.xml.tmp"); },  // a full disk
        [] { fs::create_symlink("/dev/null", "saves/old/universeSAV.xml.tmp"); },  // written, never on a disk
        [] { fs::create_directory("saves/old/PlayerDataSAV.xml.tmp"); },        // a file that cannot be made
        [] { fileSystemFaults.fileFlushError = EIO; },
        [] { fileSystemFaults.folderFlushError = EIO; },
        [] {
            fs::rename("saves", "savesAside");
            std::ofstream("saves") << "not a folder";
        },
    };
    for (const auto& fault : faults) {
        fs::remove_all("saves");
        ASSERT_TRUE(save("old"));
        const std::string old = slotText("old");
        player().x += 100;
        fault();
        const bool saved = save("old");
        fileSystemFaults = {};
        EXPECT_FALSE(saved);
        EXPECT_EQ(errorLines(out), 1) << out;
        EXPECT_NE(out.find("slot old not saved"), std::string::npos) << out;
        const std::string saves = fs::is_directory("savesAside") ? "savesAside" : "saves";
        EXPECT_EQ(slotText("old", saves), old);
        EXPECT_EQ(std::distance(fs::directory_iterator(saves + "/old"), {}), 2) << "no file left behind";
    }
}

// Some network and user-space file systems cannot flush a folder at all; its files still must be.
TEST_F(SaveGame, AFolderTheSystemCannotFlushStillTakesTheSave) {
    for (const int error : {EINVAL, ENOTSUP}) {
        const float savedX = 1000.0f * float(error);
        player().x = savedX;
        fileSystemFaults.folderFlushError = error;
        const bool saved = save("unflushed");
        fileSystemFaults = {};
        EXPECT_TRUE(saved) << out;
        player().x = 0;
        ASSERT_TRUE(load("unflushed")) << out;
        EXPECT_EQ(player().x, savedX);
    }
}

namespace {

void replaceFolder(const fs::path& folder, const fs::path& by) {
    fs::remove_all(folder);
    if (fs::exists(by)) fs::copy(by, folder);
}

// The names and contents of the folder's files, to tell states apart.
std::string folderState(const fs::path& folder) {
    std::set<std::string> files;
    if (fs::exists(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            files.insert(entry.path().filename().string() + "\n" + fileText(entry.path().string()));
    std::string state;
    for (const std::string& file : files) state += file + '\0';
    return state;
}

}  // namespace

// Each step a save can stop at, from an empty slot and from a saved one, then each step of the
// next save after each of those: a load always reads the game before the save or, from some
// step on, the new one; never two games mixed, never a refusal once the save renames files.
TEST_F(SaveGame, ASaveStoppedAtAnyStepLeavesOneWholeGameAndSoDoesTheSaveAfterIt) {
    struct Start {
        fs::path folder;
        int game;  // what the slot loads before the save
    };
    int copies = 0;
    // Saves game over start stopped at each step in turn; the distinct folders left, with their game.
    const auto stopEachStep = [&](const Start& start, int game) {
        std::vector<Start> left;
        std::set<std::string> seen;
        int firstNewCall = 0, lastRenameCall = 0;
        for (int call = 1; call < 100; ++call) {
            replaceFolder("saves/cut", start.folder);
            makeGame(game);
            const int stop = saveStoppedAt(call);
            const std::string state = folderState("saves/cut");
            const int loaded = loadedGame();
            const std::string where = start.folder.string() + " stopped at call " + std::to_string(call) + "\n" + out;
            if (loaded == game && !firstNewCall) firstNewCall = call;
            EXPECT_EQ(loaded, firstNewCall ? game : start.game) << where;
            if (stop == STOPPED_AT_RENAME) lastRenameCall = call;
            if (stop == STOPPED_AT_RENAME || stop == STOPPED_AT_UNLINK) {
                EXPECT_NE(loaded, NO_GAME) << where;
            }
            if (stop == 0) {
                EXPECT_EQ(std::distance(fs::directory_iterator("saves/cut"), {}), 2) << "no file left behind";
                EXPECT_GT(call, 5) << "every flush, rename and removal is a step";
                break;
            }
            if (!seen.insert(state).second) continue;
            left.push_back({"cutShort/" + std::to_string(++copies), loaded});
            fs::create_directories(left.back().folder.parent_path());
            replaceFolder(left.back().folder, "saves/cut");
        }
        if (start.game != NO_GAME) {
            EXPECT_GT(firstNewCall, lastRenameCall) << start.folder << ": the new game before all its files were in place";
        }
        return left;
    };
    for (const bool saved : {false, true}) {
        fs::remove_all("saves/cut");
        makeGame(1);
        if (saved) {
            ASSERT_TRUE(save("cut"));
        }
        replaceFolder("cutShort/saved", "saves/cut");
        for (const Start& cutShort : stopEachStep({"cutShort/saved", saved ? 1 : NO_GAME}, 2))
            stopEachStep(cutShort, 3);
    }
}
