// Universe planet look-ups through the lazily filled planet cache.
#include "universe.h"

#include <iostream>

#include "planet.h"
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

Planet* Universe::recordedPlanet(unsigned int id) {
    if (!validPlanetID(id))
        return nullptr;
    Planet* planet = cachedPlanet(id);
    if (!planet)
        std::cout << "Error, planet not found, but index is good" << std::endl;
    return planet;
}

planetData Universe::getPlanetData(unsigned int id) {
    const Planet* planet = recordedPlanet(id);
    return planet ? planet->getPlanetData() : defaultPlanetData;
}

std::vector<luaStringPair> Universe::getExtraPlanetData(unsigned int id) {
    const Planet* planet = recordedPlanet(id);
    return planet ? planet->getExtraData() : std::vector<luaStringPair>();
}
