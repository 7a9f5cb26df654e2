// The timer walk of a world and the ordered insertion of new timers.
#include "timer.h"

#include <cstddef>
#include <deque>

#include "shipGrid.h"
#include "spriteBatch.h"
#include "viewCulling.h"
#include "worldState.h"

namespace {

constexpr float WAVE_CELL = 256.0f;  // near a shockwave's largest radius
// How many timers ahead of the walk their objects are asked for: thousands of explosions lie
// scattered over the heap, and each would otherwise be waited for in turn.
constexpr std::size_t FETCH_AHEAD = 16;

}  // namespace

void addTimer(TimerBase* timer, WorldState& world) {
    std::deque<TimerBase*>& timers = world.timers;
    if (timer->start == 0) {
        timers.push_front(timer);
        return;
    }
    auto later = timers.begin();
    while (later != timers.end() && (*later)->start < timer->start) ++later;
    timers.insert(later, timer);
}

// The list is in start order, so the first timer still to come ends the walk. The timers kept
// close ranks over the expired ones as the walk passes them. Indices, not iterators: a timer's
// run may append a timer, which the walk then reaches in this frame.
void runTimer(int now, WorldState& world) {
    std::deque<TimerBase*>& timers = world.timers;
    const ViewCulling culling;
    const SpriteBatch batch;  // explosions and shockwaves add their light
    const ShipGridLoan grid(world, WAVE_CELL);
    std::size_t kept = 0, next = 0;
    for (; next < timers.size(); next++) {
        if (next + FETCH_AHEAD < timers.size()) __builtin_prefetch(timers[next + FETCH_AHEAD]);
        TimerBase* timer = timers[next];
        if (timer->start > now) break;
        if (timer->end != 0 && timer->end < now) {
            delete timer;
            continue;
        }
        if (timer->start < now) timer->execute(now, world);
        timers[kept++] = timer;
    }
    timers.erase(timers.begin() + std::ptrdiff_t(kept), timers.begin() + std::ptrdiff_t(next));
}
