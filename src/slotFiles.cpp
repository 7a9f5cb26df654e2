// A save slot's two files: written in their place, and the pair a load reads, even of a slot a save left cut short.
#include "slotFiles.h"

#include <boost/filesystem.hpp>
#include <rapidxml/rapidxml.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "basicsXml.h"
#include "diskFlush.h"
#include "universeDocument.h"

const char SAVE_STAMP[] = "saveStamp";

namespace {

namespace fs = boost::filesystem;

const char UNIVERSE_FILE[] = "universeSAV.xml";
const char PLAYER_FILE[] = "PlayerDataSAV.xml";
const char TEMPORARY_SUFFIX[] = ".tmp";
const char BACKUP_SUFFIX[] = ".old";

fs::path slotFile(const fs::path& folder, const char* file, const char* suffix = "") {
    return folder / (std::string(file) + suffix);
}

// ---- Which files hold the game ----

// In the order a load tries them: the plain files; the old player set aside beside the old
// universe, while a save's renames were under way; a first save's new files, stopped before
// both were in place. A save's own files are whole before any of them is renamed.
std::vector<SlotPair> candidatePairs(const fs::path& folder) {
    const fs::path player = slotFile(folder, PLAYER_FILE);
    const fs::path universe = slotFile(folder, UNIVERSE_FILE);
    const fs::path newUniverse = slotFile(folder, UNIVERSE_FILE, TEMPORARY_SUFFIX);
    return {{player, universe},
            {slotFile(folder, PLAYER_FILE, BACKUP_SUFFIX), universe},
            {player, newUniverse},
            {slotFile(folder, PLAYER_FILE, TEMPORARY_SUFFIX), newUniverse}};
}

// Quiet: a candidate that does not parse is simply not the game.
bool readStamp(const fs::path& path, const char* rootName, std::string& stamp) {
    std::vector<char> text = readWholeFile(path.string());
    rapidxml::xml_document<char> doc;
    rapidxml::xml_node<char>* root = nullptr;
    std::string unparsed;
    if (!parseDocumentQuietly(path.string(), rootName, text, doc, root, unparsed)) return false;
    stamp = getVal(root, SAVE_STAMP);
    return true;
}

bool whole(const SlotPair& pair) {
    std::string playerStamp, universeStamp;
    return readStamp(pair.player, "player", playerStamp) && readStamp(pair.universe, "universe", universeStamp) &&
           playerStamp == universeStamp;
}

// The index of the first whole pair, or the number of pairs.
size_t firstWhole(const std::vector<SlotPair>& pairs) {
    size_t index = 0;
    while (index < pairs.size() && !whole(pairs[index])) ++index;
    return index;
}

// ---- Writing ----

bool failed(const boost::system::error_code& error, const std::string& what, std::string& reason) {
    if (!error) return false;
    reason = what + ": " + error.message();
    return true;
}

// Written whole and on the disk, or reason says why not.
bool writeFile(const fs::path& path, const std::string& text, std::string& reason) {
    std::ofstream out(path.string(), std::ios::binary | std::ios::trunc);
    if (out) out.write(text.data(), std::streamsize(text.size()));
    if (out) out.flush();
    if (out) out.close();
    if (!out) reason = "cannot write " + path.string() + ": " + std::strerror(errno);
    return out && flushToDisk(path.string(), reason);
}

// The game a load reads takes the plain names before a save writes over the other files. The
// player goes first: whichever rename a stop falls before, the first whole pair is the same game.
bool settleSlot(const fs::path& folder, std::string& reason) {
    const std::vector<SlotPair> pairs = candidatePairs(folder);
    const size_t picked = firstWhole(pairs);
    if (picked == 0 || picked == pairs.size()) return true;
    boost::system::error_code error;
    if (pairs[picked].player != pairs[0].player) fs::rename(pairs[picked].player, pairs[0].player, error);
    if (!error && pairs[picked].universe != pairs[0].universe)
        fs::rename(pairs[picked].universe, pairs[0].universe, error);
    if (failed(error, "cannot put in order the files a save left cut short in " + folder.string(), reason))
        return false;
    return flushFolderToDisk(folder.string(), reason);
}

// The old player file steps aside until the new universe file is in place, so a failure
// between the two renames can put it back, and a save stopped there leaves the old game for
// the next load in the old player file beside the old universe.
bool replaceSlotFiles(const fs::path& folder, std::string& reason) {
    boost::system::error_code error;
    const fs::path player = slotFile(folder, PLAYER_FILE);
    const fs::path backup = slotFile(folder, PLAYER_FILE, BACKUP_SUFFIX);
    boost::system::error_code absent;
    const bool hadPlayer = fs::exists(player, absent);
    if (hadPlayer) fs::rename(player, backup, error);
    if (failed(error, "cannot set " + player.string() + " aside", reason)) return false;
    fs::rename(slotFile(folder, PLAYER_FILE, TEMPORARY_SUFFIX), player, error);
    if (!error) fs::rename(slotFile(folder, UNIVERSE_FILE, TEMPORARY_SUFFIX), slotFile(folder, UNIVERSE_FILE), error);
    if (failed(error, "cannot replace the files in " + folder.string(), reason)) {
        boost::system::error_code ignored;
        if (hadPlayer)
            fs::rename(backup, player, ignored);
        else
            fs::remove(player, ignored);
        return false;
    }
    fs::remove(backup, error);
    return true;
}

}  // namespace

SlotPair pairToLoad(const fs::path& folder) {
    const std::vector<SlotPair> pairs = candidatePairs(folder);
    const size_t picked = firstWhole(pairs);
    return pairs[picked < pairs.size() ? picked : 0];
}

bool writeSlot(const fs::path& folder, const std::string& universeText, const std::string& playerText,
               std::string& reason) {
    boost::system::error_code error;
    fs::create_directories(folder, error);
    if (failed(error, "cannot make the folder " + folder.string(), reason) || !settleSlot(folder, reason))
        return false;
    const fs::path universeTemporary = slotFile(folder, UNIVERSE_FILE, TEMPORARY_SUFFIX);
    const fs::path playerTemporary = slotFile(folder, PLAYER_FILE, TEMPORARY_SUFFIX);
    const bool written = writeFile(universeTemporary, universeText, reason) &&
                         writeFile(playerTemporary, playerText, reason) &&
                         flushFolderToDisk(folder.string(), reason) && replaceSlotFiles(folder, reason);
    fs::remove(universeTemporary, error);
    fs::remove(playerTemporary, error);
    // The files are in place: should the folder not reach the disk, a power cut leaves the old
    // game or the new one, so there is nothing to report.
    std::string unflushed;
    if (written) flushToDisk(folder.string(), unflushed);
    return written;
}
