// The ring of the last 5000 frame times.
#include "frameTimeRing.h"

FrameTimeRing::FrameTimeRing() : frameTimes(SIZE, 0) {}

void FrameTimeRing::record(int frameTime) {
    frameTimes[index] = frameTime;
    index = (index + 1) % SIZE;
}

int FrameTimeRing::oldestFirst(unsigned i) const { return frameTimes[(index + i) % SIZE]; }
