// An AI ship's guns: the target, the lead aim, the cooldown slots and the planet drill.
#include "ship.h"

#include <GL/glew.h>

#include <cmath>
#include <limits>

#include "planet.h"
#include "defaultVals.h"
#include "player.h"
#include "projectile.h"
#include "shipGrid.h"
#include "sprites.h"
#include "textures.h"
#include "universe.h"
#include "worldState.h"

namespace {

constexpr float SHIP_TARGET_RANGE = 2000.0f;
constexpr double SHIP_TARGET_RANGE_SQUARED = 4000000.0;
// Far more than the relative error of a float squared distance.
constexpr double DISTANCE_ROUNDING = 1e-4;
constexpr int16_t HOSTILE = -100;
constexpr int LEAD_STEPS = 5;
constexpr int BEAM_TEXTURE = 4;

}  // namespace

void Ship::fireWeapons(int dt, Universe& universe, const Player* player, WorldState& world) {
    double best = 0;
    const Ship* ship = chooseTarget(universe, player, world, best);
    const double range = std::trunc(std::sqrt(best));  // infinite without a player: no shot reaches
    const point P = ship ? ship->pos : player ? player->getPos() : pos;
    const point W = ship ? ship->velocity : player ? player->getVelocity() : velocity;
    for (std::size_t i = 0; i < weapons.size(); i++) {
        if (!isProjectileType(weapons[i])) continue;
        const projectileData& type = WEAPONDATA[weapons[i]];
        while (gunCooling.size() <= i) gunCooling.push_back(static_cast<uint32_t>(type.cooldown));
        if (type.name == "Planet Drill") {
            drill(type, dt, world);
        } else if (static_cast<int64_t>(gunCooling[i]) >= type.cooldown && range < type.speed * type.lifetime) {
            gunCooling[i] = 0;
            projectileSpawn(static_cast<int>(weapons[i]), velocity, pos, leadAim(P, W, type.speed), world, faction,
                            ID);
        }
    }
}

// Squared distances stay floating point: truncated to 32 bits a far player would wrap to a near one.
const Ship* Ship::chooseTarget(Universe& universe, const Player* player, const WorldState& world,
                               double& best) const {
    best = player ? std::trunc(static_cast<double>(sqPointDistance(player->getPos(), pos)))
                  : std::numeric_limits<double>::infinity();
    if (world.shipGrid) return nearestHostile(universe, *world.shipGrid, best);
    const Ship* target = nullptr;
    for (const Ship& other : world.ships) {
        if (other.ID == ID) continue;
        const double d = sqPointDistance(other.pos, pos);
        if (d < SHIP_TARGET_RANGE_SQUARED && d < best && universe.getRelation(faction, other.faction) == HOSTILE) {
            target = &other;
            best = std::trunc(d);
        }
    }
    return target;
}

// Keeping a ship only below the best truncated distance so far, the scan in list order ends on the
// first of the smallest truncated distances; ships beyond the range are never kept.
const Ship* Ship::nearestHostile(Universe& universe, const ShipGrid& grid, double& best) const {
    NearestShip pick(best);
    const auto visit = [&](const ShipGrid::Entry& other) {
        if (other.id == ID) return;
        const double d = sqPointDistance(other.pos, pos);
        if (d < SHIP_TARGET_RANGE_SQUARED && universe.getRelation(faction, other.faction) == HOSTILE)
            pick.offer(*other.ship, std::trunc(d), other.order);
    };
    // The float distance of a ship beyond the clearance may round down a little, never by a whole unit.
    const auto beyondPick = [&pick](double clearance) {
        return clearance > 0 && clearance * clearance * (1 - DISTANCE_ROUNDING) - 1 > pick.key;
    };
    grid.forEachOutward(pos, SHIP_TARGET_RANGE, visit, beyondPick);
    best = pick.key;
    return pick.ship;
}

point Ship::leadAim(point p, point v, float speed) const {
    const point rel{v.x - velocity.x, v.y - velocity.y};
    point aim = p;
    for (int k = 1; k <= LEAD_STEPS; k++) {
        const float t = pointDistance(aim, pos) / speed;
        aim = {p.x + rel.x / LEAD_STEPS * k * t, p.y + rel.y / LEAD_STEPS * k * t};
    }
    return aim;
}

// The drill works every frame on every planet in reach, whatever the cooldown and the target.
void Ship::drill(const projectileData& type, int dt, WorldState& world) const {
    for (Star& star : world.stars)
        for (Planet& planet : star.getPlanets()) {
            const point p = planet.getPos();
            const float length = pointDistance(p, pos);
            if (!(length - planet.getRadius() <= type.homingRange && planet.getHealth() > 0)) continue;
            planet.takeDamage(type.damage * static_cast<float>(dt));
            glPushMatrix();
            glTranslatef(pos.x, pos.y, 0);
            glRotatef((std::atan2(p.y - pos.y, p.x - pos.x) - 1.57f) * DEGREES_PER_RADIAN, 0, 0, 1);
            glBindTexture(GL_TEXTURE_2D, textureAt(BEAM_TEXTURE));
            beamQuad(length);
            glPopMatrix();
            glBindTexture(GL_TEXTURE_2D, 0);
        }
}
