// The player's ship: construction, save records and the state changes other parts ask for.
#include "player.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <utility>

#include "basicsXml.h"
#include "defaultVals.h"
#include "projectile.h"
#include "savedSequence.h"
#include "shaderList.h"
#include "textures.h"
#include "universe.h"
#include "worldState.h"

namespace {

// The engine smoke: 70 slots, a particle every 15 ms, cyan, textures 21 (smoke) and 22 (colour).
SmokeTrail engineSmoke(point start, const ShaderList& shaders) {
    return SmokeTrail(70, start, 15, 10.0f, 0, 1, 1, 50.0f, 23.0f, 0.0006f, static_cast<int>(textureAt(21)),
                      static_cast<int>(textureAt(22)), shaders);
}

constexpr float FULL_TURN = 6.28318f;  // the heading's own wrap
constexpr int32_t LANDING_TIMEOUT_MS = 300;  // a landed ship cannot thrust for this long

bool readFlag(rapidxml::xml_node<char>* record, const char* name) { return getValFND(record, name) != 0; }

int32_t readInt(rapidxml::xml_node<char>* record, const char* name) {
    return saturatingInt(getValFND(record, name));
}

}  // namespace

Player::Player(point position, float thrust, float revThrust, float turnSpeed, float hitpoints, float size,
               const ShaderList& shaders, std::vector<unsigned int> armament, ::gravTool tool,
               std::string engineName, std::string hullName, Universe& universe)
    : x(position.x), y(position.y), engineName(std::move(engineName)), hullName(std::move(hullName)),
      gravTool(std::move(tool)), armament(std::move(armament)), thrust(thrust), revThrust(revThrust),
      turnSpeed(turnSpeed), hitpoints(hitpoints), size(size), exhaustSmoke(engineSmoke(position, shaders)) {
    gravCharge = saturatingInt(gravTool.charge);
    leftDelay = gravTool.left.spacing;
    rightDelay = gravTool.right.spacing;
    lookUpFlameShader(shaders, " shader");
    whiteLaserTexture = universe.loadDynamicTexture("whiteLaser.png", 1);
    reportSoundError();
    std::cout << "Created." << std::endl;
    printDelays();
    std::cout << "curGrav is " << gravTool.charge << std::endl;
}

Player::Player(rapidxml::xml_node<char>* record, Universe& universe) {
    readSavedAttributes(record);
    exhaustSmoke = engineSmoke(getPos(), universe.shaderList);
    std::cout << "LOADING*******************************************************************" << std::endl;
    printDelays();
    if (activeWorld < 0 || static_cast<std::size_t>(activeWorld) >= universe.worlds.size()) {
        std::cout << "Error, bad world number in player location in save" << std::endl;
        std::exit(0);
    }
    universe.currentWorld = &universe.worlds[activeWorld];
    lookUpFlameShader(universe.shaderList, "");
    takeSavedEquipment(record, universe);
    readSavedChildren(record, "gunCooling", gunCooling);
    readSavedChildren(record, "armament", armament);
    dropUnknownWeapons();
    whiteLaserTexture = universe.loadDynamicTexture("whiteLaser.png", 1);
    std::cout << "curGrav is " << gravTool.charge << std::endl;
}

void Player::readSavedAttributes(rapidxml::xml_node<char>* record) {
    x = getValFND(record, "x");
    y = getValFND(record, "y");
    canWarp = readFlag(record, "canWarp");
    isClear = readFlag(record, "isClear");
    engineName = getValND(record, "engineName");
    hullName = getValND(record, "hullName");
    leftDelay = readInt(record, "leftDelay");
    rightDelay = readInt(record, "rightDelay");
    activeGravNum = readInt(record, "activeGravNum");
    gravCharge = readInt(record, "gravCharge");
    activeWeaponIndex = saturatingInt<uint32_t>(getValFND(record, "activeWeaponIndex"));
    // No save holds more than a landing gives; far more would hold the thrust for weeks.
    landedTimeout = std::min(readInt(record, "landedTimeout"), LANDING_TIMEOUT_MS);
    xSpd = getValFND(record, "xSpd");
    ySpd = getValFND(record, "ySpd");
    // A heading far beyond a turn has no room in its float for a frame's turn, and would never turn.
    theta = std::fmod(getValFND(record, "theta"), FULL_TURN);
    hitpoints = getValFND(record, "hitpoints");
    activeWorld = readInt(record, "activeWorld");
    planetId = readInt(record, "planetId");
    keysOn = readFlag(record, "keysOn");
}

// The saved hit points stay: the hull gives only the size.
void Player::takeSavedEquipment(rapidxml::xml_node<char>* record, Universe& universe) {
    engineData engine = universe.getEngineData(engineName);
    thrust = engine.thrust;
    revThrust = engine.revThrust;
    turnSpeed = engine.turnSpeed;
    size = universe.getHullData(hullName).size;
    gravTool = universe.getGravToolData(getValND(record, "gravToolName"));
}

void Player::lookUpFlameShader(const ShaderList& shaders, const std::string& suffix) {
    if (!shaders.getShader("flameExhaust", flameShader)) {
        std::cout << "Error, can't access flame shader" << std::endl;
        return;
    }
    if (!shaders.getUniform(flameShader, "thrust", flameThrustUniform))
        std::cout << "Error, can't access thrust uniform in flame shader" << suffix << std::endl;
    if (!shaders.getUniform(flameShader, "time", flameTimeUniform))
        std::cout << "Error, can't access time uniform in flame shader" << suffix << std::endl;
}

// A save may name projectile types the projectiles file no longer has; such a slot would
// index past the type list whenever it is selected.
void Player::dropUnknownWeapons() {
    for (std::size_t slot = armament.size(); slot-- > 0;) {
        if (armament[slot] < WEAPONDATA.size()) continue;
        std::cout << "Error, saved weapon " << armament[slot] << " in slot " << slot
                  << " is not a projectile type, dropped" << std::endl;
        armament.erase(armament.begin() + static_cast<std::ptrdiff_t>(slot));
        if (slot < gunCooling.size()) gunCooling.erase(gunCooling.begin() + static_cast<std::ptrdiff_t>(slot));
    }
}

void Player::printDelays() const {
    std::cout << "LD " << leftDelay << " RD " << rightDelay << " GC " << gravCharge << std::endl;
}

void Player::save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record) {
    addAttribPoint(doc, record, "x", "y", getPos());
    addAttribInt(doc, record, "canWarp", canWarp);
    addAttribInt(doc, record, "isClear", isClear);
    addAttribValue(doc, record, "engineName", engineName);
    addAttribValue(doc, record, "hullName", hullName);
    addAttribInt(doc, record, "leftDelay", leftDelay);
    addAttribInt(doc, record, "rightDelay", rightDelay);
    addAttribInt(doc, record, "activeGravNum", activeGravNum);
    addAttribInt(doc, record, "gravCharge", gravCharge);
    addAttribValue(doc, record, "gravToolName", gravTool.name);
    addAttribInt(doc, record, "activeWeaponIndex", activeWeaponIndex);
    addAttribInt(doc, record, "landed", landed);
    addAttribInt(doc, record, "landedTimeout", landedTimeout);
    addAttribPoint(doc, record, "xSpd", "ySpd", getVelocity());
    addAttribValue(doc, record, "theta", theta);
    addAttribValue(doc, record, "hitpoints", hitpoints);
    addAttribInt(doc, record, "activeWorld", activeWorld);
    addAttribInt(doc, record, "planetId", planetId);
    addAttribInt(doc, record, "keysOn", keysOn);
    std::cout << "SAVING*******************************************************************" << std::endl;
    printDelays();
    writeSavedSequence(doc, record, "gunCooling", gunCooling);
    writeSavedSequence(doc, record, "armament", armament);
}

void Player::buttonUp() { activeGravNum += 1; }

// Sets the planet and the landed flag, and stops a landed ship, over what the record gave:
// the caller has held the saved landing against the loaded planets. The saved landing
// timeout stays.
void Player::restoreLanding(int id) {
    planetId = id < 0 ? -1 : id;
    landed = id >= 0;
    if (!landed) return;
    xSpd = ySpd = 0;
    exhaustSmoke.setVisibility(false);
}

void Player::setLanded(int id) {
    planetId = id;
    landed = true;
    exhaustSmoke.setVisibility(false);
    landedTimeout = LANDING_TIMEOUT_MS;
}

void Player::warpWorld(int index, Universe& universe) {
    if (index < 0 || static_cast<std::size_t>(index) >= universe.worlds.size()) {
        std::cout << "Attempt to set bad world number on Player::WarpWorld" << std::endl;
        return;
    }
    exhaustSmoke.clear(getPos());
    activeWorld = index;
    universe.currentWorld = &universe.worlds[index];
}

void Player::setVelocity(point v) {
    xSpd = v.x;
    ySpd = v.y;
}

void Player::addVelocity(point v) {
    xSpd += v.x;
    ySpd += v.y;
}

void Player::setAngle(float angle) { theta = angle; }
void Player::takeDamage(float damage) { hitpoints -= damage; }
void Player::setInput(bool on) { keysOn = on; }

int Player::getWorld() const { return activeWorld; }
bool Player::isLanded() const { return landed; }
float Player::getHealth() const { return hitpoints; }
bool Player::getKeysOn() const { return keysOn; }
point Player::getVelocity() const { return {xSpd, ySpd}; }
point Player::getPos() const { return {x, y}; }
float Player::getRadius() const { return size; }
float Player::getSize() const { return size; }
float Player::getAngle() const { return -(theta * DEGREES_PER_RADIAN - 90); }
int Player::getPlanetId() const { return planetId; }

int32_t* Player::getWorldPointer() { return &activeWorld; }
bool* Player::getLandedPointer() { return &landed; }
int32_t* Player::getPlanetIdPointer() { return &planetId; }
bool* Player::getInputPointer() { return &keysOn; }
