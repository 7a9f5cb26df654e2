// Save games: the running game written to a slot's two files, and a slot read back in its place.
#include "universe.h"

#include <boost/filesystem.hpp>
#include <rapidxml/rapidxml.hpp>
#include <rapidxml/rapidxml_print.hpp>

#include <cstdio>
#include <iostream>
#include <iterator>

#include "basicsXml.h"
#include "loadGalaxy.h"
#include "planet.h"
#include "player.h"
#include "slotFiles.h"
#include "star.h"
#include "uiDisplay.h"
#include "universeDocument.h"
#include "worldState.h"
#include "xmlElements.h"

namespace {

namespace fs = boost::filesystem;
using Node = rapidxml::xml_node<char>;
using Document = rapidxml::xml_document<char>;

// Attributes that only this game writes: the planet's place on its orbit and its spin, so a
// load puts it back where it was instead of where the clock alone would put it.
const char ORBIT_ANGLE[] = "orbitAngle";
const char ROTATION[] = "rotation";

bool named(const Node* node, const char* name) { return std::string(node->name(), node->name_size()) == name; }

void removeChildren(Node* parent, const char* name) {
    while (Node* child = parent->first_node(name)) parent->remove_node(child);
}

void removeAttributes(Node* node, const char* name) {
    while (rapidxml::xml_attribute<char>* attribute = node->first_attribute(name)) node->remove_attribute(attribute);
}

Node* appendElement(Document& doc, Node* parent, const char* name) {
    Node* element = doc.allocate_node(rapidxml::node_element, name);
    parent->append_node(element);
    return element;
}

// Full float precision, so a load and a second save give the same text.
std::string exactText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

// ---- Writing the universe document ----

// Step one of every save: what the loaded save held goes, so saving twice gives the same files.
void clearEarlierSave(Node* root) {
    removeAttributes(root, "time");
    removeAttributes(root, SAVE_STAMP);
    removeChildren(root, "notificationTextData");
    forEachElement(root, "world", [](Node* world) {
        for (const char* record : {"projectileData", "shipData", "gravWallData"}) removeChildren(world, record);
    });
}

// Whole numbers are written as digits: the float form would round 1234567 to 1.23457e+06.
void writePlanetRecord(Universe& u, Document& doc, Node* node, const planetData& data) {
    changeAttribValue(doc, node, "name", data.name);
    for (const auto& field : PLANET_ELEMENT_FIELDS) changeAttribValue(doc, node, field.first, std::to_string(data.*field.second));
    const bool owned = data.factionOwner >= 0 && size_t(data.factionOwner) < u.factionNames.size();
    changeAttribValue(doc, node, "factionOwner", owned ? u.getFactionName(data.factionOwner) : std::string());
    for (const auto& field : PLANET_LEVEL_FIELDS) changeAttribValue(doc, node, field.first, std::to_string(data.*field.second));
    for (const auto& field : PLANET_FLOAT_FIELDS) changeAttribValue(doc, node, field.first, data.*field.second);
}

void writeExtraData(Document& doc, Node* planetNode, const Planet& planet) {
    removeChildren(planetNode, "extraData");
    Node* extra = appendElement(doc, planetNode, "extraData");
    for (const luaStringPair& pair : planet.getExtraData()) {
        if (attributeNameReadsBack(pair.key))
            addAttribValue(doc, extra, pair.key.c_str(), pair.value);
        else
            std::cout << "Error, planet " << planet.getName() << " has extra data key \"" << pair.key
                      << "\", which cannot be saved; that pair is left out" << std::endl;
    }
}

// The planet's live orbit angle and spin follow the fields every save carries.
void writePlanet(Universe& u, Document& doc, Node* node, unsigned int id) {
    writePlanetRecord(u, doc, node, u.getPlanetData(id));
    const Planet* planet = u.getPlanet(id);
    std::string satelliteType;
    int satelliteCount = 0;
    if (planet) planet->getSats(satelliteType, satelliteCount);
    changeAttribValue(doc, node, "satelliteType", satelliteType);
    changeAttribValue(doc, node, "satelliteNum", std::to_string(satelliteCount));
    if (!planet) return;
    changeAttribValue(doc, node, ORBIT_ANGLE, exactText(planet->getOrbitAngle()));
    changeAttribValue(doc, node, ROTATION, exactText(planet->getRotation()));
    writeExtraData(doc, node, *planet);
}

// Planets are numbered as the construction numbers them: planet children of star children
// of worlds, in document order.
void writePlanetsOf(Universe& u, Document& doc, Node* world, unsigned int& nextPlanet) {
    forEachElement(world, "star", [&](Node* star) {
        forEachElement(star, nullptr, [&](Node* child) {
            if (!named(child, "planet")) {
                std::cout << "Not a planet" << std::endl;
                return;
            }
            writePlanet(u, doc, child, nextPlanet++);
        });
    });
}

template <class Entity>
void writeRecords(Document& doc, Node* world, const char* name, std::list<Entity>& entities) {
    for (Entity& entity : entities) entity.save(doc, appendElement(doc, world, name));
}

void writeWorlds(Universe& u, Document& doc, Node* root) {
    unsigned int nextPlanet = 0;
    size_t worldIndex = 0;
    forEachElement(root, nullptr, [&](Node* child) {
        if (!named(child, "world")) {
            std::cout << "Not a world" << std::endl;
            return;
        }
        writePlanetsOf(u, doc, child, nextPlanet);
        if (worldIndex < u.worlds.size()) {
            WorldState& world = u.worlds[worldIndex];
            writeRecords(doc, child, "projectileData", world.projectiles);
            writeRecords(doc, child, "shipData", world.ships);
            writeRecords(doc, child, "gravWallData", world.gravityWalls);
        }
        ++worldIndex;
    });
}

// The lines are attributes named "0", "1", ...: not XML names for a strict parser, but
// this game's own parser reads them, and saved games rely on the layout.
void writeNotifications(Universe& u, Document& doc, Node* root) {
    Node* data = appendElement(doc, root, "notificationTextData");
    std::queue<scrollText> queue = u.notifications;
    for (; !queue.empty(); queue.pop()) {
        const scrollText& note = queue.front();
        Node* entry = appendElement(doc, data, "textEntry");
        addAttribInt(doc, entry, "font", note.font);
        addAttribInt(doc, entry, "lifetimeRemaining", note.lifetimeRemaining);
        for (size_t i = 0; i < note.textLines.size(); ++i)
            addAttribValue(doc, appendElement(doc, entry, "textLine"), std::to_string(i).c_str(), note.textLines[i]);
    }
}

std::string printed(const Document& doc) {
    std::string text;
    rapidxml::print(std::back_inserter(text), doc);
    return text;
}

// Written into a copy that goes once printed: the live document's pool frees nothing before
// a load, so a save written into it would stay in memory for the rest of the session.
std::string savedUniverseText(Universe& u, const std::string& stamp) {
    Document doc;
    doc.clone_node(&u.universeDoc, &doc);  // names and values stay the live document's
    Node* root = doc.first_node("universe");
    clearEarlierSave(root);
    addAttribInt(doc, root, "time", getTime());
    addAttribValue(doc, root, SAVE_STAMP, stamp);
    writeWorlds(u, doc, root);
    writeNotifications(u, doc, root);
    return printed(doc);
}

// FNV-1a, 64 bits, as 16 hexadecimal digits.
std::string digest(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

// The player's record, stamped with the digest of its text without the stamp; stamp receives it.
// The declaration is the text rapidxml prints for a declaration node with these attributes.
std::string playerRecordText(Player& player, std::string& stamp) {
    Document doc;
    Node* record = appendElement(doc, &doc, "player");
    player.save(doc, record);
    stamp = digest(printed(doc));
    addAttribValue(doc, record, SAVE_STAMP, stamp);
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + printed(doc);
}

fs::path slotFolder(const std::string& slot) { return fs::path("saves") / slot; }

// ---- Reading a slot ----

// A slot's file read and parsed on its own, so the running game's documents stay as they are
// until the whole save is known to be usable.
struct StagedDocument {
    std::vector<char> pristine;  // the file's text before parsing in place changed it
    std::vector<char> text;
    Document doc;
    Node* root = nullptr;

    bool read(const fs::path& path, const char* rootName) {
        pristine = readWholeFile(path.string());
        text = pristine;
        return parseDocument(path.string(), rootName, text, doc, root);
    }
};

// Two files written by different saves, or what the construction would trip over: a player in
// a world the save lacks. Slots from before the stamp carry none in either file.
bool usableSave(StagedDocument& universe, StagedDocument& player, std::string& reason) {
    if (getVal(universe.root, SAVE_STAMP) != getVal(player.root, SAVE_STAMP)) {
        reason = "its two files were not written by the same save";
        return false;
    }
    const float world = getValF(player.root, "activeWorld", -1.0f);
    const int worlds = countElements(universe.root, "world");
    if (world < 0 || world >= float(worlds)) {
        reason = "its player is in world " + getVal(player.root, "activeWorld", "(none)") + ", and it has " +
                 std::to_string(worlds) + " worlds";
        return false;
    }
    return true;
}

// The staged text becomes the document's own; parsing the same text again cannot fail.
bool adopt(StagedDocument& staged, const std::string& file, const char* rootName, std::vector<char>& text,
           Document& doc, Node*& root) {
    text = std::move(staged.pristine);
    return parseDocument(file, rootName, text, doc, root);
}

// ---- Rebuilding the game ----

// Planets saved with their place on the orbit go back to it; older saves advance by the clock.
// Satellites, whose place no save keeps, advance by the clock in both.
void placePlanets(Universe& u, long time) {
    std::vector<Node*> planetNodes;  // by planet ID
    forEachElement(u.universeRoot, "world", [&](Node* world) {
        forEachElement(world, "star", [&](Node* star) {
            forEachElement(star, "planet", [&](Node* planet) { planetNodes.push_back(planet); });
        });
    });
    for (WorldState& world : u.worlds) {
        for (Star& star : world.stars) {
            for (Planet& planet : star.getPlanets()) {
                const size_t id = size_t(planet.getID());
                Node* node = id < planetNodes.size() ? planetNodes[id] : nullptr;
                planet.skipTime(time, star.getPos());
                if (checkVal(node, ORBIT_ANGLE) && checkVal(node, ROTATION))
                    planet.restoreMotion(getValF(node, ORBIT_ANGLE), getValF(node, ROTATION), star.getPos());
            }
        }
    }
}

// The planet of the player's world with that ID, or null.
Planet* planetInWorld(WorldState& world, int id) {
    for (Star& star : world.stars)
        for (Planet& planet : star.getPlanets())
            if (planet.getID() == id) return &planet;
    return nullptr;
}

// Within reach of the surface, as a planet holds a landed player.
bool holds(const Planet& planet, const Player& player) {
    const float reach = planet.getRadius() + player.getRadius() + Planet::HOLD_MARGIN;
    return pointDistance(planet.getPos(), player.getPos()) < reach;
}

// A player saved on a planet sits on it again, still; one whose planet cannot hold it flies.
void settleLoadedPlayer(Universe& u, Node* playerRoot) {
    Player& player = *u.player;
    Planet* planet = u.currentWorld ? planetInWorld(*u.currentWorld, player.getPlanetId()) : nullptr;
    const bool landed = getValF(playerRoot, "landed") != 0.0f;
    if (landed && planet && holds(*planet, player)) {
        planet->pointLandingAt(player.getPos());
        player.restoreLanding(planet->getID());
    } else {
        player.restoreLanding(-1);
    }
}

}  // namespace

bool Universe::saveGame(const std::string& slot) {
    if (!player || !universeRoot) {
        std::cout << "Error, slot " << slot << " not saved: there is no game to save" << std::endl;
        return false;
    }
    std::string stamp;
    const std::string playerRecord = playerRecordText(*player, stamp);
    std::string reason;
    if (writeSlot(slotFolder(slot), savedUniverseText(*this, stamp), playerRecord, reason)) return true;
    std::cout << "Error, slot " << slot << " not saved: " << reason << "; the slot keeps what it held" << std::endl;
    return false;
}

bool Universe::loadGame(const std::string& slot, lua_State* lua) {
    std::cout << "Loading game" << std::endl;
    const fs::path folder = slotFolder(slot);
    boost::system::error_code error;
    if (!fs::is_directory(folder, error)) {
        std::cout << "Error, bad save path " << slot << std::endl;
        return false;
    }
    const SlotPair pair = pairToLoad(folder);
    const std::string universeFile = pair.universe.string();
    const std::string playerFile = pair.player.string();
    StagedDocument universe, player;
    if (!universe.read(universeFile, "universe") || !player.read(playerFile, "player")) return false;
    std::string reason;
    if (!usableSave(universe, player, reason)) {
        std::cout << "Error, slot " << slot << " not loaded: " << reason << std::endl;
        return false;
    }
    if (!adopt(universe, universeFile, "universe", universeText, universeDoc, universeRoot) ||
        !adopt(player, playerFile, "player", playerText, playerDoc, playerRoot))
        return false;
    return rebuildFromSave(slot, lua);
}

bool Universe::rebuildFromSave(const std::string& slot, lua_State* lua) {
    std::cout << "Setting time" << std::endl;
    const uint32_t time = uint32_t(getValLIND(universeRoot, "time"));
    setTime(time);
    clearGame();
    if (!initializeStars(*this, lua)) {
        std::cout << "Error, slot " << slot << " gave no galaxy; there is no game to play" << std::endl;
        return false;
    }
    player = std::make_unique<Player>(playerRoot, *this);
    std::cout << "updating planets" << std::endl;
    placePlanets(*this, long(time));
    settleLoadedPlayer(*this, playerRoot);
    player->setInput(true);  // the displays that turned the keys off are closed
    removeAttributes(universeRoot, "time");
    std::cout << "Loaded." << std::endl;
    return true;
}

void Universe::clearGame() {
    deleteTimedEffects();
    worlds.clear();
    shipTypes.clear();
    shipList.clear();
    factionRelations.clear();
    factionNames.clear();
    planetCache.clear();
    uiDisplays.clear();
    currentWorld = nullptr;
    player.reset();
}
