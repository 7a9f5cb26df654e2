// Fuzzes a save slot's two files through Universe::loadGame into the running game, which
// must load the save or refuse it and, either way, play on. The input is "universeSAV.xml",
// then a NUL byte and "PlayerDataSAV.xml".
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzzGame.h"
#include "gameMain.h"
#include "playerAccess.h"
#include "universe.h"

namespace {

const char* const FUZZED_SLOT = "fuzzed";

int errorLines(const std::string& log) {
    int count = 0;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) count += line.find("rror") != std::string::npos;
    return count;
}

// Loads the fuzzed slot with the console caught; a refusal must say why, in one line.
bool loadFuzzedSlot(MainState& game) {
    std::ostringstream log;
    const std::ios::iostate state = std::cout.rdstate();  // muted or not; rdbuf clears it
    std::streambuf* console = std::cout.rdbuf(log.rdbuf());
    const bool loaded = game.universe->loadGame(FUZZED_SLOT, game.lua);
    std::cout.rdbuf(console);
    std::cout.clear(state);
    if (!loaded) require(errorLines(log.str()) == 1, "a refused save did not give exactly one error line");
    return loaded;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    runningGame();
    saveBaseGame();
    offerSeed("baseGame", savedInput(BASE_SLOT));
    std::error_code ignored;
    std::filesystem::create_directories(std::string("saves/") + FUZZED_SLOT, ignored);
    silenceConsole();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> files = splitInput(data, size, 2);
    const std::string folder = std::string("saves/") + FUZZED_SLOT + "/";
    writeFile(folder + "universeSAV.xml", files[0]);
    writeFile(folder + "PlayerDataSAV.xml", files.size() > 1 ? files[1] : std::string());
    MainState& game = runningGame();
    const bool loaded = loadFuzzedSlot(game);
    require(livePlayer(game) && playerWorld(game),
            loaded ? "a loaded save left no player in a world" : "a refused save left no player in a world");
    runFrame(game);
    if (loaded) restoreBaseGame();  // a refused save left the base game as it was
    return 0;
}
