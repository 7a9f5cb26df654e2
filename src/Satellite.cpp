// Defence satellites: construction, orbit, target choice, laser and drawing.
#include "Satellite.h"

#include <GL/glew.h>

#include <cmath>
#include <limits>

#include "basics.h"
#include "defaultVals.h"
#include "player.h"
#include "shipGrid.h"
#include "sprites.h"
#include "universe.h"
#include "worldState.h"

namespace {

constexpr int16_t HOSTILE = -100;
constexpr int PLAYER_FACTION = 0;  // the player's column of the relation table

}  // namespace

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

int Satellite::owner(const Universe& universe) const {
    return faction >= 0 && static_cast<std::size_t>(faction) < universe.factionRelations.size() ? faction : -1;
}

bool Satellite::hostileTo(const Universe& universe, int otherFaction) const {
    const int own = owner(universe);
    return own == -1 || universe.getRelation(own, otherFaction) == HOSTILE;
}

void Satellite::update(WorldState& world, int dt, point centre, Universe& universe) {
    if (!stats) return;
    time += static_cast<unsigned int>(dt);
    const float angle = stats->orbitalSpeed * static_cast<float>(time) + phase * 6.28f;
    const float orbit = stats->orbitalRadius + planetRadius;
    pos = {centre.x + orbit * std::cos(angle), centre.y + orbit * std::sin(angle)};
    Player* player = universe.player.get();
    double best = player ? std::trunc(static_cast<double>(sqPointDistance(player->getPos(), pos)))
                         : std::numeric_limits<double>::infinity();
    Ship* ship = chooseShip(world, universe, best);
    if (!ship && !player) return;
    const point target = ship ? ship->getPos() : player->getPos();
    const double dist = std::trunc(std::sqrt(best));
    if (!(stats->laserRange > dist) || intersectCircleLine(pos, target, centre, planetRadius)) return;
    const float damage = stats->laserDamage * static_cast<float>(dt);
    if (ship) {
        ship->takeDamage(damage);
    } else if (hostileTo(universe, PLAYER_FACTION)) {
        player->takeDamage(damage);
    } else {
        return;  // a friendly player in front shields the ships behind it
    }
    drawBeam(target, static_cast<float>(dist));
}

// Squared distances stay floating point: truncated to 32 bits a far player would look near.
Ship* Satellite::chooseShip(WorldState& world, const Universe& universe, double& best) const {
    if (world.shipGrid) return chooseNearShip(*world.shipGrid, universe, best);
    Ship* target = nullptr;
    for (Ship& ship : world.ships) {
        const double d = sqPointDistance(ship.getPos(), pos);
        if (d < best && hostileTo(universe, ship.getFaction())) {
            target = &ship;
            best = std::trunc(d);
        }
    }
    return target;
}

// The scan in list order ends on the first of the smallest truncated distances. A ship beyond the
// laser's whole-number reach never draws fire: whatever the scan picks there, nothing is fired.
Ship* Satellite::chooseNearShip(const ShipGrid& grid, const Universe& universe, double& best) const {
    NearestShip pick(best);
    grid.forEachNear(pos, pos, std::ceil(std::max(stats->laserRange, 0.0f)), [&](Ship& ship, uint32_t order) {
        if (hostileTo(universe, ship.getFaction()))
            pick.offer(ship, std::trunc(double(sqPointDistance(ship.getPos(), pos))), order);
    });
    best = pick.key;
    return pick.ship;
}

void Satellite::drawBeam(point target, float length) const {
    glPushMatrix();
    glTranslatef(pos.x, pos.y, 0);
    glBindTexture(GL_TEXTURE_2D, stats->laserTexture);
    glRotatef((std::atan2(target.y - pos.y, target.x - pos.x) - 1.57f) * DEGREES_PER_RADIAN, 0, 0, 1);
    beamQuad(length);
    glPopMatrix();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Satellite::draw() const {
    if (!stats) return;
    glPushMatrix();
    glTranslatef(pos.x, pos.y, 0);
    glRotatef(stats->orbitalSpeed * static_cast<float>(time), 0, 0, 1);
    glBindTexture(GL_TEXTURE_2D, stats->texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    spriteQuad(stats->size);
    reportError();
    glPopMatrix();
}
