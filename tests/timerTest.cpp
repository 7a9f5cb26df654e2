// Timed effects: the timer walk, ordered insertion and the shockwave's damage.
#include "capturedOutput.h"
#include "combatArena.h"
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
        for (TimerBase* timer : world().timers) delete timer;
        world().timers.clear();
        CombatArena::TearDown();
    }
    std::vector<int> log;
};

TEST_F(TimerTest, ATimerRunsAfterItsStartUntilItsEndAndIsDeletedAfter) {
    struct Case {
        int start, end, now;
        std::vector<int> log;
    };
    const Case cases[] = {
        {100, 0, 100, {}},   // starting now: not yet
        {100, 0, 101, {1}},  // no end: runs on
        {0, 500, 500, {1}},  // at its end it still runs
        {0, 500, 501, {-1}}, // after it: deleted without running
    };
    for (const Case& c : cases) {
        log.clear();
        world().timers.push_back(new Probe(1, c.start, c.end, log));
        runTimer(c.now, world());
        EXPECT_EQ(log, c.log) << c.start << " " << c.end << " " << c.now;
        for (TimerBase* timer : world().timers) delete timer;
        world().timers.clear();
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
}

TEST_F(TimerTest, AShockwaveDamagesTheShipsInsideItsRingByTheMillisecondsSinceItsLastRun) {
    Ship& inside = shipAt({100, 0});
    Ship& outside = shipAt({0, 200});
    standardExplosion({0, 0}, world(), 0);
    projectileEvent(world(), {0, 0}, 1, 0);
    ASSERT_EQ(world().timers.size(), 2u);
    runTimer(1000, world());  // ring 156, type 2 deals 0.1 per ms
    EXPECT_FLOAT_EQ(inside.getHitpoints(), 0.0f);
    EXPECT_FLOAT_EQ(outside.getHitpoints(), 100.0f);
    runTimer(1300, world());  // ring 234: now both, for 300 ms
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
