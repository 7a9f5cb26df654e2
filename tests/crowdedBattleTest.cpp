// Crowded battles: the ship grid's look-ups at the edges, battles that come out bit for bit the same
// with and without it, and passes that draw the same pixels whether they batch and cull their draws or not.
#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <iterator>
#include <string>

#include "camera.h"
#include "combatArena.h"
#include "planet.h"
#include "shipGrid.h"
#include "spriteBatch.h"
#include "scratchDirectory.h"
#include "textures.h"
#include "timer.h"
#include "timerClasses.h"
#include "viewCulling.h"
#include "worldDrivers.h"

namespace {

// Every number a later frame depends on, as raw bytes, so that -0 and 0 or two NaNs tell apart.
// Not the timers: explosions take the wall clock's time, and only draw.
template <class T>
void put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// IDs count from the world's first ship, as the two worlds of a battle take theirs from one registry.
std::string snapshot(const WorldState& world, unsigned firstID) {
    std::string out;
    for (const Ship& s : world.ships) {
        const point p = s.getPos(), v = s.getVelocity();
        for (float f : {p.x, p.y, v.x, v.y, s.getHitpoints(), s.getTheta()}) put(out, f);
        put(out, s.getID() - firstID);
        put(out, s.getAI());
        for (uint32_t c : s.getGunCooling()) put(out, c);
    }
    for (const Projectile& p : world.projectiles) {
        for (float v : {p.getPos().x, p.getPos().y, p.getVelocity().x, p.getVelocity().y, p.getTheta()}) put(out, v);
        put(out, p.getLifetimeRemaining());
        put(out, p.hasLock() ? p.getTargetedShipID() - firstID : ~0u);
    }
    return out;
}

}  // namespace

// Types 1 and 4 of the arena turn into homing and random-fan weapons; three factions fight.
class CrowdedBattle : public CombatArena {
protected:
    void SetUp() override {
        CombatArena::SetUp();
        WEAPONDATA[1] = WEAPONDATA[4];
        WEAPONDATA[1].uniformSpread = false;
        WEAPONDATA[3].homingRange = 600;
        u().shipTypes = {{"Gunboat", 0, 0, 0.001f, 300, {0, 4}, "", 0, 0, 0, 0, 20},
                         {"Hunter", 2, 0, 0.0015f, 400, {3, 2}, "", 0, 0, 0, 0, 45},
                         {"Carrier", 1, 0, 0.0008f, 600, {1}, "", 0, 0, 0, 0, 70}};
        u().factionRelations = {
            {100, -100, 0, -100}, {-100, 100, -100, 0}, {0, -100, 100, -100}, {-100, 0, -100, 100}};
    }

    // n ships from a fixed sequence on a 500-unit lattice (cell borders), a third without jitter across x.
    void populate(WorldState& w, int n) {
        unsigned seed = 7;
        const auto next = [&seed](unsigned m) { return (seed = seed * 1103515245u + 12345u) / 65536u % m; };
        testing::internal::CaptureStdout();
        for (int i = 0; i < n; i++) {
            const float jitter = i % 3 ? float(next(200)) : 0;
            const point p{float(next(4) * 500) + jitter, float(next(4) * 500) + float(next(200))};
            const unsigned previous = w.ships.empty() ? 0 : w.ships.back().getID();
            Ship& ship = w.ships.emplace_back(p, u().shipTypes[size_t(i) % 3].name, short(1 + i % 3), u());
            ship.setDestinationPoint({float(next(2000)), float(next(2000))});
            ship.setDestinationShip(previous);
        }
        Planet planet(0, 100, 1e-6f, 600, 0.01f, 0, 0, 0, 0, "Fort", planetData{}, {});
        planet.setSats(&sats, 3);
        w.stars.emplace_back(point{1000, 1000}, 50, 2e-6f, 0, "Sun");
        w.stars.back().addPlanet(planet);
        w.gravityWalls.emplace_back(0, point{700, 900}, gravToolPart{"Pull", 40, 0.3f, 1, 100000}, 4);
        w.gravityWalls.back().addWell({900, 700});
        testing::internal::GetCapturedStdout();
    }

    // A ship with two hostiles exactly as far on either side, listed first so that it chooses before any
    // ship moves. The grid visits the later-listed hostile, on the left, first; the list's scan keeps the earlier.
    void tie(int k) {
        for (point p : {point{-5000, -5000}, {-4400, -5000}, {-5600, -5000}}) shipAt(p, p.x == -5000 ? 1 : 2, k);
    }

    void step(int k, bool grid, int dt, int time) {
        WorldState& w = u().worlds[size_t(k)];
        u().currentWorld = &w;
        player().warpWorld(k, u());
        enableShipGrid(grid);
        std::srand(unsigned(time));
        processProjectiles(w, u(), dt, time);
        runTimer(time, w);
        u().updateGravityWalls(dt);
        processStars(w, &player(), dt, u());
        processShips(u(), &player(), dt, time);
        enableShipGrid(true);
    }

    // World 0 runs on grids, world 1 on the plain scans: after every frame they must agree.
    void expectSameBattle(int frames) {
        glViewport(0, 0, 1, 1);
        std::cout.setstate(std::ios::failbit);  // the ships' messages when the ship they follow dies
        for (int f = 0, time = 1000; f < frames && !HasFailure(); f++) {
            const int dt = f % 50 == 49 ? 120 : 16;  // a long frame now and then
            time += dt;
            step(0, true, dt, time);
            step(1, false, dt, time);
            EXPECT_TRUE(snapshot(u().worlds[0], 0) == snapshot(u().worlds[1], secondID)) << "frame " << f;
            for (const Projectile& shot : world().projectiles) locks += shot.hasLock();
            mostShots = std::max(mostShots, world().projectiles.size());
        }
        std::cout.clear();
        glViewport(0, 0, 1280, 1024);
    }

    // Hundreds of overlapping shots of every type, in view and beyond, explosions of several ages
    // and shockwaves; then a quad that counts on the passes leaving texture 0 bound and the shots'
    // colour current.
    std::vector<unsigned char> passesPicture(bool shortcuts) {
        enableSpriteBatches(shortcuts);
        enableViewCulling(shortcuts);
        std::srand(3);
        for (int i = 0; i < 400; i++)
            shotAt({-900.0f + float(i * 37 % 1800), -700.0f + float(i * 53 % 1400)}, i % 5, 0.3f * float(i));
        for (int i = 0; i < 30; i++) standardExplosion({-600.0f + 40.0f * float(i), 150}, world(), 30 * i);
        for (int i = 0; i < 4; i++) projectileEvent(world(), {-200.0f + 150.0f * float(i), -100}, 1, 100 * i);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 0, 0);
        processProjectiles(world(), u(), 16, 1000);
        runTimer(1000, world());
        glBegin(GL_QUADS);
        glVertex2f(550, 400), glVertex2f(600, 400), glVertex2f(600, 450), glVertex2f(550, 450);
        glEnd();
        enableSpriteBatches(true);
        enableViewCulling(true);
        world().projectiles.clear();
        for (TimerBase* timer : world().timers) delete timer;
        world().timers.clear();
        std::vector<unsigned char> pixels(1280 * 1024 * 4);
        glReadPixels(0, 0, 1280, 1024, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // The ship pass of world k onto a cleared window, then a quad in the colour it leaves.
    std::vector<unsigned char> shipPassPicture(int k, bool culling, int time) {
        enableViewCulling(culling);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(0, 0, 1);
        u().currentWorld = &u().worlds[size_t(k)];
        player().warpWorld(k, u());
        testing::internal::CaptureStdout();
        processShips(u(), &player(), 16, time);
        testing::internal::GetCapturedStdout();
        glBindTexture(GL_TEXTURE_2D, 0);
        glBegin(GL_QUADS);
        glVertex2f(1500, 1500), glVertex2f(1600, 1500), glVertex2f(1600, 1600), glVertex2f(1500, 1600);
        glEnd();
        enableViewCulling(true);
        std::vector<unsigned char> pixels(1280 * 1024 * 4);
        glReadPixels(0, 0, 1280, 1024, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    satelliteStats sats{"Picket", 150, 0.001f, 0, 0, 0, 900, 0.05f, 0};
    unsigned secondID = 0;  // the ID of the second world's first ship
    size_t mostShots = 0, locks = 0;
};

TEST_F(CrowdedBattle, ThreeHundredShipsFightTheSameBattleWithAndWithoutTheGrid) {
    tie(0);
    populate(u().worlds[0], 300);
    secondID = u().getRawShipListSize();
    tie(1);
    populate(u().worlds[1], 300);
    expectSameBattle(300);
    EXPECT_LT(world().ships.size(), 290u) << "ships died";
    EXPECT_GT(mostShots, 100u);
    EXPECT_GT(locks, 100u);
}

// Exactly touching, exactly 2000 apart, on one spot, far beyond the bounds, nowhere; then one ship alone.
TEST_F(CrowdedBattle, ShipsAtTheEdgesOfEveryRangeFightTheSameBattle) {
    const point at[] = {{0, 0}, {40, 0}, {2000, 0}, {2000, 0}, {0, 2000}, {250000, 0}, {-1e30f, 5}, {NAN, 0}};
    for (int k = 0; k < 2; k++) {
        secondID = k ? u().getRawShipListSize() : 0;
        for (size_t i = 0; i < std::size(at); i++) shipAt(at[i], short(1 + i % 2), k);
    }
    expectSameBattle(40);
    for (int k = 0; k < 2; k++)
        for (std::list<Ship>& ships = u().worlds[size_t(k)].ships; ships.size() > 1; ships.pop_back())
            u().removeShip(ships.back().getID());
    expectSameBattle(10);
}

// Ships on cell borders and exactly at the reach are found; far ones are not; NaN ones always are.
TEST_F(CrowdedBattle, LookUpsReachEveryShipWithinReachAndNoneFarBeyond) {
    for (point p : {point{0, 0}, {200, 0}, {400, 0}, {141.43f, 141.43f}, {2000, 2000}, {NAN, 0}}) shipAt(p);
    ShipGrid grid(world().ships, 200);
    const auto found = [&grid](point q, float reach) {
        std::string orders;
        for (const ShipGrid::Entry& e : grid.nearInOrder(q, q, reach)) orders += char('0' + e.order);
        return orders;
    };
    EXPECT_EQ(found({200, 0}, 200), "01235") << "all but the far one";
    EXPECT_EQ(found({2000, 2000}, 0), "45");
    EXPECT_EQ(found({NAN, 0}, 1), "012345");
    grid.erased(1);
    grid.moved(4, {0, 0});
    EXPECT_EQ(found({200, 0}, 200), "02345") << "the erased ship is gone, the moved one found where it went";
    EXPECT_EQ(grid.firstWithID(world().ships.back().getID(), [](const Ship&) { return true; }), &world().ships.back());
}

// Two ships 200 either side of a third, the later-listed in the cell the outward walk visits first.
TEST_F(CrowdedBattle, OfShipsEquallyNearTheEarliestListedIsTheNearest) {
    for (point p : {point{400, 0}, {0, 0}, {200, 0}}) shipAt(p);
    const ShipGrid grid(world().ships, 200);
    const point seeker = grid.inOrder(2).pos;
    NearestShip pick(1e9);
    const auto offer = [&](const ShipGrid::Entry& e) {
        if (e.order != 2) pick.offer(*e.ship, std::trunc(sqPointDistance(e.pos, seeker)), e.order);
    };
    grid.forEachOutward(seeker, 2000, offer, [](double) { return false; });
    EXPECT_EQ(pick.order, 0u);
}

// Three images with see-through texels, seen through the game's camera.
TEST_F(CrowdedBattle, ShotsAndTimersDrawTheSamePixelsBatchedAndCulledAsOneByOne) {
    const unsigned images[3] = {whiteTexture(), whiteTexture(), whiteTexture()};
    const unsigned char texels[16] = {255, 0, 0, 255, 0, 0, 255, 128, 255, 0, 0, 60, 0, 255, 0, 255};
    for (unsigned image : images) {
        glBindTexture(GL_TEXTURE_2D, image);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    }
    for (size_t t = 0; t < WEAPONDATA.size(); t++) WEAPONDATA[t].texture = images[t % 3];
    const std::vector<unsigned int> saved = textures;
    textures.assign(FIXED_TEXTURE_COUNT, images[0]);
    textures[3] = images[1];
    textures[7] = images[2];
    shipAt({0, 1250});  // homed on, out of the shots' reach: a hit would explode at the wall clock's time
    setCamera(viewAround({0, 0}, 1200, 1.25f), {0, 0}, 1);  // the game's camera, the shots across its edges
    const GLboolean texturing = glIsEnabled(GL_TEXTURE_2D), blending = glIsEnabled(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, 0);
    const std::vector<unsigned char> oneByOne = passesPicture(false);
    EXPECT_TRUE(passesPicture(true) == oneByOne);
    EXPECT_GT(litPixels(), 100000);
    glLoadIdentity();
    if (!texturing) glDisable(GL_TEXTURE_2D);
    if (!blending) glDisable(GL_BLEND);
    textures = saved;
    glDeleteTextures(3, images);
}

// Ships with glow trails in view, across its edge and beyond, drawn over each other with alpha
// blending after a few dozen frames of battle: the same two worlds with and without culling.
TEST_F(CrowdedBattle, ShipsDrawTheSamePixelsWhenWhatCannotShowIsSkipped) {
    ScratchDirectory dir;
    dir.copyFromGame("glowTrail.vs");
    dir.copyFromGame("glowTrail.fs");
    testing::internal::CaptureStdout();
    u().shaderList.insertShader("glowTrail");
    testing::internal::GetCapturedStdout();
    const unsigned image = whiteTexture();
    for (shipDataStruct& type : u().shipTypes) {
        type.trailName = "glowTrail";
        type.trailLength = 400;
        type.trailRed = 0.9f;
        type.texture = int(image);
    }
    populate(u().worlds[0], 200);
    populate(u().worlds[1], 200);
    for (int f = 0, time = 1000; f < 40; f++, time += 16)
        for (int k = 0; k < 2; k++) step(k, true, 16, time);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(-640, 640, -512, 512);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(0.6f, 0.6f, 1);
    glTranslatef(-1500, -1500, 0);
    const GLboolean texturing = glIsEnabled(GL_TEXTURE_2D), blending = glIsEnabled(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const std::vector<unsigned char> everything = shipPassPicture(1, false, 1640);
    EXPECT_TRUE(shipPassPicture(0, true, 1640) == everything);
    EXPECT_GT(litPixels(), 20000);
    glLoadIdentity();
    if (!texturing) glDisable(GL_TEXTURE_2D);
    if (!blending) glDisable(GL_BLEND);
    glDeleteTextures(1, &image);
}
