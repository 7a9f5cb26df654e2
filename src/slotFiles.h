// A save slot's two files: written in their place, and the pair a load reads, even of a slot a save left cut short.
#pragma once

#include <string>

#include <boost/filesystem/path.hpp>

// The attribute both files of a save carry, the digest of the player's record: files only
// belong together when they carry the same one.
extern const char SAVE_STAMP[];

// The two files that hold one game.
struct SlotPair {
    boost::filesystem::path player;
    boost::filesystem::path universe;
};

// The pair a load reads: the first pair of the slot's files that parse and carry the same
// stamp; the plain pair when none does, so the load says what is wrong with it.
SlotPair pairToLoad(const boost::filesystem::path& folder);

// Makes the two texts the slot's files, on the disk; false, with reason set, when the slot
// still loads what it held. A slot a save left cut short is put in order first.
bool writeSlot(const boost::filesystem::path& folder, const std::string& universeText, const std::string& playerText,
               std::string& reason);
