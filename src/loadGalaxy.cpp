// Building the shader list, catalogues, worlds and the player from the data documents.
#include "loadGalaxy.h"

#include <algorithm>
#include <iostream>
#include <utility>
#include <vector>

#include <rapidxml/rapidxml.hpp>

#include "basics.h"
#include "basicsXml.h"
#include "planet.h"
#include "player.h"
#include "projectile.h"
#include "ship.h"
#include "star.h"
#include "textures.h"
#include "universe.h"
#include "universeDocument.h"
#include "worldState.h"
#include "wormhole.h"
#include "xmlElements.h"

namespace {

using Node = rapidxml::xml_node<char>;

// The data files give angles in degrees; this rounded factor is the game's own.
constexpr double DEGREES_TO_RADIANS = 0.017444;
// Star and planet densities are written in millionths.
constexpr float DENSITY_SCALE = 1e-6f;
// Far above any real fan, low enough that one firing cannot exhaust memory.
constexpr int32_t MAX_SHOTS_PER_FIRING = 1000;
// Far above any real set of factions: the relation table grows with the square of the count,
// and a faction's number must fit the 16 bits that ships and planets keep it in.
constexpr size_t MAX_FACTIONS = 1000;

template <class Int = int32_t>
Int wholeNumber(Node* node, const char* name, float fallback = 0.0f) {
    return saturatingInt<Int>(getValF(node, name, fallback));
}

bool yesNo(Node* node, const char* name, bool fallback) {
    return getValF(node, name, fallback ? 1.0f : 0.0f) != 0.0f;
}

float degreesToRadians(float degrees) { return float(double(degrees) * DEGREES_TO_RADIANS); }

// -1 (no arc limit) when absent; otherwise radians in [0, 2pi) for angles from -360.
float readFiringAngle(Node* node, const char* name) {
    if (!checkVal(node, name)) return -1.0f;
    float degrees = getValF(node, name);
    if (degrees < 0) degrees += 360.0f;
    return degreesToRadians(degrees);
}

// The first projectile type of that name, or -1.
int projectileTypeIndex(const std::string& name) {
    for (size_t i = 0; i < WEAPONDATA.size(); ++i)
        if (WEAPONDATA[i].name == name) return int(i);
    return -1;
}

// The GL texture of the element's "texture" image; 0, with nothing loaded, when it names none.
unsigned int imageTexture(Universe& u, Node* node) {
    return checkVal(node, "texture") ? u.loadDynamicTexture(getVal(node, "texture"), 1) : 0;
}

// ---- Factions and relations ----

int lastFactionIndex(const Universe& u, const std::string& name) {
    for (size_t i = u.factionNames.size(); i-- > 0;)
        if (u.factionNames[i] == name) return int(i);
    return -1;
}

void readFactionNames(Universe& u) {
    size_t named = 0;
    forEachElement(u.relationsRoot, "faction", [&](Node* faction) {
        if (++named > MAX_FACTIONS) return;
        u.factionNames.push_back(getVal(faction, "name"));
        u.factionRelations.emplace_back();
    });
    if (named > MAX_FACTIONS)
        std::cout << "Error, relations.xml names " << named << " factions; only the first " << MAX_FACTIONS
                  << " are read" << std::endl;
    for (auto& row : u.factionRelations) row.resize(u.factionRelations.size(), 0);
}

// A holder's relation children set only its own row: relations are one way.
void readRelationsOf(Universe& u, Node* holder) {
    const int row = lastFactionIndex(u, getVal(holder, "name"));
    if (row < 0) return;
    forEachElement(holder, "relation", [&](Node* relation) {
        const int16_t attitude = decodeRelationship(getVal(relation, "attitude"));
        const std::string other = getVal(relation, "name");
        for (size_t j = 0; j < u.factionNames.size(); ++j)
            if (u.factionNames[j] == other) u.factionRelations[size_t(row)][j] = attitude;
    });
}

void buildFactions(Universe& u) {
    readFactionNames(u);
    forEachElement(u.relationsRoot, nullptr, [&](Node* holder) { readRelationsOf(u, holder); });
}

// ---- Projectile types ----

projectileTrail readProjectileTrail(Node* projectile) {
    projectileTrail trail;
    trail.name = "unnamed";
    trail.red = trail.green = trail.blue = 1.0f;
    trail.length = 500;
    forEachElement(projectile, "trail", [&](Node* node) {
        trail.name = getVal(node, "name", "unnamed");
        trail.red = getValF(node, "red", 1.0f);
        trail.green = getValF(node, "green", 1.0f);
        trail.blue = getValF(node, "blue", 1.0f);
        trail.length = wholeNumber(node, "length", 500);
    });
    return trail;
}

int32_t shotsPerFiring(Node* node, const std::string& name) {
    const int32_t count = wholeNumber(node, "numProjectiles", 1);
    if (count <= MAX_SHOTS_PER_FIRING) return count;
    std::cout << "Error, projectile " << name << " in projectiles.xml fires " << count << " shots at once; it fires "
              << MAX_SHOTS_PER_FIRING << std::endl;
    return MAX_SHOTS_PER_FIRING;
}

projectileData readProjectileType(Universe& u, Node* node) {
    projectileData p;
    p.name = getVal(node, "name", "Unnamed");
    p.cooldown = wholeNumber(node, "cooldown", 1000);
    p.speed = getValF(node, "speed", 100.0f);
    p.lifetime = wholeNumber(node, "lifetime", 1000);
    p.damage = getValF(node, "damage", 10.0f);
    p.homingRange = getValF(node, "homingRange", 0.0f);
    p.turnSpeed = getValF(node, "turnSpeed", 0.001f);
    p.texture = u.loadDynamicTexture(getVal(node, "texture", "bulletDot.png"), 1);
    std::cout << p.texture << " TEXT" << std::endl;
    p.size = getValF(node, "size", 10.0f);
    p.trailEffect = wholeNumber(node, "trailEffect", -1);
    p.onDeathEffect = wholeNumber(node, "onDeathEffect", 0);
    p.onHitEffect = wholeNumber(node, "onHitEffect", 0);
    p.onHitFragment = -1;
    p.onDeathFragment = -1;
    p.minAngle = readFiringAngle(node, "minAngle");
    p.maxAngle = readFiringAngle(node, "maxAngle");
    p.grav = yesNo(node, "grav", true);
    p.numProjectiles = shotsPerFiring(node, p.name);
    p.spread = degreesToRadians(getValF(node, "spread", 0.0f));
    p.uniformSpread = yesNo(node, "uniformSpread", true);
    p.trail = readProjectileTrail(node);
    return p;
}

void readFragment(Node* projectile, Node* fragment, projectileData& type) {
    if (!checkVal(fragment, "trigger")) return;
    const std::string trigger = getVal(fragment, "trigger");
    const std::string fragType = getVal(fragment, "fragType");
    const int index = projectileTypeIndex(fragType);
    if (index < 0) {
        std::cout << "Error, bad projectile name " << fragType << " for fragment in projectile "
                  << getVal(projectile, "name") << std::endl;
    } else if (trigger == "onHit") {
        type.onHitFragment = index;
    } else if (trigger == "onDeath") {
        type.onDeathFragment = index;
    } else {
        std::cout << "Error, bad event type for projectile fragment, projectile "
                  << getVal(projectile, "name") << std::endl;
    }
}

int64_t shotsOf(size_t type) { return std::max<int64_t>(WEAPONDATA[type].numProjectiles, 0); }

// Death fragments that lead back to a type already on the chain would spawn shots for ever,
// and fans that multiply down a chain would spawn millions at once from one firing; the link
// that closes such a loop, or takes a generation past a firing's cap, is dropped.
void breakEndlessDeathFragments() {
    for (size_t start = 0; start < WEAPONDATA.size(); ++start) {
        std::vector<bool> onChain(WEAPONDATA.size(), false);
        size_t current = start;
        onChain[current] = true;
        int64_t generation = shotsOf(start);
        while (WEAPONDATA[current].onDeathFragment >= 0) {
            const size_t next = size_t(WEAPONDATA[current].onDeathFragment);
            generation *= shotsOf(next);
            if (onChain[next] || generation > MAX_SHOTS_PER_FIRING) {
                std::cout << "Error, death fragment " << WEAPONDATA[next].name << " of projectile "
                          << WEAPONDATA[current].name
                          << (onChain[next] ? " repeats for ever" : " multiplies one firing past its cap")
                          << "; it is dropped" << std::endl;
                WEAPONDATA[current].onDeathFragment = -1;
                break;
            }
            onChain[next] = true;
            current = next;
        }
    }
}

// Fragments are resolved only once every type exists, so they may name later types.
void buildProjectileTypes(Universe& u) {
    WEAPONDATA.clear();
    forEachElement(u.projectilesRoot, "projectile",
                   [&](Node* node) { WEAPONDATA.push_back(readProjectileType(u, node)); });
    size_t index = 0;
    forEachElement(u.projectilesRoot, "projectile", [&](Node* node) {
        projectileData& type = WEAPONDATA[index++];
        forEachElement(node, "fragment", [&](Node* fragment) { readFragment(node, fragment, type); });
    });
    breakEndlessDeathFragments();
}

// ---- Ship types ----

void readShipTrail(Node* ship, shipDataStruct& type) {
    forEachElement(ship, "trail", [&](Node* trail) {
        type.trailName = getVal(trail, "name");
        type.trailRed = getValF(trail, "red", 1.0f);
        type.trailGreen = getValF(trail, "green", 1.0f);
        type.trailBlue = getValF(trail, "blue", 1.0f);
        type.trailLength = wholeNumber(trail, "length", 500);
    });
}

// A weapon that names no projectile type is left out.
void readShipWeapons(Node* ship, shipDataStruct& type) {
    forEachElement(ship, "weapon", [&](Node* weapon) {
        const int index = projectileTypeIndex(getVal(weapon, "name"));
        if (index >= 0) type.weapons.push_back(unsigned(index));
    });
}

shipDataStruct readShipType(Universe& u, Node* node) {
    shipDataStruct type;
    type.name = getVal(node, "name");
    // A negative mode wraps to a value no AI mode has; the ship then reports it.
    type.aiType = uint16_t(wholeNumber(node, "aiType", 4));
    type.texture = int32_t(imageTexture(u, node));
    type.thrust = getValF(node, "thrust", 20.0f);
    type.hitpoints = getValF(node, "hitpoints", 100.0f);
    type.size = getValF(node, "size", 40.0f);
    readShipTrail(node, type);
    readShipWeapons(node, type);
    return type;
}

void buildShipTypes(Universe& u) {
    forEachElement(u.shipsRoot, "ship", [&](Node* node) { u.shipTypes.push_back(readShipType(u, node)); });
}

// ---- Planets ----

planetData readPlanetData(const Universe& u, Node* node) {
    planetData data;
    data.name = getVal(node, "name", "Default");
    for (const auto& field : PLANET_ELEMENT_FIELDS) data.*field.second = wholeNumber(node, field.first);
    for (const auto& field : PLANET_LEVEL_FIELDS) data.*field.second = wholeNumber(node, field.first);
    // A save writes an empty owner for none: empty or absent, it must not match a faction
    // whose name is empty.
    const std::string owner = getVal(node, "factionOwner");
    data.factionOwner = owner.empty() ? int16_t(-1) : saturatingInt<int16_t>(u.getFactionID(owner));
    for (const auto& field : PLANET_FLOAT_FIELDS) data.*field.second = getValF(node, field.first);
    return data;
}

// Every attribute of every extraData child, in document order.
std::vector<luaStringPair> readExtraData(Node* planet) {
    std::vector<luaStringPair> extra;
    forEachElement(planet, "extraData", [&](Node* node) {
        for (auto* a = node->first_attribute(); a; a = a->next_attribute())
            extra.push_back({std::string(a->name(), a->name_size()), std::string(a->value(), a->value_size())});
    });
    return extra;
}

// The planet's ID is the number of planets built before it, across all worlds.
Planet buildPlanet(Universe& u, Node* node) {
    Planet planet(int(u.planetCache.size()), getValF(node, "radius"), getValF(node, "density") * DENSITY_SCALE,
                  getValF(node, "orbitRadius"), getValF(node, "orbitSpeed"), getValF(node, "initLoc"),
                  getValF(node, "rotationalSpeed"), getValF(node, "initRot"), int(imageTexture(u, node)),
                  getVal(node, "name"), readPlanetData(u, node), readExtraData(node));
    std::cout << "Adding sat" << std::endl;
    planet.setSats(u.getSatelliteData(getVal(node, "satelliteType", "Default")), wholeNumber(node, "satelliteNum"));
    std::cout << "Adding sat done" << std::endl;
    u.planetCache.push_back(nullptr);
    return planet;
}

// ---- Worlds ----

// The index picks an entry of the fixed start-up texture table, which draws through textureAt.
int starTextureIndex(Node* star) {
    const int index = wholeNumber(star, "texture");
    if (index < 0 || index >= FIXED_TEXTURE_COUNT)
        std::cout << "Error, star " << getVal(star, "name") << " names texture " << index
                  << ", which is not in the texture table" << std::endl;
    return index;
}

// Stars are numbered like planets: in document order across all worlds.
int starsBuilt(const Universe& u) {
    size_t count = 0;
    for (const WorldState& world : u.worlds) count += world.stars.size();
    return int(count);
}

Star buildStar(Universe& u, Node* node) {
    std::cout << '\t' << node->name() << std::endl;
    Star star({getValF(node, "xcoord"), getValF(node, "ycoord")}, getValF(node, "radius"),
              getValF(node, "density") * DENSITY_SCALE, starTextureIndex(node), getVal(node, "name"));
    star.setId(starsBuilt(u));
    forEachElement(node, "planet", [&](Node* planet) { star.addPlanet(buildPlanet(u, planet)); });
    star.skipTime(0);  // on their orbits now: a first move from the origin would be one huge jump
    return star;
}

void addWormhole(Universe& u, WorldState& world, int worldIndex, Node* node) {
    world.wormholes.emplace_back(worldIndex, getValF(node, "xcoord"), getValF(node, "ycoord"),
                                 getValF(node, "radius"), wholeNumber(node, "targetWorld"),
                                 getValF(node, "targetXcoord"), getValF(node, "targetYcoord"), u.shaderList);
}

bool isSavedEntity(const std::string& name) {
    return name == "projectileData" || name == "shipData" || name == "gravWallData";
}

// Entities are constructed in their list node: a ship registers its own address.
void addSavedEntity(Universe& u, WorldState& world, Node* node) {
    const std::string name = node->name();
    if (name == "shipData")
        world.ships.emplace_back(node, u);
    else if (name == "gravWallData")
        world.gravityWalls.emplace_back(node, u);
    else if (Projectile::savedTypeIsValid(node))
        world.projectiles.emplace_back(node, u);
}

// Saved entity records leave the document once they are live; a save writes fresh ones.
void buildWorld(Universe& u, Node* node) {
    u.worlds.emplace_back(getVal(node, "name"), wholeNumber(node, "size"));
    const int worldIndex = int(u.worlds.size()) - 1;
    WorldState& world = u.worlds.back();
    std::vector<Node*> liveRecords;
    forEachElement(node, nullptr, [&](Node* child) {
        const std::string name = child->name();
        if (name == "star") {
            world.stars.push_back(buildStar(u, child));
        } else if (name == "wormhole") {
            addWormhole(u, world, worldIndex, child);
        } else if (isSavedEntity(name)) {
            addSavedEntity(u, world, child);
            liveRecords.push_back(child);
        }
    });
    for (Node* record : liveRecords) node->remove_node(record);
}

// The sequence of worlds never reallocates while ships register their addresses.
void buildWorlds(Universe& u) {
    u.worlds.reserve(u.worlds.size() + size_t(countElements(u.universeRoot, "world")));
    forEachElement(u.universeRoot, nullptr, [&](Node* child) {
        std::cout << child->name() << std::endl;
        if (std::string(child->name()) == "world") buildWorld(u, child);
    });
}

// Whether the documents the construction reads are all there, reporting the first missing one.
bool documentsPresent(const Universe& u) {
    const std::pair<const char*, Node*> needed[] = {{"relations.xml", u.relationsRoot},
                                                    {"projectiles.xml", u.projectilesRoot},
                                                    {"shipData.xml", u.shipsRoot},
                                                    {"universe.xml", u.universeRoot}};
    for (const auto& document : needed) {
        if (!document.second) {
            std::cout << "Error, cannot build the galaxy without " << document.first << std::endl;
            return false;
        }
    }
    return true;
}

// ---- The player ----

std::vector<unsigned int> readPlayerWeapon(Node* weapon, std::vector<unsigned int> armament) {
    const std::string name = getVal(weapon, "name");
    const int index = projectileTypeIndex(name);
    if (index >= 0) {
        armament.push_back(unsigned(index));
        std::cout << "Loading weapon " << WEAPONDATA[size_t(index)].name << " into player" << std::endl;
    } else if (!WEAPONDATA.empty()) {
        std::cout << "Error loading weapon " << name << " onto player" << std::endl;
    }
    return armament;
}

void printStarOutline(Node* star) {
    std::cout << '\t' << star->name() << std::endl;
    forEachElement(star, nullptr, [](Node* child) {
        std::cout << "\t\t" << child->name() << std::endl;
        std::cout << "\t\t" << getVal(child, "name") << std::endl;
    });
}

void printUniverseOutline(Node* root) {
    std::cout << root->value() << " x " << root->name() << " type " << int(root->type()) << std::endl;
    forEachElement(root, nullptr, [](Node* child) {
        std::cout << child->name() << std::endl;
        forEachElement(child, nullptr, [](Node* grandChild) {
            if (std::string(grandChild->name()) == "star")
                printStarOutline(grandChild);
            else
                std::cout << "\tNot star" << std::endl;
        });
    });
}

}  // namespace

int16_t decodeRelationship(const std::string& attitude) {
    if (attitude == "friendly") return 100;
    if (attitude == "hostile") return -100;
    if (attitude == "neutral") return 0;
    std::cout << "Relationship decode error: " << attitude << std::endl;
    return 0;
}

void initializeShaders(Universe& u) {
    std::cout << "Loading shaders" << std::endl;
    forEachElement(u.shadersRoot, nullptr, [&](Node* node) {
        if (std::string(node->name()) != "shader") {
            std::cout << "Not a shader" << std::endl;
            return;
        }
        const std::string shader = getVal(node, "name");
        u.shaderList.insertShader(shader);
        forEachElement(node, nullptr, [&](Node* child) {
            if (std::string(child->name()) == "uniform")
                u.shaderList.insertUniform(shader, getVal(child, "name"), getVal(child, "value"));
            else
                std::cout << "Not a uniform" << std::endl;
        });
    });
}

bool initializeStars(Universe& u, lua_State* lua) {
    if (!documentsPresent(u)) return false;
    if (countElements(u.universeRoot, "world") == 0) {
        std::cout << "Error, universe.xml holds no world; the game needs at least one" << std::endl;
        return false;
    }
    buildFactions(u);
    buildProjectileTypes(u);
    buildShipTypes(u);
    buildWorlds(u);
    std::cout << "Done slotting XML into real world data" << std::endl;
    for (WorldState& world : u.worlds) world.luaState = lua;
    return true;
}

std::unique_ptr<Player> initializePlayer(Universe& u) {
    engineData engine = u.getEngineData("");
    hullData hull = u.getHullData("");
    gravTool tool = u.getGravToolData("");
    std::vector<unsigned int> armament;
    point position{0, 0};
    forEachElement(u.playerRoot, nullptr, [&](Node* node) {
        const std::string name = node->name();
        if (name == "position")
            position = {getValF(node, "x"), getValF(node, "y")};
        else if (name == "engine")
            engine = u.getEngineData(getVal(node, "name"));
        else if (name == "hull")
            hull = u.getHullData(getVal(node, "name"));
        else if (name == "gravTool")
            tool = u.getGravToolData(getVal(node, "name"));
        else if (name == "weapon")
            armament = readPlayerWeapon(node, std::move(armament));
    });
    auto player = std::make_unique<Player>(position, engine.thrust, engine.revThrust, engine.turnSpeed,
                                           float(hull.hitpoints), hull.size, u.shaderList, armament, tool,
                                           engine.name, hull.name, u);
    u.currentWorld = u.worlds.empty() ? nullptr : &u.worlds.front();
    return player;
}

void testXML() {
    std::vector<char> text = readWholeFile("universe.xml");
    rapidxml::xml_document<char> doc;
    Node* root = nullptr;
    if (parseDocument("universe.xml", "universe", text, doc, root)) printUniverseOutline(root);
}
