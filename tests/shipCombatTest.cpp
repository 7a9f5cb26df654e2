// AI ships, the player's guns and defence satellites in combat: targets, ranges, arcs and the faults they had.
#include <cmath>
#include <optional>

#include "capturedOutput.h"
#include "combatArena.h"
#include "planet.h"
#include "shipGrid.h"
#include "worldDrivers.h"

class ShipCombat : public CombatArena {
protected:
    // The shots fn fired, which are then cleared.
    template <class Fn>
    size_t shotsFiredBy(Fn fn) {
        captured(fn);
        const size_t fired = world().projectiles.size();
        world().projectiles.clear();
        return fired;
    }
    bool update(Ship& ship, int dt = 10) { return ship.update(dt, 0, u(), &player()); }
    void placePlayer(point p) { player().x = p.x, player().y = p.y; }
    // Faction 1 is at war with 3, which is not with it, and 4 with 1, unanswered.
    void oneSidedRelations() {
        u().factionRelations = {
            {100, -100, 0, 0, 0}, {-100, 100, 0, -100, 0}, {0, 0, 100, 0, 0}, {0, 0, 0, 100, 0}, {0, -100, 0, 0, 100}};
    }
};

// The gun reaches 3000 (speed 1, lifetime 3000), beyond the 2000 within which ships are targets; the
// shot's direction tells which target was chosen. Every case runs on the plain scan and on the grid.
// The gunner is of faction 1, whose relations are one-sided.
TEST_F(ShipCombat, AShipFiresAtTheNearestHostileShipWithin2000OrAtThePlayerInItsWeaponsRange) {
    WEAPONDATA[0].lifetime = 3000;
    oneSidedRelations();
    const point far{0, -90000};
    const struct {
        short otherFaction;
        point other, playerAt;
        const char* why;
        std::optional<point> aim;  // none: no shot
        point playerVelocity{0, 0};
    } cases[] = {
        {0, {1999, 0}, far, "hostile and nearer than 2000", point{1999, 0}},
        {0, {2000, 0}, far, "hostile, not nearer than 2000", std::nullopt},
        {2, {900, 0}, far, "neutral", std::nullopt},
        {3, {900, 0}, far, "hostile to it, not hostile back", point{900, 0}},
        {4, {900, 0}, far, "hostile back only", std::nullopt},
        {0, {900, 0}, {-901, 0}, "the nearer of a hostile ship and the player", point{900, 0}},
        {0, {900, 0}, {-900, 0}, "a tie goes to the player", point{-900, 0}},
        {2, {0, 9000}, {2999, 0}, "the player, within the gun's reach", point{2999, 0}},
        {2, {0, 9000}, {3000, 0}, "the player at the gun's reach", std::nullopt},
        {2, {0, 9000}, {65536, 0}, "its squared distance is 2^32: it must not look near", std::nullopt},
        // Five steps of t = distance to the aim / speed, aim = P + W / 5 * k * t, by hand.
        {2, {0, 9000}, {1000, 0}, "the player, led", point{1000, 541.983f}, {0, 0.5f}},
    };
    for (bool onGrid : {false, true})
        for (const auto& c : cases) {
            world().ships.clear();
            Ship& gunner = shipAt({0, 0}, 1);
            shipAt(c.other, c.otherFaction);
            placePlayer(c.playerAt);
            player().setVelocity(c.playerVelocity);
            enableShipGrid(onGrid);
            captured([&] {
                ShipGridLoan loan(world(), 500);
                update(gunner);
            });
            enableShipGrid(true);
            ASSERT_EQ(world().projectiles.size(), c.aim ? 1u : 0u) << c.why << (onGrid ? " (grid)" : "");
            if (!c.aim) continue;
            const point v = world().projectiles.front().getVelocity();
            const point a = *c.aim;
            const float offAim = std::atan2(v.x * a.y - v.y * a.x, v.x * a.x + v.y * a.y);
            EXPECT_NEAR(offAim, 0, 2e-3) << c.why << (onGrid ? " (grid)" : "");
            world().projectiles.clear();
        }
    // Without relations ships are neither friend nor foe: the near ship is no target, the far player out of reach.
    world().ships.clear();
    Ship& gunner = shipAt({0, 0}, 1);
    shipAt({900, 0}, 0);
    placePlayer(far);
    u().factionRelations.clear();
    EXPECT_EQ(shotsFiredBy([&] { update(gunner); }), 0u);
}

// Outside the ring the ship thrusts toward the target, on it and inside away; a negative thrust reverses
// both. Only a thrust that would make the steering NaN leaves the ship adrift.
TEST_F(ShipCombat, ThrustSteersTowardTheTargetOutsideTheRingAndAwayOnItOrInReverseWhenNegative) {
    const point far{-5000, 0};
    const struct {
        float thrust;
        point goTo, pull;
        float speed;  // along x after 10 ms from rest
    } cases[] = {
        {0.001f, far, {0, 0}, -0.01f},      {0.001f, {-10, 0}, {0, 0}, 0.01f},  {0.001f, {-11, 0}, {0, 0}, -0.01f},
        {-0.001f, far, {0, 0}, 0.01f},      {-0.001f, {-10, 0}, {0, 0}, -0.01f},
        {-0.001f, far, {1e-15f, 0}, 0.01f},  // a pull too faint to steer against
        {0, far, {0, 0}, 0},                {NAN, far, {0, 0}, 0},              {INFINITY, far, {0, 0}, 0},
    };
    for (const auto& c : cases) {
        u().shipTypes[0].thrust = c.thrust;
        Ship& ship = shipAt({0, 0});
        ship.setAI(1);
        ship.setDestinationPoint(c.goTo);
        ship.addGrav(c.pull);
        update(ship);
        EXPECT_FLOAT_EQ(ship.getVelocity().x, c.speed) << c.thrust << " " << c.goTo.x;
        EXPECT_EQ(ship.getVelocity().y, 0.0f) << c.thrust << " " << c.goTo.x;
        world().ships.clear();
    }
}

// No thrust, a negative one, a pull beyond measure, a frame longer than the drag: never NaN, never reversed.
TEST_F(ShipCombat, SteeringStaysFiniteAndDragNeverReversesAShip) {
    const struct {
        float thrust;
        point pull;
        int dt, ai;
    } cases[] = {
        {0, {0.01f, 0}, 10, 1}, {-0.001f, {0.01f, 0}, 10, 1}, {0.001f, {1e6f, 0}, 10, 1}, {0.001f, {0, 0}, 5000, 0}};
    for (const auto& c : cases) {
        u().shipTypes[0].thrust = c.thrust;
        Ship& ship = shipAt({0, 0});
        ship.setAI(c.ai);
        ship.setDestinationPoint({-5000, 0});
        ship.addGravNonCollidable({0.5f, 0});
        ship.registerCollidable(500, {1, 0});
        ship.addGrav(c.pull);
        update(ship, c.dt);
        EXPECT_TRUE(std::isfinite(ship.getPos().x) && std::isfinite(ship.getPos().y)) << c.thrust << " " << c.dt;
        if (c.ai == 0) {
            EXPECT_GE(ship.getVelocity().x, 0.0f);
        }
    }
}

// After 10 ms of drag (x 0.995) a ship beyond a bound of +-100000 stands on it and keeps only the part
// of its velocity that does not lead outward.
TEST_F(ShipCombat, ABoundStopsOnlyTheOutwardMotion) {
    const struct {
        point start, push, end, velocity;
    } cases[] = {
        {{99990, 0}, {2, 0.5f}, {100000, 4.975f}, {0, 0.4975f}},
        {{-99990, 99990}, {-2, 3}, {-100000, 100000}, {0, 0}},
        {{0, -99990}, {-1, -2}, {-9.95f, -100000}, {-0.995f, 0}},
        {{100050, 0}, {-1, 0}, {100000, 0}, {-0.995f, 0}},  // already beyond, coming back
    };
    for (const auto& c : cases) {
        Ship& ship = shipAt(c.start);
        ship.addGravNonCollidable(c.push);
        update(ship);
        EXPECT_FLOAT_EQ(ship.getPos().x, c.end.x) << c.start.x << " " << c.start.y;
        EXPECT_FLOAT_EQ(ship.getPos().y, c.end.y) << c.start.x << " " << c.start.y;
        EXPECT_FLOAT_EQ(ship.getVelocity().x, c.velocity.x) << c.start.x << " " << c.start.y;
        EXPECT_FLOAT_EQ(ship.getVelocity().y, c.velocity.y) << c.start.x << " " << c.start.y;
        world().ships.clear();
    }
}

TEST_F(ShipCombat, ARamCostsThePlayerHalfTheShipsHitPointsAndADeadShipExplodes) {
    EXPECT_FALSE(update(shipAt({20, -90000})));
    EXPECT_FLOAT_EQ(player().getHealth(), 750.0f);
    EXPECT_TRUE(world().timers.empty());
    Ship& wreck = shipAt({0, 0});
    wreck.takeDamage(100);
    EXPECT_FALSE(update(wreck));
    EXPECT_EQ(world().timers.size(), 1u);

}

TEST_F(ShipCombat, OverlappingShipsPushApartBesideANaNShipAndAFollowerOfAShipElsewhereStops) {
    shipAt({NAN, 0});
    Ship& a = shipAt({0, 0});
    Ship& b = shipAt({10, 0});
    processShips(u(), &player(), 0, 0);
    EXPECT_LT(a.getVelocity().x, 0.0f);
    EXPECT_FLOAT_EQ(b.getVelocity().x, -a.getVelocity().x);
    EXPECT_TRUE(std::isfinite(a.getVelocity().y) && std::isfinite(b.getVelocity().y));

    a.setAI(2);
    a.setDestinationShip(shipAt({0, 0}, 1, 1).getID());
    EXPECT_EQ(captured([&] { update(a); }), "Ship missing, moving to stationary AI type\n");
    EXPECT_EQ(a.getAI(), 0);
}

// rel is the target's bearing clockwise from the nose; a landed ship's heading grows without bound.
// A shot goes to the target, not along the heading: the arc only decides whether it is fired.
TEST_F(ShipCombat, ThePlayerFiresWithinTheArcAcrossTheNoseOrAwayFromItWhateverItsHeading) {
    const struct {
        float lo, hi, heading, rel;
        size_t shots;
    } cases[] = {{5.5f, 0.8f, 0, 0, 1}, {5.5f, 0.8f, 0, 1.5708f, 0}, {0.8f, 5.5f, 0, 0, 0},
                 {0.8f, 5.5f, 0, 1.5708f, 1}, {0.8f, 5.5f, 0, 0.8f, 1}, {0.8f, 5.5f, 628.318f, 3.14f, 1}};
    for (const auto& c : cases) {
        WEAPONDATA[0].minAngle = c.lo;
        WEAPONDATA[0].maxAngle = c.hi;
        player().setAngle(c.heading);
        player().update(1000, {0, 0}, 0, world());  // every slot cools
        const float bearing = c.heading - c.rel;
        const point toTarget{1000 * std::cos(bearing), 1000 * std::sin(bearing)};
        const point target{player().x + toTarget.x, player().y + toTarget.y};
        captured([&] { player().shoot(0, world(), target, 10); });
        ASSERT_EQ(world().projectiles.size(), c.shots) << c.lo << " " << c.rel;
        if (c.shots) {
            const point v = world().projectiles.front().getVelocity();
            const point own = player().getVelocity();
            EXPECT_NEAR(v.x - own.x, toTarget.x / 1000, 1e-3) << c.lo << " " << c.rel;
            EXPECT_NEAR(v.y - own.y, toTarget.y / 1000, 1e-3) << c.lo << " " << c.rel;
        }
        world().projectiles.clear();
    }
    EXPECT_EQ(shotsFiredBy([&] { player().shoot(0, world(), {0, 0}, 10); }), 0u) << "the slot is cooling";
}

TEST_F(ShipCombat, TheBeamBurnsTheNearestShipOnItsRayUnlessAStarOrPlanetStandsBefore) {
    Ship& far = shipAt({0, -88000});
    Ship& near = shipAt({40, -89000});
    player().setWeapon(1);
    player().shoot(0, world(), {0, -85000}, 10);
    EXPECT_FLOAT_EQ(near.getHitpoints(), 95.0f);
    EXPECT_FLOAT_EQ(far.getHitpoints(), 100.0f);
    world().stars.emplace_back(point{0, -89500}, 100, 0, 0, "Shield");
    player().shoot(0, world(), {0, -85000}, 10);
    EXPECT_FLOAT_EQ(near.getHitpoints(), 95.0f);
}

// The satellite stands at (200, 0), 100 above a planet of radius 100; its laser reaches 1000.
TEST_F(ShipCombat, ASatelliteLasersTheNearestHostileInRangeAndInSight) {
    satelliteStats stats;
    stats.orbitalRadius = 100;
    stats.laserRange = 1000;
    stats.laserDamage = 1;
    oneSidedRelations();
    const struct {
        short owner, shipFaction;
        point ship, playerAt;
        float shipAfter, playerLoss;
    } cases[] = {
        {1, 0, {1199, 0}, {0, -90000}, 90, 0},   // hostile, one unit inside the range
        {1, 0, {1200, 0}, {0, -90000}, 100, 0},  // at the range
        {1, 0, {-500, 0}, {0, -90000}, 100, 0},  // behind the planet
        {0, 1, {700, 0}, {400, 0}, 100, 0},      // a friendly player nearer shields it
        {1, 2, {0, 9000}, {400, 0}, 100, 10},    // a hostile player
        {-1, 2, {0, 9000}, {200, 50000}, 100, 0},  // an unowned planet's satellite and a far player
        {7, 1, {700, 0}, {0, -90000}, 90, 0},    // an owner that is no faction is hostile to all
        {1, 3, {700, 0}, {0, -90000}, 90, 0},    // hostile to the ship's faction, which is not back
        {1, 4, {700, 0}, {0, -90000}, 100, 0},   // the ship's faction is hostile to the owner, unanswered
    };
    for (const auto& c : cases) {
        world().ships.clear();
        Ship& ship = shipAt(c.ship, c.shipFaction);
        placePlayer(c.playerAt);
        const float health = player().getHealth();
        planetData data;
        data.factionOwner = c.owner;
        Planet planet(0, 100, 0, 0, 0, 0, 0, 0, 0, "Guarded", data, {});
        planet.setSats(&stats, 1);
        planet.update(world(), &player(), 10, {0, 0}, u());
        EXPECT_FLOAT_EQ(ship.getHitpoints(), c.shipAfter) << c.owner << " " << c.ship.x;
        EXPECT_FLOAT_EQ(health - player().getHealth(), c.playerLoss) << c.owner << " " << c.ship.x;
    }
}
