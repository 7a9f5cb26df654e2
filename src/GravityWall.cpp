// Gravity walls: laying, save records, and the per-frame pass.
#include "GravityWall.h"

#include <algorithm>
#include <iostream>
#include <string>

#include <GL/glew.h>
#include <rapidxml/rapidxml.hpp>

#include "basicsXml.h"
#include "universe.h"
#include "worldState.h"

namespace {

// The capacity hint is only a reservation; more wells than this still fit, one by one.
constexpr int MAX_RESERVED_WELLS = 4096;
// Squared distances: nearer than 50 pulls as at 50, beyond 50000 a well does not reach.
constexpr float FLOOR_SQ = 2500;
constexpr float CUT_OFF_SQ = 2500000000.0f;

wellData readWell(rapidxml::xml_node<char>* node) {
    wellData well;
    well.position = getPointND(node, "x", "y");
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
        for (auto* node = nodes->first_node(); node; node = node->next_sibling())
            if (node->type() == rapidxml::node_element) wells.push_back(readWell(node));  // stray text is no well
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
        addAttribPoint(doc, node, "x", "y", wells[i].position);
        addAttribInt(doc, node, "timeLeft", wells[i].timeLeft);
        addAttribValue(doc, node, "strength", wells[i].strength);
    }
}

void GravityWall::addWell(point p) { wells.push_back({p, tool.lifetime, tool.mass}); }

int GravityWall::getID() const { return ID; }
unsigned int GravityWall::getActiveIndex() const { return activeIndex; }
const gravToolPart& GravityWall::getTool() const { return tool; }
const std::vector<wellData>& GravityWall::getWells() const { return wells; }

bool GravityWall::update(int dt, Universe& universe) {
    while (activeIndex < wells.size() && wells[activeIndex].timeLeft < 1) activeIndex++;
    // A spent well behind a live one keeps counting; a saved time far below zero must not wrap round.
    for (std::size_t i = activeIndex; i < wells.size(); i++)
        wells[i].timeLeft = saturatingInt(static_cast<double>(wells[i].timeLeft) - dt);
    if (WorldState* world = universe.playerWorld()) {
        for (Ship& ship : world->ships)
            pull(ship.getPos(), [&ship](point v) { ship.addGravNonCollidable(v); });
        for (Projectile& shot : world->projectiles)
            pull(shot.getPos(), [&shot](point v) { shot.addVelocity(v); });
    }
    return activeIndex != wells.size();
}

// The pull is an impulse per frame, not scaled by the frame time. Beyond the cut-off from one
// well the body feels none of the later wells in this frame either.
template <class Push>
void GravityWall::pull(point body, Push push) const {
    for (std::size_t i = activeIndex; i < wells.size(); i++) {
        const wellData& well = wells[i];
        const float exact = sqPointDistance(well.position, body);
        if (exact > CUT_OFF_SQ) return;
        if (exact == 0) continue;  // no direction to pull in
        const point toWell = normalize({well.position.x - body.x, well.position.y - body.y});
        const float scale = well.strength / std::max(exact, FLOOR_SQ);
        push({toWell.x * scale, toWell.y * scale});
    }
}

void GravityWall::draw() const {
    glBindTexture(GL_TEXTURE_2D, 0);
    if (tool.mass > 0)
        glColor3f(1, 0.1f, 0.1f);
    else
        glColor3f(0.1f, 0.1f, 1);
    glBegin(GL_LINE_STRIP);
    for (std::size_t i = activeIndex; i < wells.size(); i++) glVertex2f(wells[i].position.x, wells[i].position.y);
    glEnd();
}
