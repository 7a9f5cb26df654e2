// The abstract timed effect that a world runs once per frame between its start and end.
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
