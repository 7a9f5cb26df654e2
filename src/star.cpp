// Stars: construction, planets and the time skip after a load.
#include "star.h"

#include <utility>

Star::Star(point pos, float radius, float density, int texture, std::string name)
    : pos(pos), radius(radius), density(density), texture(texture), name(std::move(name)),
      mass(bodyMass(radius)) {}

int Star::getId() const { return id; }
std::string Star::getName() const { return name; }
float Star::getRadius() const { return radius; }
int Star::getTexture() const { return texture; }
point Star::getPos() const { return pos; }
float Star::getDensity() const { return density; }
float Star::getMass() const { return mass; }
std::vector<Planet>& Star::getPlanets() { return planets; }
const std::vector<Planet>& Star::getPlanets() const { return planets; }

void Star::addPlanet(Planet planet) { planets.push_back(std::move(planet)); }

void Star::skipTime(long t) {
    for (Planet& planet : planets) planet.skipTime(t, pos);
}
