// A fixed star of a world, owning the planets that orbit it.
#pragma once

#include <string>
#include <vector>

#include "basics.h"
#include "planet.h"

class Star {
public:
    // Position, radius, density (already scaled by 1e-6), index into textures, name.
    Star(point pos, float radius, float density, int texture, std::string name);

    // The star's id; nothing assigns one, so every star carries 0.
    int getId() const;
    // Read-outs of the stored values; planets may be changed in place, not added.
    std::string getName() const;
    float getRadius() const;
    // The index into the start-up texture table (checked only when drawn).
    int getTexture() const;
    point getPos() const;
    float getDensity() const;
    float getMass() const;
    std::vector<Planet>& getPlanets();
    const std::vector<Planet>& getPlanets() const;

    // Appends a copy; only the galaxy construction adds planets.
    void addPlanet(Planet planet);
    // Advances every planet's orbit, spin and satellites by t ms around this star.
    void skipTime(long t);

private:
    point pos;
    std::vector<Planet> planets;
    int id = 0;
    float radius;
    float density;
    int texture;
    std::string name;
    float mass;
};
