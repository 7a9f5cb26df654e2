// AI ships: construction, save records and the calls other bodies make on them.
#include "ship.h"

#include <cmath>
#include <iostream>
#include <utility>

#include "basicsXml.h"
#include "savedSequence.h"
#include "universe.h"

namespace {

// A faction that indexes the relation matrix, else 0 (with the message).
int16_t checkedFaction(int faction, const Universe& universe) {
    if (faction >= 0 && static_cast<std::size_t>(faction) < universe.factionRelations.size())
        return static_cast<int16_t>(faction);
    std::cout << "Bad faction " << 0 << std::endl;
    return 0;
}

// A ship type read from an element without attributes: what a ship of an unknown type flies as.
const shipDataStruct& unknownType() {
    static const shipDataStruct fallback = [] {
        shipDataStruct type;
        type.aiType = 4;
        type.thrust = 20.0f;
        type.hitpoints = 100.0f;
        type.size = 40.0f;
        return type;
    }();
    return fallback;
}

}  // namespace

Ship::Ship(point pos, std::string type, short faction, Universe& universe)
    : pos(pos), shiptype(std::move(type)) {
    ID = universe.getNewShipID(this);
    this->faction = checkedFaction(faction, universe);
    std::cout << "Match? " << ID << " " << universe.getRawShipListSize() << std::endl;
    takeTypeFields(universe, true);
    std::cout << "Ship constructed at " << this << std::endl;
}

Ship::Ship(rapidxml::xml_node<char>* record, Universe& universe) {
    pos = getPointND(record, "x", "y");
    velocity = getPointND(record, "xSpd", "ySpd");
    theta = getValFND(record, "theta");
    aiType = saturatingInt(getValFND(record, "aiType"));
    int savedFaction = saturatingInt(getValFND(record, "faction"));
    hitpoints = getValFND(record, "hitpoints");
    shiptype = getValND(record, "shiptype");
    goTo = getPointND(record, "goToX", "goToY");
    ID = universe.getNewShipID(this);
    if (aiType == 6 || aiType == 7) aiType = 4;
    std::cout << "Match? " << ID << " " << universe.getRawShipListSize() << std::endl;
    takeTypeFields(universe, false);
    faction = checkedFaction(savedFaction, universe);
    readSavedChildren(record, "personalRelations", personalRelations);
    readSavedChildren(record, "gunCooling", gunCooling);
    // Older saves lack it: such a ship heads for planet 0, as it always did.
    destinationPlanet = saturatingInt<uint32_t>(getValF(record, "destinationPlanet", 0.0f));
}

// An unknown name keeps shipCode -1 and takes the defaults of a type with no attributes.
void Ship::takeTypeFields(Universe& universe, bool withAiAndHitpoints) {
    const shipDataStruct* found = &unknownType();
    for (std::size_t code = 0; code < universe.shipTypes.size() && shipCode < 0; code++)
        if (universe.shipTypes[code].name == shiptype) {
            shipCode = static_cast<int32_t>(code);
            found = &universe.shipTypes[code];
        }
    if (shipCode < 0) std::cout << "Error, bad ship name passed to ship constructor: " << shiptype << std::endl;
    const shipDataStruct& type = *found;
    if (withAiAndHitpoints) {
        aiType = type.aiType;
        hitpoints = type.hitpoints;
    }
    texture = static_cast<uint32_t>(type.texture);
    thrust = type.thrust;
    weapons = type.weapons;
    size = type.size;
    if (type.trailName == "glowTrail")
        glowTrail = GlowTrail(type.trailLength / 20, pos, 20, 10.0f, type.trailRed, type.trailGreen, type.trailBlue,
                              universe.shaderList);
    else
        glowTrail = GlowTrail(0, pos, 20, 10.0f, 0, 0, 0, universe.shaderList);
}

void Ship::save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record) {
    addAttribPoint(doc, record, "x", "y", pos);
    addAttribPoint(doc, record, "xSpd", "ySpd", velocity);
    addAttribValue(doc, record, "theta", theta);
    addAttribInt(doc, record, "aiType", aiType);
    addAttribInt(doc, record, "faction", faction);
    addAttribValue(doc, record, "hitpoints", hitpoints);
    addAttribValue(doc, record, "shiptype", shiptype);
    addAttribPoint(doc, record, "goToX", "goToY", goTo);
    addAttribInt(doc, record, "destinationPlanet", destinationPlanet);
    writeSavedSequence(doc, record, "gunCooling", gunCooling);
    writeSavedSequence(doc, record, "personalRelations", personalRelations);
}

void Ship::addGrav(point g) {
    gravAccumulator.x += g.x;
    gravAccumulator.y += g.y;
}

void Ship::addGravNonCollidable(point v) {
    velocity.x += v.x;
    velocity.y += v.y;
}

void Ship::registerCollidable(float surfaceDistance, point direction) {
    collidables.push_back({surfaceDistance, direction});
}

bool Ship::takeDamage(float d) {
    hitpoints -= d;
    return hitpoints > 0;
}

bool Ship::takeDamage(float d, short, Universe&) { return takeDamage(d); }

void Ship::setAI(int mode) { aiType = mode; }
void Ship::setDestinationPoint(point p) { goTo = p; }
void Ship::setDestinationShip(unsigned int id) { destinationShip = id; }
void Ship::setDestinationPlanet(unsigned int id) { destinationPlanet = id; }

short Ship::getFaction() const { return faction; }
unsigned int Ship::getID() const { return ID; }
point Ship::getPos() const { return pos; }
point Ship::getVelocity() const { return velocity; }
std::string Ship::getShipType() const { return shiptype; }
float Ship::getHitpoints() const { return hitpoints; }
int Ship::getShipCode() const { return shipCode; }
float Ship::getSize() const { return size; }
float Ship::getTheta() const { return theta; }
int Ship::getAI() const { return aiType; }
point Ship::getDestinationPoint() const { return goTo; }
const std::vector<unsigned int>& Ship::getWeapons() const { return weapons; }
const std::vector<unsigned int>& Ship::getGunCooling() const { return gunCooling; }
const std::vector<int16_t>& Ship::getPersonalRelations() const { return personalRelations; }
unsigned int Ship::getTexture() const { return texture; }
float Ship::getThrust() const { return thrust; }

void Ship::calcTheta(point a) { theta = std::atan2(a.y, a.x) - 1.57f; }
