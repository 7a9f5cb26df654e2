// A chain of timed gravity wells laid by the player's grav tool.
#pragma once

#include <cstdint>
#include <vector>

#include "basics.h"
#include "records.h"
#include "xmlForward.h"

class Universe;

class GravityWall {
public:
    // A new wall with its first well at pos; capacityHint is the number of wells the
    // player's charge can pay for (only a reservation hint).
    GravityWall(int id, point pos, gravToolPart tool, int capacityHint);
    // A wall read back from a saved "gravWallData" record.
    GravityWall(rapidxml::xml_node<char>* record, Universe& universe);

    // Appends the "gravWallData" attributes and the wells to record, from doc's pool.
    void save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record);

    // Appends a well at p with the tool's lifetime and strength.
    void addWell(point p);
    // Read-outs of the stored values.
    int getID() const;
    unsigned int getActiveIndex() const;
    const gravToolPart& getTool() const;
    const std::vector<wellData>& getWells() const;

    // One frame of the wall: its wells age by dt and pull every ship and shot of the player's
    // world; false once it has no live well.
    bool update(int dt, Universe& universe);
    // Draws the live part of the chain.
    void draw() const;

private:
    // Hands push the pull of every live well on a body at position body.
    template <class Push>
    void pull(point body, Push push) const;

    uint32_t activeIndex = 0;
    gravToolPart tool;
    int32_t ID = 0;
    std::vector<wellData> wells;
};
