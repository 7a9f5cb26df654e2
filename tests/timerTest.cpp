// Timed effects: the timer walk, ordered insertion, the explosion's size and the shockwave's damage.
#include <GL/glew.h>

#include <utility>

#include "camera.h"
#include "capturedOutput.h"
#include "combatArena.h"
#include "defaultVals.h"
#include "textures.h"
#include "timerClasses.h"

namespace {

// Logs its runs as its id and its deletion as minus its id.
struct Probe : TimerBase {
    Probe(int id, int from, int until, std::vector<int>& log) : id(id), log(log) {
        start = from;
        end = until;
    }
    ~Probe() override { log.push_back(-id); }
    void execute(int, WorldState&) override { log.push_back(id); }
    int id;
    std::vector<int>& log;
};

}  // namespace

class TimerTest : public CombatArena {
protected:
    // The probes log into this fixture, which goes before the Universe that would delete them.
    void TearDown() override {
        clearTimers();
        CombatArena::TearDown();
    }
    void clearTimers() {
        for (TimerBase* timer : world().timers) delete timer;
        world().timers.clear();
    }
    std::vector<int> log;
};

TEST_F(TimerTest, ATimerRunsAfterItsStartUntilItsEndAndIsDeletedAfter) {
    const struct {
        int start, end, now;
        std::vector<int> log;
    } cases[] = {{100, 0, 100, {}}, {100, 0, 101, {1}}, {0, 500, 500, {1}}, {0, 500, 501, {-1}}};
    for (const auto& c : cases) {
        log.clear();
        world().timers.push_back(new Probe(1, c.start, c.end, log));
        runTimer(c.now, world());
        EXPECT_EQ(log, c.log) << c.start << " " << c.end << " " << c.now;
        clearTimers();
    }
}

TEST_F(TimerTest, NewTimersKeepStartOrderAndTheFirstToComeHoldsBackTheRest) {
    addTimer(new Probe(1, 200, 0, log), world());
    addTimer(new Probe(2, 0, 50, log), world());   // at once: to the front
    addTimer(new Probe(3, 0, 40, log), world());   // in front of that
    addTimer(new Probe(4, 150, 0, log), world());  // before the one starting at 200
    world().timers.push_back(new Probe(5, 0, 0, log));  // appended as explosions are: behind the waiting one
    runTimer(160, world());
    EXPECT_EQ(log, (std::vector<int>{-3, -2, 4}));
    log.clear();
    runTimer(300, world());
    EXPECT_EQ(log, (std::vector<int>{4, 1, 5})) << "the walk kept the rest in order";
    EXPECT_EQ(world().timers.size(), 3u);
}

// In a plain white image, one unit to the pixel: at its start both squares stand upright, half-way
// one has turned half a turn and the other a quarter back, and at its end nothing is left.
TEST_F(TimerTest, AnExplosionShrinksFromAHalfSizeOf50ToNothing) {
    const unsigned image = whiteTexture();
    const std::vector<unsigned int> saved = textures;
    textures.assign(FIXED_TEXTURE_COUNT, image);
    setPixelProjection();
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    standardExplosion({float(w) / 2, float(h) / 2}, world(), 1000);
    for (const auto& [now, side] : {std::pair{1000, 100}, {1500, 50}, {2000, 0}}) {
        glClear(GL_COLOR_BUFFER_BIT);
        runTimer(now, world());
        EXPECT_NEAR(litPixels(), side * side, 2 * side + 1) << now;
    }
    textures = saved;
    glDeleteTextures(1, &image);
}

// Type 2 deals 0.1 per ms; the ring is 156 at 1000 ms and 202 at 1300 ms.
TEST_F(TimerTest, AShockwaveDamagesTheShipsInsideItsRingByTheMillisecondsSinceItsLastRun) {
    Ship& inside = shipAt({100, 0});
    Ship& outside = shipAt({0, 200});
    player().x = -50, player().y = 0;  // inside every ring, and never hurt
    projectileEvent(world(), {0, 0}, 1, 0);
    runTimer(1000, world());
    EXPECT_FLOAT_EQ(inside.getHitpoints(), 0.0f);
    EXPECT_FLOAT_EQ(outside.getHitpoints(), 100.0f);
    runTimer(1300, world());
    EXPECT_FLOAT_EQ(outside.getHitpoints(), 70.0f);
    EXPECT_FLOAT_EQ(player().getHealth(), 800.0f);

    WEAPONDATA.resize(2);
    const std::string out = captured([&] {
        runTimer(1400, world());
        runTimer(1500, world());
    });
    EXPECT_FLOAT_EQ(outside.getHitpoints(), 70.0f);
    EXPECT_EQ(out, "Error, no projectile type 2 for shockwave damage, shockwaves deal none\n");
}
