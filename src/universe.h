// The single game-state object: data documents, catalogues, worlds, registries and caches.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <queue>
#include <string>
#include <vector>

#include <rapidxml/rapidxml.hpp>

#include "records.h"
#include "shaderList.h"

class Font;
class Planet;
class Player;
class Ship;
class WorldState;
class uiDisplay;
struct lua_State;

// Members are public and declared in a fixed order: the eight data files are
// read in this order while the members are constructed.
class Universe {
public:
    using XmlNode = rapidxml::xml_node<>;
    using XmlDocument = rapidxml::xml_document<>;

    // Reads and parses the eight data files, sets the fallback records and builds
    // the satellite catalogue; a file that fails is reported and loaded() is false.
    Universe();
    ~Universe();
    Universe(const Universe&) = delete;
    Universe& operator=(const Universe&) = delete;

    // Whether every data file opened, parsed and had its root element.
    bool loaded() const { return allDocumentsLoaded; }

    // The ID of the first faction with this name, or -1.
    int getFactionID(const std::string& name) const;
    // The faction's name, or "Neutral" for an ID that names no faction.
    std::string getFactionName(int16_t id) const;
    // How faction own regards faction other (100, 0, -100); 0 when either names no faction.
    int16_t getRelation(int own, int other) const;

    // Registers a ship (as stored in its world's list) and returns its new ID.
    unsigned int getNewShipID(Ship* ship);
    // The ship with that ID, or null when it was removed or never existed.
    Ship* getShip(unsigned int id) const;
    // Empties the ship's slot; an unknown ID is reported and changes nothing.
    void removeShip(unsigned int id);
    // The number of registry slots, removed ships included.
    unsigned int getRawShipListSize() const;
    // Empties the whole registry.
    void clearShipList();

    // The world at the player's world index; null without a player or when the index names no world.
    WorldState* playerWorld();

    // The planet with that global ID, or null (an ID beyond the cache is reported).
    Planet* getPlanet(unsigned int id);
    // A copy of the planet's economy record, or of defaultPlanetData when there is no such planet.
    planetData getPlanetData(unsigned int id);
    // A copy of the planet's extra data, or an empty sequence when there is no such planet.
    std::vector<luaStringPair> getExtraPlanetData(unsigned int id);

    // The named engine laid over defaultEngine; defaultEngine itself when none has the name.
    engineData getEngineData(const std::string& name) const;
    // The named hull laid over defaultHull; defaultHull itself when none has the name.
    hullData getHullData(const std::string& name) const;
    // The named grav tool laid over defaultGravTool; defaultGravTool itself when none has the name.
    gravTool getGravToolData(const std::string& name) const;
    // The first satellite type with this name, or null; the entry lives as long as the Universe.
    satelliteStats* getSatelliteData(const std::string& name);

    // Updates every gravity wall of the player's world, drawing the live ones and erasing the rest.
    void updateGravityWalls(int dt);

    // Deletes the sound sources that have finished playing.
    void processSounds();
    // Plays "sounds/" + name once at a game position.
    void playSound(const std::string& name, point position);
    // The OpenAL buffer of a sound file, loaded on its first request.
    unsigned int getBuffer(const std::string& name);
    // The GL texture of an image file, loaded (with mode) on its first request; 0 if it failed.
    unsigned int loadDynamicTexture(const std::string& fileName, int mode);

    // Queues a notification shown for lifetime ms of frame time once it reaches the front.
    void addNotification(const std::vector<std::string>& lines, unsigned int lifetime, unsigned int font);
    // Queues a one-line notification.
    void addNotification(const std::string& line, unsigned int lifetime, unsigned int font);
    // Draws the front notification and counts its lifetime down by dt.
    void drawNotifications(const std::vector<Font*>& fonts, unsigned int dt);

    // Writes the game to the folder "saves/" + slot; false, after one line, when it could not,
    // and then the slot keeps the files it had.
    bool saveGame(const std::string& slot);
    // Replaces the game by the one saved in slot; false, after one line, when the slot cannot
    // give a game, and then the running game goes on untouched.
    bool loadGame(const std::string& slot, lua_State* lua);

    std::vector<shipDataStruct> shipTypes;
    std::vector<std::vector<int16_t>> factionRelations;  // [own faction][other faction]
    std::vector<Planet*> planetCache;
    std::vector<WorldState> worlds;
    ShaderList shaderList;
    std::unique_ptr<Player> player;
    std::vector<uiDisplay> uiDisplays;
    std::vector<satelliteStats> satelliteTypes;  // never changed after construction
    WorldState* currentWorld = nullptr;

    XmlNode* universeRoot = nullptr;
    XmlDocument universeDoc;
    std::vector<char> universeText;  // the document's strings point into it
    XmlNode* projectilesRoot = nullptr;
    XmlDocument projectilesDoc;
    std::vector<char> projectilesText;
    XmlNode* shadersRoot = nullptr;
    XmlDocument shadersDoc;
    std::vector<char> shadersText;
    XmlNode* relationsRoot = nullptr;
    XmlDocument relationsDoc;
    std::vector<char> relationsText;
    XmlNode* shipsRoot = nullptr;
    XmlDocument shipsDoc;
    std::vector<char> shipsText;
    XmlNode* playerRoot = nullptr;
    XmlDocument playerDoc;
    std::vector<char> playerText;
    XmlNode* equipmentRoot = nullptr;
    XmlDocument equipmentDoc;
    std::vector<char> equipmentText;
    XmlNode* satellitesRoot = nullptr;
    XmlDocument satellitesDoc;
    std::vector<char> satellitesText;

    std::vector<std::string> factionNames;
    std::queue<scrollText> notifications;
    std::vector<Ship*> shipList;
    std::list<unsigned int> playingSources;
    engineData defaultEngine;
    std::vector<dynamicTexturesData> dynamicTextures;
    std::vector<soundBufferData> soundBuffers;
    hullData defaultHull;
    gravTool defaultGravTool;
    planetData defaultPlanetData;

private:
    void parseDocuments();
    // Copies of a world share its timed effects; the worlds held here own and delete them.
    void deleteTimedEffects();
    // Everything a load builds again, emptied; the player is gone.
    void clearGame();
    // The game built again from the adopted save documents.
    bool rebuildFromSave(const std::string& slot, lua_State* lua);
    void setFallbackRecords();
    void applyDefaultEquipment();
    void buildSatelliteCatalogue();
    // Whether id has a cache slot; reports it when not.
    bool validPlanetID(unsigned int id) const;
    // The planet of a valid ID, searched for once and then kept; null when none has it.
    Planet* cachedPlanet(unsigned int id);
    // The planet whose records are asked for; null, reported either way, when there is none.
    Planet* recordedPlanet(unsigned int id);

    bool allDocumentsLoaded = true;
};
