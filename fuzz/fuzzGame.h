// What every fuzz target shares: the game started once in a RAM copy of its run directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct MainState;

// The game as start-up leaves it, started on the first call (in a small window on the
// current display) in a copy of the run directory under TUVARO_FUZZ_SCRATCH or /dev/shm,
// which stays the working directory; ends the process when start-up fails.
MainState& runningGame();
// The slot that holds the game every input starts from.
constexpr const char* BASE_SLOT = "fuzzBase";
// Puts a shot, a gravity wall and a notification into the running game, so every kind of
// saved record exists, and saves it to BASE_SLOT.
void saveBaseGame();
// Loads the base game again, so every input starts from the same game.
void restoreBaseGame();
// A slot's two files as one input: "universeSAV.xml", a NUL byte, "PlayerDataSAV.xml".
std::string savedInput(const std::string& slot);
// Writes a seed into the directory TUVARO_FUZZ_SEEDS names, when it is set; libFuzzer reads
// its seed directories only after the targets' initialisation.
void offerSeed(const std::string& name, const std::string& bytes);
// The directory the running game started in.
const std::string& gameDirectory();
// Makes the directory name (relative to the working directory) if needed and fills it with
// copies of these files of the game's directory.
void copyGameFiles(const std::string& name, const std::vector<std::string>& files);
// Replaces the file at path with exactly these bytes.
void writeFile(const std::string& path, const std::string& bytes);
// The bytes of a file of the game's directory; empty when it cannot be read.
std::string gameFile(const std::string& name);
// The input cut at its NUL bytes into at most count parts, the last taking the rest.
std::vector<std::string> splitInput(const uint8_t* data, size_t size, size_t count);
// Mutes the game's console lines, which the fuzzer would print by the million,
// unless TUVARO_FUZZ_VERBOSE is set (for replaying one input).
void silenceConsole();
// Ends the run as a finding when a condition the game promises does not hold.
void require(bool condition, const char* what);
