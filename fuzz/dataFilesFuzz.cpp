// Fuzzes "universe.xml" and "projectiles.xml" through the Universe's construction, the galaxy
// and player construction and one frame over the result. The input is the universe file,
// then optionally a NUL byte and the projectiles file (the shipped one when there is none).
#include <unistd.h>

#include <cstdint>
#include <string>

#include "fuzzGame.h"
#include "gameMain.h"
#include "loadGalaxy.h"
#include "player.h"
#include "universe.h"

namespace {

// The data files that stay as shipped. No images go with them, so texture names in the
// fuzzed files cost a failed file look-up rather than a GL texture per run.
const std::vector<std::string> FIXED_FILES = {"shaders.xml",    "relations.xml",     "shipData.xml",
                                              "PlayerData.xml", "EquipmentData.xml", "SatelliteData.xml"};
const char* const DATA_DIRECTORY = "fuzzedData";

std::string shippedProjectiles;

// The fuzzed galaxy as the running game would show it, for one frame.
void runOneFrame(Universe& universe) {
    MainState& game = runningGame();
    MainState fuzzed;
    fuzzed.universe = &universe;
    fuzzed.lua = game.lua;
    fuzzed.fonts = game.fonts;
    fuzzed.lastTicks = game.lastTicks;
    runFrame(fuzzed);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    runningGame();
    copyGameFiles(DATA_DIRECTORY, FIXED_FILES);
    shippedProjectiles = gameFile("projectiles.xml");
    require(chdir(DATA_DIRECTORY) == 0, "cannot enter the data directory");
    silenceConsole();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> files = splitInput(data, size, 2);
    writeFile("universe.xml", files[0]);
    writeFile("projectiles.xml", files.size() > 1 ? files[1] : shippedProjectiles);
    Universe universe;
    if (!universe.loaded()) return 0;
    universe.shaderList = runningGame().universe->shaderList;
    if (!initializeStars(universe, runningGame().lua)) return 0;
    universe.player = initializePlayer(universe);
    require(universe.currentWorld == &universe.worlds.front(), "the player is not in the first world");
    runOneFrame(universe);
    return 0;
}
