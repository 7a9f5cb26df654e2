// Gravity walls: laying, save records, and the per-frame pass.
#include "GravityWall.h"

#include <algorithm>
#include <iostream>
#include <string>

#include <rapidxml/rapidxml.hpp>

#include "basicsXml.h"

namespace {

// The capacity hint is only a reservation; more wells than this still fit, one by one.
constexpr int MAX_RESERVED_WELLS = 4096;

wellData readWell(rapidxml::xml_node<char>* node) {
    wellData well;
    well.position = {getValFND(node, "x"), getValFND(node, "y")};
    well.timeLeft = saturatingInt(getValFND(node, "timeLeft"));
    well.strength = getValFND(node, "strength");
    return well;
}

}  // namespace

GravityWall::GravityWall(int id, point pos, gravToolPart tool, int capacityHint) : tool(tool), ID(id) {
    wells.reserve(static_cast<std::size_t>(std::clamp(capacityHint, 1, MAX_RESERVED_WELLS)));
    std::cout << "Wall created" << std::endl;
    addWell(pos);
}

GravityWall::GravityWall(rapidxml::xml_node<char>* record, Universe&) {
    activeIndex = saturatingInt<uint32_t>(getValFND(record, "activeIndex"));
    tool.name = getValND(record, "gravToolName");
    tool.spacing = saturatingInt(getValFND(record, "gravToolSpacing"));
    tool.mass = getValFND(record, "gravToolMass");
    tool.cost = getValFND(record, "gravToolCost");
    tool.lifetime = saturatingInt(getValFND(record, "gravToolLifetime"));
    ID = saturatingInt(getValFND(record, "ID"));
    for (auto* nodes = record->first_node("wallNodes"); nodes; nodes = nodes->next_sibling("wallNodes"))
        for (auto* node = nodes->first_node(); node; node = node->next_sibling()) wells.push_back(readWell(node));
    if (activeIndex > wells.size()) {
        std::cout << "Error, saved wall " << ID << " has active well " << activeIndex << " of "
                  << wells.size() << ", clamped" << std::endl;
        activeIndex = static_cast<uint32_t>(wells.size());
    }
}

void GravityWall::save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record) {
    addAttribInt(doc, record, "activeIndex", activeIndex);
    addAttribValue(doc, record, "gravToolName", tool.name);
    addAttribInt(doc, record, "gravToolSpacing", tool.spacing);
    addAttribValue(doc, record, "gravToolMass", tool.mass);
    addAttribValue(doc, record, "gravToolCost", tool.cost);
    addAttribInt(doc, record, "gravToolLifetime", tool.lifetime);
    addAttribInt(doc, record, "ID", ID);
    rapidxml::xml_node<char>* nodes = doc.allocate_node(rapidxml::node_element, "wallNodes");
    record->append_node(nodes);
    addAttribInt(doc, nodes, "size", static_cast<int64_t>(wells.size()));
    for (std::size_t i = 0; i < wells.size(); i++) {
        std::string name = "wallNode" + std::to_string(i);
        auto* node = doc.allocate_node(rapidxml::node_element, doc.allocate_string(name.c_str(), name.size() + 1));
        nodes->append_node(node);
        addAttribValue(doc, node, "x", wells[i].position.x);
        addAttribValue(doc, node, "y", wells[i].position.y);
        addAttribInt(doc, node, "timeLeft", wells[i].timeLeft);
        addAttribValue(doc, node, "strength", wells[i].strength);
    }
}

void GravityWall::addWell(point p) { wells.push_back({p, tool.lifetime, tool.mass}); }

int GravityWall::getID() const { return ID; }
unsigned int GravityWall::getActiveIndex() const { return activeIndex; }
const gravToolPart& GravityWall::getTool() const { return tool; }
const std::vector<wellData>& GravityWall::getWells() const { return wells; }

// The pull on ships and shots comes with the flight of the player's grav tool; until then a
// wall only reports whether it still has a live well.
bool GravityWall::update(int, Universe&) { return activeIndex < wells.size(); }

void GravityWall::draw() const {}
