// Universe passes over the worlds: the planet cache and the gravity walls of the player's world.
#include "universe.h"

#include <iostream>

#include "GravityWall.h"
#include "planet.h"
#include "player.h"
#include "star.h"
#include "worldState.h"

bool Universe::validPlanetID(unsigned int id) const {
    if (id < planetCache.size())
        return true;
    std::cout << "Error, invalid planet number" << std::endl;
    return false;
}

Planet* Universe::cachedPlanet(unsigned int id) {
    Planet*& slot = planetCache[id];
    if (slot)
        return slot;
    // No early stop: when two planets share an ID the last one visited wins.
    for (WorldState& world : worlds)
        for (Star& star : world.stars)
            for (Planet& planet : star.getPlanets())
                if (planet.getID() >= 0 && static_cast<unsigned int>(planet.getID()) == id)
                    slot = &planet;
    return slot;
}

Planet* Universe::getPlanet(unsigned int id) { return validPlanetID(id) ? cachedPlanet(id) : nullptr; }

planetData Universe::getPlanetData(unsigned int id) {
    if (!validPlanetID(id))
        return defaultPlanetData;
    if (Planet* planet = cachedPlanet(id))
        return planet->getPlanetData();
    std::cout << "Error, planet not found, but index is good" << std::endl;
    return defaultPlanetData;
}

std::vector<luaStringPair> Universe::getExtraPlanetData(unsigned int id) {
    if (!validPlanetID(id))
        return {};
    if (Planet* planet = cachedPlanet(id))
        return planet->getExtraData();
    std::cout << "Error, planet not found, but index is good" << std::endl;
    return {};
}

void Universe::updateGravityWalls(int dt) {
    if (!player || player->getWorld() < 0 || static_cast<size_t>(player->getWorld()) >= worlds.size())
        return;
    std::list<GravityWall>& walls = worlds[player->getWorld()].gravityWalls;
    for (auto wall = walls.begin(); wall != walls.end();) {
        if (wall->update(dt, *this)) {
            wall->draw();
            ++wall;
        } else {
            wall = walls.erase(wall);
        }
    }
}
