// A ring buffer of an owner's recent positions, the base of the glow and smoke trails.
#pragma once

#include <string>
#include <vector>

#include "basics.h"

class ShaderList;

class Trail {
public:
    // A trail of length 0: it records and draws nothing.
    Trail() = default;
    // length segments (length + 1 slots, all at start; a negative length is 0, which is off,
    // and at most 10000), recording one point per interval ms (at least 1 ms).
    Trail(int length, point start, int interval, float width, float red, float green, float blue);

    // Adds dt to the time since the last point and records p once an interval has passed;
    // at most one point per call, so a backlog is worked off over later calls.
    void update(point p, int dt);
    // Whether points recorded from now on are drawn (those already recorded keep their flag).
    void setVisibility(bool visible);
    // Moves every slot onto p; the head, the elapsed time and the flags stay.
    void clear(point p);
    // A plain line strip through the recorded points, oldest but one first, then current.
    void draw(point current) const;

    // The number of segments; 0 means the trail is off.
    int getLength() const { return length; }
    // The ring slot of the newest point.
    int getHead() const { return head; }
    // Milliseconds gathered towards the next point.
    int getElapsed() const { return elapsed; }
    // The ring of points, indexed by slot.
    const std::vector<point>& getPoints() const { return points; }

protected:
    int slots() const { return length + 1; }
    // The slot i places after the oldest one (i = 0 is the oldest, i = length the newest).
    int slotFromOldest(int i) const { return (head + i + 1) % slots(); }
    int predecessor(int slot) const { return (slot + slots() - 1) % slots(); }
    // A slot is drawn only when it and its predecessor were both recorded visible.
    bool segmentVisible(int slot) const { return visibleBits[slot] && visibleBits[predecessor(slot)]; }
    // Moves the head on and stamps p there with the current visibility.
    void recordPoint(point p);
    // The program called name when it exists and linked; otherwise 0, which draws nothing.
    static int linkedProgram(const ShaderList& shaders, const std::string& name);

    int interval = 1;
    int elapsed = 0;
    int length = 0;
    int head = 0;
    float width = 0;
    float red = 0, green = 0, blue = 0;
    std::vector<point> points;
    std::vector<bool> visibleBits;
    bool visible = true;
};
