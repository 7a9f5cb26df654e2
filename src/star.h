// A fixed star of a world, owning the planets that orbit it.
#pragma once

#include <string>
#include <vector>

#include "basics.h"
#include "planet.h"

class Player;
class Universe;
class WorldState;
struct celestialBody;

class Star {
public:
    // Position, radius, density (already scaled by 1e-6), index into textures, name.
    Star(point pos, float radius, float density, int texture, std::string name);

    // The star's ID: its place among all stars of the universe document, from 0.
    int getId() const;
    // Numbers the star; only the galaxy construction does.
    void setId(int number);
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
    // One frame of dt ms: the planets, then the star's pull and swallowing, then drawing.
    void update(WorldState& world, Player* player, int dt, Universe& universe);
    // Draws the star's image (also on the system map).
    void draw() const;

private:
    // A ship inside the star only flashes: the star neither damages nor moves it.
    void meetPlayer(Player& player, WorldState& world, int dt) const;
    celestialBody body() const;

    point pos;
    std::vector<Planet> planets;
    int id = 0;
    float radius;
    float density;
    int texture;
    std::string name;
    float mass;
};
