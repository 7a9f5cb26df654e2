// The hover read-out, the close radar and the system map over the shipped galaxy.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "camera.h"
#include "defaultVals.h"
#include "font.h"
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

// In interface units: where the read-out's lines and bar lie, and the bar's reddish fill.
struct readoutInk {
    bool name = false, owner = false;
    float barLeft = 100, barRight = 0, fillRight = 0;
};

readoutInk inkOfReadout() {
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    readoutInk ink;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = &pixels[(static_cast<size_t>(y) * w + x) * 4];
            if ((p[0] | p[1] | p[2]) == 0) continue;
            const float ux = 100.0f * (x + 0.5f) / w, uy = 100.0f * (y + 0.5f) / h;
            ink.name |= uy > 93.5f;
            ink.owner |= uy > 90.5f && uy < 93.5f;
            if (uy < 89 || uy > 90) continue;
            ink.barLeft = std::min(ink.barLeft, ux);
            ink.barRight = std::max(ink.barRight, ux);
            if (p[0] > p[1] + 40) ink.fillRight = std::max(ink.fillRight, ux);
        }
    return ink;
}

TEST_F(HudOverlays, TheReadoutDrawsTheNameOwnerAndABarFilledToTheHealth) {
    testing::internal::CaptureStdout();
    Font font("subatomic.brelvosk.ttf");
    Ship& barge = universe->worlds[0].ships.emplace_back(point{-60000, 60000}, "Mining Barge", 2, *universe);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(font.isReady());
    barge.takeDamage(universe->shipTypes[size_t(barge.getShipCode())].hitpoints / 4);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor3f(1, 1, 1);
    setInterfaceProjection();
    glLoadIdentity();
    clearGlErrors();
    struct Case {
        point target;
        bool owner, bar;
    };
    const Case cases[] = {{{31500, 20000}, false, false}, {planetAt(0, 2), true, false}, {{-60000, 60000}, true, true}};
    readoutInk ink;
    for (const Case& c : cases) {
        glClear(GL_COLOR_BUFFER_BIT);
        mouseover(*universe, c.target, &font, 16);
        ink = inkOfReadout();
        EXPECT_TRUE(ink.name) << c.target.x;
        EXPECT_EQ(ink.owner, c.owner) << c.target.x;
        EXPECT_EQ(ink.barRight > ink.barLeft, c.bar) << c.target.x;
    }
    EXPECT_NEAR(ink.barLeft, 40, 0.2f) << "the barge's bar";
    EXPECT_NEAR(ink.barRight, 60, 0.2f);
    EXPECT_NEAR(ink.fillRight, 55, 0.5f) << "three quarters of the bar's 20";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glDisable(GL_BLEND);
}

TEST_F(HudOverlays, TheOverlaysDrawWithoutAGlError) {
    glClear(GL_COLOR_BUFFER_BIT);
    clearGlErrors();
    setTopLeftProjection();
    topLeftUI(universe->worlds[0], universe->player.get());
    setTopRightProjection();
    topRightUI(universe->worlds[0], universe->player.get());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_GT(litPixels(), 2 * 150 * 150) << "both corner squares are drawn";
}
