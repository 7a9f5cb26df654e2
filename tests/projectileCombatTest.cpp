// Shots in combat: the spawn fan, expiry and arming, hits and their fragments, homing locks.
#include <cmath>
#include <set>

#include "combatArena.h"

class ProjectileCombat : public CombatArena {
protected:
    void TearDown() override {
        world().projectiles.clear();
        CombatArena::TearDown();
    }
    bool step(Projectile& shot, int dt) { return shot.update(dt, world(), u(), 0); }
    // A type 0 shot read back from a save, at the origin flying up at speed 1.
    Projectile& savedBoltAt0(const std::string& lifetimeRemaining) {
        return world().projectiles.emplace_front(
            test.parse(R"(<projectileData x="0" y="0" xSpd="0" ySpd="1" lifetimeRemaining=")" + lifetimeRemaining +
                       R"(" theta="0" shotType="0" faction="0" targetedShipID="0"/>)"),
            u());
    }
};

// The last shot spawned is at the front; a random fan steps in fiftieths of a radian from its edge,
// or not at all below one step.
TEST_F(ProjectileCombat, TheFanSpreadsEvenlyOrRandomlyWithinTheSpread) {
    projectileSpawn(4, {0, 0}, {0, 0}, 1.0f, world(), 0);
    ASSERT_EQ(world().projectiles.size(), 3u);
    EXPECT_NEAR(world().projectiles.front().getTheta(), 1.1f, 2e-3);
    EXPECT_NEAR(world().projectiles.back().getTheta(), 0.9f, 2e-3);
    WEAPONDATA[4].uniformSpread = false;
    WEAPONDATA[4].numProjectiles = 40;
    for (float spread : {1.0f, 0.01f}) {
        WEAPONDATA[4].spread = spread;
        world().projectiles.clear();
        projectileSpawn(4, {0, 0}, {0, 0}, 1.0f, world(), 0);
        std::set<long> steps;
        for (const Projectile& shot : world().projectiles) {
            const float step = (shot.getTheta() - (1.0f - spread / 2)) * 50;
            EXPECT_NEAR(step, std::round(step), 0.1f) << spread;
            steps.insert(std::lround(step));
        }
        EXPECT_GE(*steps.begin(), 0) << spread;
        EXPECT_LT(*steps.rbegin(), std::lround(spread * 50)) << spread;
        if (spread < 0.02f)
            EXPECT_EQ(steps.size(), 1u) << "no room for an offset";
        else
            EXPECT_GT(steps.size(), 10u) << "40 shots over 50 steps";
    }
}

TEST_F(ProjectileCombat, AShotExpiresWithItsDeathEffectInsteadOfItsFragmentsAndHomingNeverReversesIt) {
    Projectile& bolt = shotAt({0, 0}, 0, 0);
    EXPECT_TRUE(step(bolt, 1000)) << "exactly its lifetime left";
    EXPECT_FALSE(step(bolt, 1));
    world().projectiles.clear();
    EXPECT_FALSE(step(shotAt({0, 0}, 2, 0), 1001));
    EXPECT_EQ(world().projectiles.size(), 1u) << "no fragment beside the shockwave";
    EXPECT_EQ(world().timers.size(), 1u);
    Projectile& missile = shotAt({0, 0}, 3, 0);
    step(missile, 900);  // longer than the homing drag allows: it stops, never turns back
    EXPECT_GE(missile.getVelocity().y, 0.0f);
}

// A negative lifetime stands still however long the shot flies, however far below zero it was saved,
// and the shot still arms after 100 ms.
TEST_F(ProjectileCombat, ANegativeLifetimeNeverRunsOutNorKeepsTheShotFromArming) {
    const struct {
        int32_t lifetime;
        const char* savedRemaining;  // null: a new shot
        int32_t remaining;
    } cases[] = {{-1, nullptr, -1}, {INT32_MIN, nullptr, INT32_MIN}, {1000, "-3e9", INT32_MIN}};
    for (const auto& c : cases) {
        WEAPONDATA[0].lifetime = c.lifetime;
        Ship& ship = shipAt({0, 1000});
        Projectile& bolt = c.savedRemaining ? savedBoltAt0(c.savedRemaining) : shotAt({0, 0}, 0, 0);
        EXPECT_TRUE(step(bolt, 101)) << c.lifetime;
        EXPECT_EQ(bolt.getLifetimeRemaining(), c.remaining) << c.lifetime;
        EXPECT_FALSE(step(bolt, 2000)) << c.lifetime;
        EXPECT_FLOAT_EQ(ship.getHitpoints(), 90.0f) << "armed, it hit the ship on its path " << c.lifetime;
        world().ships.clear();
        world().projectiles.clear();
    }
    WEAPONDATA[0].lifetime = 1000;
    Ship& ship = shipAt({0, 50});
    EXPECT_FALSE(step(savedBoltAt0("500"), 101)) << "a loaded shot has lived its lifetime less what remains";
    EXPECT_FLOAT_EQ(ship.getHitpoints(), 90.0f);
}

TEST_F(ProjectileCombat, AnArmedShotHitsTheNearestShipOnItsPathAndFiresItsHitFragmentsAndEvent) {
    Ship& far = shipAt({0, 300});
    Ship& near = shipAt({0, 200});
    Projectile& wave = shotAt({0, 0}, 2, 0);
    EXPECT_TRUE(step(wave, 100)) << "unarmed for its first 100 ms";
    EXPECT_TRUE(step(wave, 1)) << "nothing on its path yet";
    EXPECT_FALSE(step(wave, 150));
    EXPECT_FLOAT_EQ(near.getHitpoints(), 99.9f);
    EXPECT_FLOAT_EQ(far.getHitpoints(), 100.0f);
    EXPECT_EQ(world().projectiles.front().getType(), 0) << "the hit fragment";
    EXPECT_EQ(world().timers.size(), 2u) << "explosion and shockwave";
}

TEST_F(ProjectileCombat, AShipBeatsThePlayerOnATieAndAShotAtRestHitsNothing) {
    Ship& ship = shipAt({-10, 250});
    player().x = 10;
    player().y = 250;
    Projectile& bolt = shotAt({0, 0}, 0, 0);
    step(bolt, 101);
    EXPECT_TRUE(step(bolt, 100));
    EXPECT_FALSE(step(bolt, 100));
    EXPECT_FLOAT_EQ(ship.getHitpoints(), 90.0f);
    EXPECT_FLOAT_EQ(player().getHealth(), 800.0f);
    WEAPONDATA[0].speed = 0;
    Projectile& still = shotAt({-10, 250}, 0, 0);
    step(still, 101);
    EXPECT_TRUE(step(still, 10));
}

// Ship 0 can be homed on, the shooter never; a lost lock is not replaced in the same frame.
TEST_F(ProjectileCombat, AMissileLocksTheNearestShipButItsShooterAndHoldsItToTwiceItsRange) {
    Ship& first = shipAt({0, 500});
    Ship& second = shipAt({0, 800});
    ASSERT_EQ(first.getID(), 0u);
    Projectile& missile = shotAt({0, 0}, 3, 1.57f);
    step(missile, 1);
    EXPECT_TRUE(missile.hasLock() && missile.getTargetedShipID() == 0);
    EXPECT_NEAR(missile.getTheta(), 1.5708f - 0.01f, 1e-4) << "it turns toward the ship at once, by turnSpeed x dt";
    Projectile& own = shotAt({0, 0}, 3, 0, first.getID());
    step(own, 1);
    EXPECT_EQ(own.getTargetedShipID(), second.getID());
    first.addGravNonCollidable({0, 2100});  // one ms carries it beyond twice the range
    first.update(1, 0, u(), nullptr);
    step(missile, 1);
    EXPECT_FALSE(missile.hasLock());
    step(missile, 1);
    EXPECT_EQ(missile.getTargetedShipID(), second.getID());
}
