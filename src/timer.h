// The abstract timed effect that a world runs once per frame between its start and end, and the timer walk.
#pragma once

#include <cstdint>

class WorldState;

class TimerBase {
public:
    virtual ~TimerBase() = default;
    // Runs one frame of the effect at time now (ms of the tick counter) in its world.
    virtual void execute(int now, WorldState& world) = 0;

    int32_t start = 0;  // runs from this time on; 0 = at once
    int32_t end = 0;    // expires after this time; 0 = never
};

// Hands timer to the world, which owns it from now on, keeping the list in start order.
void addTimer(TimerBase* timer, WorldState& world);
// Runs every timer of the world that has started, deleting those past their end.
void runTimer(int now, WorldState& world);
