// The timer walk of a world and the ordered insertion of new timers.
#include "timer.h"

#include "prefetch.h"
#include "shipGrid.h"
#include "spriteBatch.h"
#include "viewCulling.h"
#include "worldState.h"

namespace {

constexpr float WAVE_CELL = 256.0f;  // near a shockwave's largest radius

}  // namespace

void addTimer(TimerBase* timer, WorldState& world) {
    std::list<TimerBase*>& timers = world.timers;
    if (timer->start == 0) {
        timers.push_front(timer);
        return;
    }
    auto later = timers.begin();
    while (later != timers.end() && (*later)->start < timer->start) ++later;
    timers.insert(later, timer);
}

// The list is in start order, so the first timer still to come ends the walk.
void runTimer(int now, WorldState& world) {
    std::list<TimerBase*>& timers = world.timers;
    const ViewCulling culling;
    const SpriteBatch batch;  // explosions and shockwaves add their light
    const ShipGridLoan grid(world, WAVE_CELL);
    for (auto it = timers.begin(); it != timers.end();) {
        TimerBase* timer = *it;
        prefetchNextPointee(timers, it);
        if (timer->start > now) break;
        if (timer->end != 0 && timer->end < now) {
            delete timer;
            it = timers.erase(it);
            continue;
        }
        if (timer->start < now) timer->execute(now, world);
        ++it;
    }
}
