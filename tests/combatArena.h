// A world with test projectile types, a ship type and a player parked far away, for the combat tests.
#pragma once

#include <gtest/gtest.h>

#include "entityTestUniverse.h"
#include "glTestContext.h"
#include "player.h"
#include "projectile.h"
#include "worldState.h"

// Types: 0 bolt (speed 1, range 1000, damage 10), 1 beam, 2 wave (on death and hit a shockwave and
// bolts), 3 missile (homing range 1000), 4 fan (three shots over 0.2 rad).
inline std::vector<projectileData> arenaWeapons() {
    projectileData bolt;
    bolt.speed = 1;
    bolt.lifetime = 1000;
    bolt.damage = 10;
    bolt.size = 5;
    bolt.numProjectiles = 1;
    bolt.cooldown = 100;
    bolt.minAngle = bolt.maxAngle = -1;
    std::vector<projectileData> types(5, bolt);
    types[1].damage = 0.5f;
    types[2].damage = 0.1f;
    types[2].onDeathEffect = types[2].onHitEffect = 1;
    types[2].onDeathFragment = types[2].onHitFragment = 0;
    types[3].homingRange = 1000;
    types[3].turnSpeed = 0.01f;
    types[4].numProjectiles = 3;
    types[4].spread = 0.2f;
    types[4].uniformSpread = true;
    return types;
}

// Factions 0 and 1 are at war, 2 is neutral to both.
class CombatArena : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        saved = WEAPONDATA;
        WEAPONDATA = arenaWeapons();
        u().shipTypes.resize(1);
        u().shipTypes[0] = {"Gunboat", 0, 0, 0.001f, 100, {0}, "", 0, 0, 0, 0, 20};
        u().factionRelations = {{100, -100, 0}, {-100, 100, 0}, {0, 0, 100}};
        u().worlds.emplace_back("Arena", 100000);
        u().worlds.emplace_back("Elsewhere", 100000);
        u().currentWorld = &u().worlds[0];
        testing::internal::CaptureStdout();
        u().player = std::make_unique<Player>(point{0, -90000}, 0.002f, 0.001f, 0.004f, 800, 30, u().shaderList,
                                              std::vector<unsigned int>{0, 1}, u().getGravToolData("Well"), "Ion",
                                              "Plate", u());
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override { WEAPONDATA = saved; }

    Universe& u() { return *test.universe; }
    WorldState& world() { return u().worlds[0]; }
    Player& player() { return *u().player; }
    Ship& shipAt(point p, short faction = 1, int worldIndex = 0) {
        testing::internal::CaptureStdout();
        Ship& ship = u().worlds[worldIndex].ships.emplace_back(p, "Gunboat", faction, u());
        testing::internal::GetCapturedStdout();
        return ship;
    }
    Projectile& shotAt(point p, int type, float heading, unsigned int shooter = NO_SHOOTER) {
        return world().projectiles.emplace_front(p, heading, world(), type, 0, 0, 0, std::vector<short>{}, shooter);
    }

    EntityTestUniverse test;
    std::vector<projectileData> saved;
};
