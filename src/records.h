// The game's plain data records, copied by value between catalogues and entities.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "basics.h"

struct engineData {
    std::string name;
    float thrust = 0;
    float revThrust = 0;
    float turnSpeed = 0;
};

struct hullData {
    std::string name;
    int32_t hitpoints = 0;
    float mass = 0;
    float size = 0;
};

// One side (mouse button) of the grav tool.
struct gravToolPart {
    std::string name;
    int32_t spacing = 0;  // ms between two wells
    float mass = 0;       // strength of each well, signed
    float cost = 0;       // charge spent per ms of laying
    int32_t lifetime = 0; // ms a well lasts
};

struct gravTool {
    std::string name;
    gravToolPart left;
    gravToolPart right;
    int32_t rechargeDelay = 0;
    float rechargeSpeed = 0;
    float charge = 0;  // the full charge
};

struct satelliteStats {
    std::string name;
    float orbitalRadius = 0;
    float orbitalSpeed = 0;
    float size = 0;
    unsigned int texture = 0;
    float maxHP = 0;
    float laserRange = 0;
    float laserDamage = 0;
    unsigned int laserTexture = 0;
};

// A planet's economy record; the field names are the Lua and save keys.
struct planetData {
    std::string name;
    int32_t element1 = 0, element2 = 0, element3 = 0, element4 = 0, element5 = 0;
    int32_t elementStockpile1 = 0, elementStockpile2 = 0, elementStockpile3 = 0,
            elementStockpile4 = 0, elementStockpile5 = 0;
    int32_t drillLevel1 = 0, drillLevel2 = 0, drillLevel3 = 0, drillLevel4 = 0, drillLevel5 = 0;
    int16_t factionOwner = -1;
    int32_t engineFactory = 0, hullFactory = 0, weaponFactory = 0, gravToolFactory = 0,
            starbase = 0, defenceLevel = 0;
    float health = 0, qualityFactor1 = 0, qualityFactor2 = 0;
};

// The record's fields under the names the data files, saves and script tables give them,
// in their order there: the elements, then the owner (not listed), the levels, the floats.
inline const std::pair<const char*, int32_t planetData::*> PLANET_ELEMENT_FIELDS[] = {
    {"element1", &planetData::element1},
    {"element2", &planetData::element2},
    {"element3", &planetData::element3},
    {"element4", &planetData::element4},
    {"element5", &planetData::element5},
    {"elementStockpile1", &planetData::elementStockpile1},
    {"elementStockpile2", &planetData::elementStockpile2},
    {"elementStockpile3", &planetData::elementStockpile3},
    {"elementStockpile4", &planetData::elementStockpile4},
    {"elementStockpile5", &planetData::elementStockpile5},
    {"drillLevel1", &planetData::drillLevel1},
    {"drillLevel2", &planetData::drillLevel2},
    {"drillLevel3", &planetData::drillLevel3},
    {"drillLevel4", &planetData::drillLevel4},
    {"drillLevel5", &planetData::drillLevel5},
};
inline const std::pair<const char*, int32_t planetData::*> PLANET_LEVEL_FIELDS[] = {
    {"engineFactory", &planetData::engineFactory},
    {"hullFactory", &planetData::hullFactory},
    {"weaponFactory", &planetData::weaponFactory},
    {"gravToolFactory", &planetData::gravToolFactory},
    {"starbase", &planetData::starbase},
    {"defenceLevel", &planetData::defenceLevel},
};
inline const std::pair<const char*, float planetData::*> PLANET_FLOAT_FIELDS[] = {
    {"health", &planetData::health},
    {"qualityFactor1", &planetData::qualityFactor1},
    {"qualityFactor2", &planetData::qualityFactor2},
};

struct projectileTrail {
    std::string name;
    float red = 0, green = 0, blue = 0;
    int32_t length = 0;
};

// One projectile type; its index in WEAPONDATA is the projectile type.
struct projectileData {
    std::string name;
    int32_t cooldown = 0;
    float speed = 0;
    int32_t lifetime = 0;
    float damage = 0;
    float homingRange = 0;
    float turnSpeed = 0;
    unsigned int texture = 0;
    float size = 0;
    int32_t trailEffect = 0;
    int32_t onDeathEffect = 0;
    int32_t onHitEffect = 0;
    int32_t onHitFragment = -1;
    int32_t onDeathFragment = -1;
    float minAngle = 0, maxAngle = 0;
    bool grav = false;
    int32_t numProjectiles = 0;
    float spread = 0;
    bool uniformSpread = false;
    projectileTrail trail;
};

// One ship type; its index in Universe::shipTypes is the ship-type code.
struct shipDataStruct {
    std::string name;
    uint16_t aiType = 0;
    int32_t texture = 0;
    float thrust = 0;
    float hitpoints = 0;
    std::vector<unsigned int> weapons;
    std::string trailName;
    float trailRed = 0, trailGreen = 0, trailBlue = 0;
    int32_t trailLength = 0;
    float size = 0;
};

struct luaStringPair {
    std::string key;
    std::string value;
};

// One notification.
struct scrollText {
    unsigned int font = 0;
    std::vector<std::string> textLines;
    int32_t lifetimeRemaining = 0;
};

struct soundBufferData {
    unsigned int id = 0;
    std::string name;
};

struct dynamicTexturesData {
    unsigned int id = 0;
    std::string name;
};

// A star or planet near a ship this frame.
struct collidableData {
    float surfaceDistance = 0;
    point direction{0, 0};
};

struct wellData {
    point position{0, 0};
    int32_t timeLeft = 0;
    float strength = 0;
};
