// A defence satellite circling its planet, of one type of the satellite catalogue.
#pragma once

#include <string>

#include "basics.h"
#include "records.h"

class Satellite {
public:
    // Index among count satellites of the planet, type (not owned), planet radius, faction.
    Satellite(int index, int count, satelliteStats* stats, float planetRadius, short faction);

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
    float planetRadius;
    point pos{0, 0};
    int hp;
    satelliteStats* stats;
    unsigned int time = 0;
    float phase;
    short faction;
};
