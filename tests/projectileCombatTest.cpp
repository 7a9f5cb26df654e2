// Shots in combat: the spawn fan, expiry and arming, hits and their fragments, homing locks.
#include "combatArena.h"

class ProjectileCombat : public CombatArena {
protected:
    void TearDown() override {
        world().projectiles.clear();
        CombatArena::TearDown();
    }
    bool step(Projectile& shot, int dt) { return shot.update(dt, world(), u(), 0); }
};

// The last shot spawned is at the front; a random fan steps in fiftieths of a radian, or not at all below one.
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
        for (const Projectile& shot : world().projectiles)
            EXPECT_NEAR(shot.getTheta(), 1.0f, spread / 2 + 2e-3) << spread;
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
    EXPECT_LT(missile.getTheta(), 1.57f) << "it turns toward the ship at once";
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
