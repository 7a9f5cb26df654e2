// Projectiles: the projectile-type list, construction and save records.
#include "projectile.h"

#include <cmath>
#include <iostream>
#include <utility>

#include "basicsXml.h"
#include "savedSequence.h"

std::vector<projectileData> WEAPONDATA;

bool isProjectileType(long type) { return type >= 0 && static_cast<std::size_t>(type) < WEAPONDATA.size(); }

Projectile::Projectile(point pos, float theta, WorldState&, int type, float vx, float vy, short faction,
                       std::vector<short> relations, unsigned int shooter)
    : pos(pos), shotType(type), theta(theta), personalRelations(std::move(relations)), faction(faction),
      shooterID(shooter) {
    float speed = 0;
    if (isProjectileType(type)) {
        lifetimeRemaining = WEAPONDATA[type].lifetime;
        speed = WEAPONDATA[type].speed;
    } else {
        std::cout << "Error, spawning unknown projectile type " << type << std::endl;
    }
    velocity = {static_cast<float>(speed * std::sin(static_cast<double>(theta)) + vx),
                static_cast<float>(speed * std::cos(static_cast<double>(theta)) + vy)};
    calcTheta();
}

Projectile::Projectile(rapidxml::xml_node<char>* record, Universe&) {
    pos = getPointND(record, "x", "y");
    velocity = getPointND(record, "xSpd", "ySpd");
    lifetimeRemaining = saturatingInt(getValFND(record, "lifetimeRemaining"));
    theta = getValFND(record, "theta");
    shotType = saturatingInt(getValFND(record, "shotType"));
    faction = saturatingInt<int16_t>(getValFND(record, "faction"));
    if (isProjectileType(shotType))
        livedMs = saturatingInt(static_cast<double>(WEAPONDATA[shotType].lifetime) - lifetimeRemaining);
    targetedShipID = saturatingInt<uint32_t>(getValFND(record, "targetedShipID"));
    locked = targetedShipID != 0;
    readSavedChildren(record, "personalRelations", personalRelations);
}

bool Projectile::savedTypeIsValid(rapidxml::xml_node<char>* record) {
    long type = saturatingInt(getValF(record, "shotType"));
    if (isProjectileType(type)) return true;
    std::cout << "Error, saved projectile of type " << type << " is not a projectile type, dropped"
              << std::endl;
    return false;
}

void Projectile::save(rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>* record) {
    addAttribPoint(doc, record, "x", "y", pos);
    addAttribPoint(doc, record, "xSpd", "ySpd", velocity);
    addAttribInt(doc, record, "lifetimeRemaining", lifetimeRemaining);
    addAttribValue(doc, record, "theta", theta);
    addAttribInt(doc, record, "shotType", shotType);
    addAttribInt(doc, record, "faction", faction);
    addAttribInt(doc, record, "targetedShipID", targetedShipID);
    writeSavedSequence(doc, record, "personalRelations", personalRelations);
}

void Projectile::calcTheta() { theta = std::atan2(velocity.y, -velocity.x) - 1.57f; }

void Projectile::addVelocity(point v) {
    velocity.x += v.x;
    velocity.y += v.y;
}

bool Projectile::affectedByGrav() const { return isProjectileType(shotType) && WEAPONDATA[shotType].grav; }

point Projectile::getPos() const { return pos; }
point Projectile::getVelocity() const { return velocity; }
int Projectile::getType() const { return shotType; }
float Projectile::getTheta() const { return theta; }
int Projectile::getLifetimeRemaining() const { return lifetimeRemaining; }
unsigned int Projectile::getTargetedShipID() const { return targetedShipID; }
bool Projectile::hasLock() const { return locked; }
short Projectile::getFaction() const { return faction; }
const std::vector<int16_t>& Projectile::getPersonalRelations() const { return personalRelations; }
