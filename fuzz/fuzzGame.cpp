// The running game the fuzz targets work on, in a scratch copy of its run directory.
#include "fuzzGame.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "defaultVals.h"
#include "gameMain.h"
#include "projectile.h"
#include "ship.h"
#include "universe.h"
#include "worldState.h"

namespace fs = std::filesystem;

namespace {

// Small enough that a software-rendered frame costs little.
constexpr int FUZZ_WINDOW_WIDTH = 160;
constexpr int FUZZ_WINDOW_HEIGHT = 128;

std::string scratchDirectory;

void removeScratch() {
    std::error_code ignored;
    fs::remove_all(scratchDirectory, ignored);
}

// A fresh copy of the run directory, entered; the process's own copy goes when it ends.
void enterScratchCopy() {
    const char* parent = std::getenv("TUVARO_FUZZ_SCRATCH");
    std::string pattern = std::string(parent ? parent : "/dev/shm") + "/tuvaroFuzzXXXXXX";
    require(mkdtemp(&pattern[0]) != nullptr, "cannot make a scratch directory");
    scratchDirectory = pattern;
    std::atexit(removeScratch);
    std::error_code error;
    fs::copy(TUVARO_GAME_DIR, scratchDirectory, fs::copy_options::recursive, error);
    require(!error, "cannot copy the run directory");
    fs::current_path(scratchDirectory, error);
    require(!error, "cannot enter the scratch directory");
}

MainState* startGame() {
    enterScratchCopy();
    w = FUZZ_WINDOW_WIDTH;
    h = FUZZ_WINDOW_HEIGHT;
    // Never destroyed: the game keeps its fonts and state until the process ends.
    MainState* game = new MainState;
    char name[] = "tuvaro";
    char* argv[] = {name, nullptr};
    require(startUp(*game, 1, argv) == 0, "the game did not start");
    return game;
}

// One ship in each AI mode that has a destination: a point, the first ship, a planet.
void addGuidedShips(Universe& universe, WorldState& world) {
    if (universe.shipTypes.empty() || world.ships.empty()) return;
    const unsigned int leader = world.ships.front().getID();
    for (int mode = 1; mode <= 3; ++mode) {
        world.ships.emplace_back(point{400.0f * mode, -300}, universe.shipTypes.back().name, 2, universe);
        Ship& ship = world.ships.back();
        ship.setAI(mode);
        ship.setDestinationPoint({-500, 500});
        ship.setDestinationShip(leader);
        ship.setDestinationPlanet(0);
    }
}

void addEveryKindOfRecord(Universe& universe) {
    WorldState& world = universe.worlds.front();
    addGuidedShips(universe, world);
    if (!WEAPONDATA.empty())
        world.projectiles.emplace_back(point{300, 200}, 0.5f, world, 0, 0.1f, 0.2f, 1, std::vector<short>{});
    world.gravityWalls.emplace_back(0, point{-300, 200}, universe.defaultGravTool.left, 3);
    universe.addNotification(std::vector<std::string>{"Fuzzing", "the saves"}, 4000, 0);
}

}  // namespace

void saveBaseGame() {
    Universe& universe = *runningGame().universe;
    addEveryKindOfRecord(universe);
    require(universe.saveGame(BASE_SLOT), "the base game cannot be saved");
}

void restoreBaseGame() {
    MainState& game = runningGame();
    require(game.universe->loadGame(BASE_SLOT, game.lua), "the base game does not load again");
}

std::string savedInput(const std::string& slot) {
    const std::string folder = "saves/" + slot + "/";
    return gameFile(folder + "universeSAV.xml") + '\0' + gameFile(folder + "PlayerDataSAV.xml");
}

void offerSeed(const std::string& name, const std::string& bytes) {
    if (const char* seeds = std::getenv("TUVARO_FUZZ_SEEDS")) writeFile(std::string(seeds) + "/" + name, bytes);
}

MainState& runningGame() {
    static MainState* game = startGame();
    return *game;
}

const std::string& gameDirectory() { return scratchDirectory; }

void copyGameFiles(const std::string& name, const std::vector<std::string>& files) {
    std::error_code error;
    fs::create_directories(name, error);
    for (const std::string& file : files) {
        fs::copy_file(fs::path(scratchDirectory) / file, fs::path(name) / file,
                      fs::copy_options::overwrite_existing, error);
        require(!error, "cannot copy a game file");
    }
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    require(bool(out), "cannot write a fuzzed file");
}

std::string gameFile(const std::string& name) {
    std::ifstream in(fs::path(scratchDirectory) / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> splitInput(const uint8_t* data, size_t size, size_t count) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && parts.size() < count)
            parts.emplace_back();
        else
            parts.back().push_back(char(data[i]));
    }
    return parts;
}

void silenceConsole() {
    if (!std::getenv("TUVARO_FUZZ_VERBOSE")) std::cout.setstate(std::ios::badbit);
}

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "Fuzz target: %s\n", what);
    std::abort();
}
