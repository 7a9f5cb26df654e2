// Universe catalogues: equipment look-ups over the fallback records, and satellite types.
#include "universe.h"

#include <cstring>
#include <iostream>

#include "basicsXml.h"

namespace {

using XmlNode = Universe::XmlNode;

const char* const notEngine =
    "Not an engine (this is actually an error, there should be no non-engines in the engine "
    "section of equipment.xml)";
const char* const notHullAtStart =
    "Not a hull (this is actually an error, there should be no non-hulls in the hull section of "
    "equipment.xml)";
const char* const notHull =
    "Not an hull (this is actually an error, there should be no non-hulls in the hull section of "
    "equipment.xml)";
const char* const notGravTool =
    "Not a grav tool (this is actually an error, there should be no non-GTs in the GT section of "
    "equipment.xml)";

bool named(const XmlNode* node, const char* name) { return std::strcmp(node->name(), name) == 0; }

void overlayText(XmlNode* node, const char* attribute, std::string& field) {
    if (checkVal(node, attribute))
        field = getVal(node, attribute);
}

void overlayFloat(XmlNode* node, const char* attribute, float& field) {
    if (checkVal(node, attribute))
        field = getValF(node, attribute);
}

void overlayWhole(XmlNode* node, const char* attribute, int32_t& field) {
    if (checkVal(node, attribute))
        field = saturatingInt<int32_t>(getValF(node, attribute));
}

void overlay(XmlNode* node, engineData& engine) {
    overlayText(node, "name", engine.name);
    overlayFloat(node, "thrust", engine.thrust);
    overlayFloat(node, "revThrust", engine.revThrust);
    overlayFloat(node, "turnSpeed", engine.turnSpeed);
}

void overlay(XmlNode* node, hullData& hull) {
    overlayText(node, "name", hull.name);
    overlayWhole(node, "hitpoints", hull.hitpoints);
    overlayFloat(node, "mass", hull.mass);
    overlayFloat(node, "size", hull.size);
}

void overlay(XmlNode* node, gravToolPart& part) {
    overlayText(node, "name", part.name);
    overlayWhole(node, "spacing", part.spacing);
    overlayFloat(node, "mass", part.mass);
    overlayFloat(node, "cost", part.cost);
    overlayWhole(node, "lifetime", part.lifetime);
}

void overlay(XmlNode* node, gravTool& tool) {
    overlayText(node, "name", tool.name);
    overlayWhole(node, "rechargeDelay", tool.rechargeDelay);
    overlayFloat(node, "rechargeSpeed", tool.rechargeSpeed);
    overlayFloat(node, "charge", tool.charge);
    for (XmlNode* side = node->first_node(); side; side = side->next_sibling()) {
        if (named(side, "left"))
            overlay(side, tool.left);
        else if (named(side, "right"))
            overlay(side, tool.right);
    }
}

// Visits the entries of one section in order, reporting and skipping a child of the
// wrong kind; stops (and gives false) as soon as visit gives false.
template <class Visit>
bool forEachEntryOf(XmlNode* section, const char* entry, const char* complaint, Visit visit) {
    for (XmlNode* child = section->first_node(); child; child = child->next_sibling()) {
        if (child->type() != rapidxml::node_element)
            continue;
        if (!named(child, entry))
            std::cout << complaint << std::endl;
        else if (!visit(child))
            return false;
    }
    return true;
}

// The same over every section of the root called section, in document order.
template <class Visit>
void forEachEntry(XmlNode* root, const char* section, const char* entry, const char* complaint,
                  Visit visit) {
    if (!root)
        return;
    for (XmlNode* group = root->first_node(section); group; group = group->next_sibling(section))
        if (!forEachEntryOf(group, entry, complaint, visit))
            return;
}

// Lays every entry of the section named "default" over record, later ones last.
template <class Record>
void applyDefaults(XmlNode* section, const char* entry, const char* complaint, Record& record) {
    forEachEntryOf(section, entry, complaint, [&record](XmlNode* node) {
        if (getVal(node, "name") == "default")
            overlay(node, record);
        return true;
    });
}

// The first entry named name laid over fallback; fallback itself (reported) when none has it.
template <class Record>
Record lookUp(XmlNode* root, const char* section, const char* entry, const char* complaint,
              const Record& fallback, const std::string& name) {
    Record result = fallback;
    bool found = false;
    forEachEntry(root, section, entry, complaint, [&](XmlNode* node) {
        if (getVal(node, "name") != name)
            return true;
        overlay(node, result);
        found = true;
        return false;
    });
    if (!found)
        std::cout << "No match with " << name << std::endl;
    return result;
}

}  // namespace

void Universe::applyDefaultEquipment() {
    if (!equipmentRoot)
        return;
    for (XmlNode* section = equipmentRoot->first_node(); section; section = section->next_sibling()) {
        if (named(section, "engines"))
            applyDefaults(section, "engine", notEngine, defaultEngine);
        else if (named(section, "hulls"))
            applyDefaults(section, "hull", notHullAtStart, defaultHull);
    }
}

engineData Universe::getEngineData(const std::string& name) const {
    return lookUp(equipmentRoot, "engines", "engine", notEngine, defaultEngine, name);
}

hullData Universe::getHullData(const std::string& name) const {
    return lookUp(equipmentRoot, "hulls", "hull", notHull, defaultHull, name);
}

gravTool Universe::getGravToolData(const std::string& name) const {
    return lookUp(equipmentRoot, "gravTools", "gravTool", notGravTool, defaultGravTool, name);
}

void Universe::buildSatelliteCatalogue() {
    if (!satellitesRoot)
        return;
    for (XmlNode* node = satellitesRoot->first_node("satelliteData"); node;
         node = node->next_sibling("satelliteData")) {
        satelliteStats type;
        type.name = getVal(node, "name", "Default");
        type.orbitalRadius = getValF(node, "orbitalRadius", 1000.0f);
        type.orbitalSpeed = getValF(node, "orbitalSpeed", 1000.0f);
        type.size = getValF(node, "size", 1000.0f);
        type.texture = loadDynamicTexture(getVal(node, "texture", "jupiter.png"), 1);
        type.maxHP = getValF(node, "maxHP", 1000.0f);
        type.laserDamage = getValF(node, "laserDamage", 1.0f);
        type.laserRange = getValF(node, "laserRange", 1000.0f);
        type.laserTexture = loadDynamicTexture(getVal(node, "laserTexture", "laser.png"), 1);
        satelliteTypes.push_back(type);
    }
}

satelliteStats* Universe::getSatelliteData(const std::string& name) {
    for (satelliteStats& type : satelliteTypes)
        if (type.name == name)
            return &type;
    return nullptr;
}
