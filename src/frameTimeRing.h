// The ring of the last 5000 frame times that the frame-time graph draws.
#pragma once

#include <vector>

class FrameTimeRing {
public:
    static constexpr unsigned SIZE = 5000;

    // All samples 0, the next write at slot 0.
    FrameTimeRing();
    // Stores one frame time in ms over the oldest sample.
    void record(int frameTime);
    // Sample i counted from the oldest (0) to the newest (SIZE - 1).
    int oldestFirst(unsigned i) const;
    // The slot the next record writes.
    unsigned nextIndex() const { return index; }

private:
    std::vector<int> frameTimes;
    unsigned index = 0;
};
