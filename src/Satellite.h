// A defence satellite circling its planet, of one type of the satellite catalogue.
#pragma once

#include <string>

#include "basics.h"
#include "records.h"

class Ship;
class Universe;
class WorldState;

class Satellite {
public:
    // Index among count satellites of the planet, type (not owned), planet radius, faction.
    Satellite(int index, int count, satelliteStats* stats, float planetRadius, short faction);

    // Circles the planet centre (where it stood before this frame's move) and lasers the nearest
    // hostile ship, or a hostile player, within range and not behind the planet.
    void update(WorldState& world, int dt, point centre, Universe& universe);
    // Draws the satellite's image, spinning with its orbit.
    void draw() const;

    // Takes the owning faction from the planet's record.
    void updateData(planetData& data);
    // Moves the satellite on by t ms.
    void skipTime(int t);
    // The type's name ("" without a type).
    std::string getType() const;
    // Read-outs of the current state.
    point getPos() const;
    short getFaction() const;
    float getPhase() const;
    unsigned int getTime() const;
    int getHp() const;

private:
    // The owner as the relation table knows it; an owner that is no faction is hostile to all.
    int owner(const Universe& universe) const;
    bool hostileTo(const Universe& universe, int otherFaction) const;
    // The nearest eligible ship when it is nearer than the player; best gets the squared distance.
    Ship* chooseShip(WorldState& world, const Universe& universe, double& best) const;
    void drawBeam(point target, float length) const;

    float planetRadius;
    point pos{0, 0};
    int hp;
    satelliteStats* stats;
    unsigned int time = 0;
    float phase;
    short faction;
};
