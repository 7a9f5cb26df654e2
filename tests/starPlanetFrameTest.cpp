// Stars and planets in play: orbit steps, script ticks, pull and swallowing, landing and holding.
#include <cmath>

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
    // Radius 100 and density 1e-6: the pull reaches 1000 units.
    Planet planet(float orbitRadius, float orbitDegreesPerMs, int id = 5) {
        testing::internal::CaptureStdout();
        Planet made(id, 100, 1e-6f, orbitRadius, orbitDegreesPerMs, 0, 0.01f, 0, 0, "P", planetData(), {});
        testing::internal::GetCapturedStdout();
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
        EXPECT_NEAR(stepped.getPos().x, skipped.getPos().x, 0.5f) << past;
        EXPECT_NEAR(stepped.getPos().y, skipped.getPos().y, 0.5f) << past;
        EXPECT_NEAR(pointDistance(stepped.getPos(), start), 1000 * 0.0007f * 3.14f / 180 * 1000, 0.5f) << past;
    }
}

TEST_F(BodyFrame, PlanetTickCallsAboveASecondAtMostOnceAFrame) {
    ASSERT_EQ(luaL_dostring(s.lua, "calls = 0 function planetTick(id) calls = calls + id; error({}) end"), 0);
    Planet ticking = planet(0, 0, 1);
    const struct { int dt, calls; } frames[] = {{1000, 0}, {1, 1}, {2500, 2}, {1, 3}};
    int before = 0;
    for (const auto& frame : frames) {
        testing::internal::CaptureStdout();
        ticking.update(*world, nullptr, frame.dt, {0, 0}, *universe);
        const std::string out = testing::internal::GetCapturedStdout();
        lua_getglobal(s.lua, "calls");
        EXPECT_EQ(lua_tointeger(s.lua, -1), frame.calls) << frame.dt;
        lua_pop(s.lua, 1);
        EXPECT_EQ(lua_gettop(s.lua), 0);
        EXPECT_EQ(out, frame.calls > before ? "Lua event error, (error object is a table value)\n" : "");
        before = frame.calls;
    }
}

TEST_F(BodyFrame, AStarSwallowsAtItsRadiusAndPullsUpToItsRange) {
    Star star({0, 0}, 100, 1e-6f, 14, "S");
    const float range = 100 * 10.0f * 1e-6f / 1e-6f;  // ten radii times the density in the file
    for (float x : {100.0f, -100.0f, range, range + 1})
        world->projectiles.emplace_back(point{x, 0}, 0, *world, 0, 0, 0, 0, std::vector<short>{});
    const size_t ships = world->ships.size();
    world->ships.emplace_back(point{0, 100}, universe->shipTypes[0].name, 1, *universe);
    const unsigned shipID = world->ships.back().getID();
    const struct { point at; bool pulled; } players[] = {{{0, 0}, false}, {{0, 1 - range}, true}, {{0, -range}, false}};
    for (const auto& c : players) {
        placePlayer(c.at, {0, 0});
        star.update(*world, &player(), 10, *universe);
        EXPECT_EQ(player().getVelocity().y != 0, c.pulled) << c.at.y;
        EXPECT_FALSE(std::isnan(player().getVelocity().x)) << c.at.y;
    }
    ASSERT_EQ(world->projectiles.size(), 2u) << "both shots at the radius are gone";
    EXPECT_LT(world->projectiles.front().getVelocity().x, 0.0f) << "pulled at exactly the range";
    EXPECT_EQ(world->projectiles.back().getVelocity().x, 0.0f);
    EXPECT_EQ(world->ships.size(), ships);
    EXPECT_EQ(universe->getShip(shipID), nullptr);
}

TEST_F(BodyFrame, TouchingDownAtARelativeSpeedOfOneIsACrashThatLands) {
    const struct { float speed, damage; } cases[] = {{0.99f, 0}, {1.0f, 0}, {1.5f, 50}};
    for (const auto& c : cases) {
        testing::internal::CaptureStdout();
        newPlayer();
        testing::internal::GetCapturedStdout();
        const float health = player().getHealth();
        Planet still = planet(0, 0, 7);
        placePlayer({-100 - player().getRadius(), 0}, {c.speed, 0});
        still.update(*world, &player(), 1, {0, 0}, *universe);
        EXPECT_TRUE(player().isLanded()) << c.speed;
        EXPECT_EQ(player().getPlanetId(), 7) << c.speed;
        EXPECT_FLOAT_EQ(player().getHealth(), health - c.damage) << c.speed;
    }
}

TEST_F(BodyFrame, AHeldShipRidesAPlanetThatMovesFarInOneFrame) {
    Planet fast = planet(1000, 0.05f);
    fast.skipTime(0, {0, 0});
    const float surface = 100 + player().getRadius();
    placePlayer({1000 + surface, 0}, {0, 0});
    player().setLanded(5);
    fast.update(*world, &player(), 100, {0, 0}, *universe);
    ASSERT_GT(pointDistance(fast.getPos(), {1000, 0}), 10.0f);
    EXPECT_NEAR(pointDistance(player().getPos(), fast.getPos()), surface, 0.1f);
    EXPECT_NEAR(magnitude(player().getVelocity()), pointDistance(fast.getPos(), {1000, 0}) / 100, 0.05f)
        << "per ms, as the planet moves";
}
