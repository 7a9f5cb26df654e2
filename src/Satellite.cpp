// Defence satellites: construction, owner changes and the time skip after a load.
#include "Satellite.h"

#include "basics.h"

Satellite::Satellite(int index, int count, satelliteStats* stats, float planetRadius, short faction)
    : planetRadius(planetRadius),
      hp(stats ? saturatingInt(stats->maxHP) : 0),
      stats(stats),
      phase(count > 0 ? static_cast<float>(static_cast<double>(index) / count) : 0.0f),
      faction(faction) {}

void Satellite::updateData(planetData& data) { faction = data.factionOwner; }
void Satellite::skipTime(int t) { time += static_cast<unsigned int>(t); }
std::string Satellite::getType() const { return stats ? stats->name : std::string(); }
point Satellite::getPos() const { return pos; }
short Satellite::getFaction() const { return faction; }
float Satellite::getPhase() const { return phase; }
unsigned int Satellite::getTime() const { return time; }
int Satellite::getHp() const { return hp; }
