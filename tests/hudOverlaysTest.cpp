// The hover read-out, the close radar and the system map over the shipped galaxy.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include "camera.h"
#include "hud.h"
#include "planet.h"
#include "playerGame.h"

class HudOverlays : public PlayerGame {
protected:
    void SetUp() override {
        PlayerGame::SetUp();
        for (Star& star : universe->worlds[0].stars) star.skipTime(0);  // planets take their places
    }
    point planetAt(size_t star, size_t planet) {
        return universe->worlds[0].stars[star].getPlanets()[planet].getPos();
    }
};

TEST_F(HudOverlays, TheReadoutNamesWhatIsUnderTheCursorWithItsOwnerAndHealth) {
    WorldState& world = universe->worlds[0];
    world.ships.emplace_back(point{-60000, -60000}, "No such type", 1, *universe);
    struct Case {
        point target;
        std::string name, owner;
        bool bar;
        float length;
    };
    const Case cases[] = {
        {{31500, 20000}, "Aurelia", "", false, 0},  // exactly on the star's rim
        {planetAt(0, 0), "Verdance", "Terran Union", true, 20.0f * 100 / 1e6f},
        {planetAt(0, 2), "Hollow Moon", "Unclaimed", false, 0},
        {{9000, 6000}, "Mining Barge", universe->getFactionName(2), true, 20.0f},
        {{-60000, -60000}, "No such type", universe->getFactionName(1), false, 0},
    };
    for (const Case& c : cases) {
        const hoverReadout r = readoutAt(*universe, c.target);
        EXPECT_TRUE(r.found && r.name == c.name && r.owner == c.owner && r.hasBar == c.bar) << c.name;
        EXPECT_FLOAT_EQ(r.barLength, c.length) << c.name;
    }
    EXPECT_FALSE(readoutAt(*universe, {-90000, 90000}).found);
}

TEST_F(HudOverlays, RadarAndMapShowWhatIsStrictlyWithinTheirRange) {
    for (float range : {10000.0f, 100000.0f}) {
        WorldState world("Test", 0);
        Star far({-(range + 100), 0}, 10, 0, 14, "far");
        far.addPlanet(Planet(0, 5, 0, 101, 0, 0, 0, 0, 0, "inside", {}, {}));
        far.addPlanet(Planet(1, 5, 0, 100, 0, 0, 0, 0, 0, "on the edge", {}, {}));
        far.skipTime(0);
        world.stars.push_back(far);
        world.stars.emplace_back(point{range / 2, 0}, 10.0f, 0.0f, 14, "near");
        world.stars.emplace_back(point{0, range}, 10.0f, 0.0f, 14, "on the edge");
        world.ships.emplace_back(point{0, range - 1}, universe->shipTypes[0].name, 1, *universe);
        world.ships.emplace_back(point{0, -range}, universe->shipTypes[0].name, 1, *universe);

        const nearbyBodies near = bodiesNear(world, {0, 0}, range);
        ASSERT_TRUE(near.stars.size() == 1 && near.planets.size() == 1 && near.ships.size() == 1) << range;
        EXPECT_EQ(near.stars[0]->getName(), "near");
        EXPECT_EQ(near.planets[0]->getName(), "inside");
        EXPECT_EQ(near.ships[0]->getPos().y, range - 1);
    }
}

TEST_F(HudOverlays, TheOverlaysDrawWithoutAGlError) {
    glClear(GL_COLOR_BUFFER_BIT);
    clearGlErrors();
    setInterfaceProjection();
    mouseover(*universe, planetAt(0, 0), nullptr, 16);
    setTopLeftProjection();
    topLeftUI(universe->worlds[0], universe->player.get());
    setTopRightProjection();
    topRightUI(universe->worlds[0], universe->player.get());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_GT(litPixels(), 2 * 150 * 150) << "both corner squares are drawn";
}
