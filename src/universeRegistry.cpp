// Universe look-ups by identifier: factions, the ship registry and the player's world.
#include "universe.h"

#include <iostream>

#include "player.h"
#include "worldState.h"

int Universe::getFactionID(const std::string& name) const {
    for (size_t i = 0; i < factionNames.size(); ++i)
        if (factionNames[i] == name)
            return static_cast<int>(i);
    return -1;
}

std::string Universe::getFactionName(int16_t id) const {
    if (id < 0 || static_cast<size_t>(id) >= factionNames.size())
        return "Neutral";
    return factionNames[id];
}

int16_t Universe::getRelation(int own, int other) const {
    if (own < 0 || static_cast<size_t>(own) >= factionRelations.size()) return 0;
    const std::vector<int16_t>& row = factionRelations[static_cast<size_t>(own)];
    if (other < 0 || static_cast<size_t>(other) >= row.size()) return 0;
    return row[static_cast<size_t>(other)];
}

unsigned int Universe::getNewShipID(Ship* ship) {
    shipList.push_back(ship);
    return static_cast<unsigned int>(shipList.size() - 1);
}

Ship* Universe::getShip(unsigned int id) const {
    return id < shipList.size() ? shipList[id] : nullptr;
}

void Universe::removeShip(unsigned int id) {
    if (id < shipList.size())
        shipList[id] = nullptr;
    else
        std::cout << "ERROR, Bad ship number to remove " << id << ", size " << getRawShipListSize()
                  << std::endl;
}

unsigned int Universe::getRawShipListSize() const { return static_cast<unsigned int>(shipList.size()); }

void Universe::clearShipList() { shipList.clear(); }

WorldState* Universe::playerWorld() {
    if (!player)
        return nullptr;
    const int index = player->getWorld();
    if (index < 0 || static_cast<size_t>(index) >= worlds.size())
        return nullptr;
    return &worlds[static_cast<size_t>(index)];
}
