// Stars and planets in play: orbit steps, script ticks, pull and swallowing, landing and holding,
// satellites' places and drilling.
#include <algorithm>
#include <cmath>
#include <limits>

#include "capturedOutput.h"
#include "playerGame.h"
#include "star.h"

class BodyFrame : public PlayerGame {
protected:
    void SetUp() override {
        PlayerGame::SetUp();
        world = &universe->worlds.front();
        world->projectiles.clear();
        world->luaState = s.lua;
    }
    // Radius 100 and density 1e-6, so the pull reaches ten radii; orbiting the origin.
    Planet planet(float orbitRadius, float orbitDegreesPerMs, int id = 5) {
        testing::internal::CaptureStdout();
        Planet made(id, 100, 1e-6f, orbitRadius, orbitDegreesPerMs, 0, 0.01f, 0, 0, "P", planetData(), {});
        testing::internal::GetCapturedStdout();
        made.skipTime(0, {0, 0});
        return made;
    }
    void placePlayer(point at, point velocity) {
        player().x = at.x;
        player().y = at.y;
        player().setVelocity(velocity);
    }
    WorldState* world = nullptr;
};

TEST_F(BodyFrame, OrbitStepsAgreeWithTheSkipEvenAfterAVeryLongGame) {
    for (long past : {0L, 3600000000L}) {
        Planet stepped = planet(1000, 0.0007f);
        stepped.skipTime(past, {0, 0});
        Planet skipped = stepped;
        const point start = stepped.getPos();
        stepped.update(*world, nullptr, 0, {0, 0}, *universe);
        EXPECT_EQ(stepped.getPos().x, start.x) << "a frame of 0 ms only draws";
        for (int i = 0; i < 10; ++i) stepped.update(*world, nullptr, 100, {0, 0}, *universe);
        skipped.skipTime(1000, {0, 0});
        EXPECT_NEAR(pointDistance(stepped.getPos(), skipped.getPos()), 0, 0.5f) << past;
        EXPECT_NEAR(pointDistance(stepped.getPos(), start), 1000 * 0.0007f * 3.14f / 180 * 1000, 0.5f) << past;
    }
}

TEST_F(BodyFrame, PlanetTickCallsAboveASecondAtMostOnceAFrame) {
    ASSERT_EQ(luaL_dostring(s.lua, "calls = 0 function planetTick(id) calls = calls + id; error({}) end"), 0);
    Planet ticking = planet(0, 0, 1);
    int before = 0;
    for (const auto& frame : {std::pair{1000, 0}, {1, 1}, {2500, 2}, {1, 3}}) {
        testing::internal::CaptureStdout();
        ticking.update(*world, nullptr, frame.first, {0, 0}, *universe);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  frame.second > before ? "Lua event error, (error value without text)\n" : "");
        lua_getglobal(s.lua, "calls");
        EXPECT_EQ(lua_tointeger(s.lua, 1), frame.second) << frame.first << " ms";
        lua_settop(s.lua, 0);
        before = frame.second;
    }
}

TEST_F(BodyFrame, AStarSwallowsAtItsRadiusAndPullsUpToItsRange) {
    Star star({0, 0}, 100, 1e-6f, 14, "S");
    const float range = 100 * 10.0f * 1e-6f / 1e-6f;
    for (float x : {100.0f, -100.0f, range, range + 1})
        world->projectiles.emplace_back(point{x, 0}, 0, *world, 0, 0, 0, 0, std::vector<short>{});
    const size_t ships = world->ships.size(), timers = world->timers.size();
    const unsigned swallowed = world->ships.emplace_back(point{0, 100}, universe->shipTypes[0].name, 1, *universe).getID();
    for (const auto& [y, pulled] : {std::pair{0.0f, false}, {1 - range, true}, {-range, false}}) {
        placePlayer({0, y}, {0, 0});
        star.update(*world, &player(), 10, *universe);
        EXPECT_EQ(player().getVelocity().y > 0, pulled) << y;
        EXPECT_FALSE(std::isnan(player().getVelocity().x)) << y;
    }
    ASSERT_EQ(world->projectiles.size(), 2u) << "both shots at the radius are gone";
    EXPECT_LT(world->projectiles.front().getVelocity().x, 0.0f) << "pulled at exactly the range";
    EXPECT_EQ(world->projectiles.back().getVelocity().x, 0.0f);
    EXPECT_EQ(world->ships.size(), ships);
    EXPECT_EQ(world->timers.size(), timers + 4) << "two shots, a ship and the player inside explode";
    EXPECT_EQ(universe->getShip(swallowed), nullptr);
}

// A radius of 1e13 overflows the mass; with a radius of 1e5 the stored density 3e32 overflows
// the pull. The player inside, on the body's axis, is pulled straight in and as hard as a float holds.
TEST_F(BodyFrame, APullTooStrongForAFloatStillPointsAtTheBody) {
    for (const auto& [radius, density] : {std::pair{1e13f, 1e-6f}, {1e5f, 3e32f}}) {
        Star star({0, 0}, radius, density, 14, "Heavy");
        for (int dt : {10, 0}) {
            placePlayer({0, 5e4f}, {0, 0});
            star.update(*world, &player(), dt, *universe);
            EXPECT_EQ(player().getVelocity().x, 0.0f) << radius << ", " << dt << " ms";
            EXPECT_EQ(player().getVelocity().y, dt ? -std::numeric_limits<float>::max() : 0.0f) << radius;
        }
    }
}

TEST_F(BodyFrame, LandingAtARelativeSpeedOfOneIsACrashOfNoDamage) {
    for (const auto& [speed, damage] : {std::pair{0.99f, 0.0f}, {1.0f, 0.0f}, {1.5f, 50.0f}}) {
        testing::internal::CaptureStdout();
        newPlayer();
        testing::internal::GetCapturedStdout();
        const float health = player().getHealth();
        const size_t timers = world->timers.size();
        placePlayer({-100 - player().getRadius(), 0}, {speed, 0});
        planet(0, 0, 7).update(*world, &player(), 1, {0, 0}, *universe);
        EXPECT_EQ(player().getPlanetId(), 7) << speed;
        EXPECT_EQ(world->timers.size() - timers, speed < 1 ? 0u : 1u) << "a crash explodes";
        EXPECT_FLOAT_EQ(player().getHealth(), health - damage) << speed;
    }
}

TEST_F(BodyFrame, AHeldShipRidesAPlanetThatMovesFarInOneFrame) {
    Planet fast = planet(1000, 0.05f);
    const float surface = 100 + player().getRadius();
    placePlayer({1000 + surface, 0}, {0, 0});
    player().setLanded(5);
    fast.update(*world, &player(), 100, {0, 0}, *universe);
    const float moved = pointDistance(fast.getPos(), {1000, 0});
    ASSERT_GT(moved, 10.0f);
    EXPECT_NEAR(pointDistance(player().getPos(), fast.getPos()), surface, 0.1f);
    EXPECT_NEAR(magnitude(player().getVelocity()), moved / 100, 0.05f) << "per ms, as the planet moves";
}

// A ship 600 from the centre of a body of radius 100 is 500 above its surface: it must steer as one
// told so by hand, with the same pull, does far from any body.
TEST_F(BodyFrame, AStarOrPlanetTellsAShipItsDistanceFromTheSurface) {
    Star star({0, 0}, 100, 1e-6f, 14, "S");
    Planet still = planet(0, 0);
    for (bool isStar : {true, false}) {
        Ship* near = nullptr;
        Ship* told = nullptr;
        captured([&] {
            near = &world->ships.emplace_back(point{0, 600}, universe->shipTypes[0].name, 1, *universe);
            told = &world->ships.emplace_back(point{50000, 600}, universe->shipTypes[0].name, 1, *universe);
        });
        near->setAI(1);
        near->setDestinationPoint({5000, 600});
        told->setAI(1);
        told->setDestinationPoint({55000, 600});
        const float mass = isStar ? star.getMass() : still.getMass();
        told->registerCollidable(500, {0, -1});
        told->addGrav({0, -mass / (600.0f * 600.0f) * 10 * 1e-6f});
        captured([&] {
            if (isStar) star.update(*world, nullptr, 10, *universe);
            else still.update(*world, nullptr, 10, {0, 0}, *universe);
            near->update(10, 0, *universe, nullptr);
            told->update(10, 0, *universe, nullptr);
        });
        EXPECT_NEAR(near->getVelocity().x, told->getVelocity().x, 1e-6f) << (isStar ? "star" : "planet");
        EXPECT_NEAR(near->getVelocity().y, told->getVelocity().y, 1e-6f) << (isStar ? "star" : "planet");
        for (Ship* ship : {near, told}) universe->removeShip(ship->getID());
        world->ships.pop_back();
        world->ships.pop_back();
    }
}

// Four satellites standing still 10000 from the planet's centre: a quarter of the circle is 1.57 radians.
TEST_F(BodyFrame, SatellitesStandAQuarterOf628RadiansApart) {
    satelliteStats still;
    still.orbitalRadius = 9900;
    Planet guarded = planet(0, 0);
    guarded.setSats(&still, 4);
    guarded.update(*world, nullptr, 10, {0, 0}, *universe);
    const point expected[] = {{10000, 0}, {7.963f, 9999.997f}, {-9999.987f, 15.927f}, {-23.890f, -9999.971f}};
    ASSERT_EQ(guarded.getSatellites().size(), 4u);
    for (size_t i = 0; i < 4; i++) {
        EXPECT_NEAR(guarded.getSatellites()[i].getPos().x, expected[i].x, 0.05f) << i;
        EXPECT_NEAR(guarded.getSatellites()[i].getPos().y, expected[i].y, 0.05f) << i;
    }
}

// A shipped barge's drill, 100 ms beside the first planet: it reaches 600 beyond the surface.
TEST_F(BodyFrame, ADrillWearsDownAPlanetWithinItsReachOfTheSurface) {
    const auto drill = std::find_if(WEAPONDATA.begin(), WEAPONDATA.end(),
                                    [](const projectileData& type) { return type.name == "Planet Drill"; });
    ASSERT_NE(drill, WEAPONDATA.end());
    Planet& drilled = world->stars.at(0).getPlanets().at(0);
    for (const auto& [gap, reached] : {std::pair{599.0f, true}, {601.0f, false}}) {
        const float health = drilled.getHealth();
        const point beside{drilled.getPos().x + drilled.getRadius() + gap, drilled.getPos().y};
        captured([&] {
            world->ships.emplace_back(beside, "Mining Barge", 2, *universe).update(100, 0, *universe, &player());
        });
        EXPECT_NEAR(health - drilled.getHealth(), reached ? drill->damage * 100 : 0, 1e-4f) << gap;
        universe->removeShip(world->ships.back().getID());
        world->ships.pop_back();
    }
}
