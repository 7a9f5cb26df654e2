// What the frame draws that is not an entity: cursor, background, boundary, frame-time graph.
#pragma once

#include <string>
#include <vector>

#include "basics.h"

class Font;
class FrameTimeRing;

// What the frame-time counters show of the player's world.
struct frameCounters {
    unsigned ships = 0;
    unsigned projectiles = 0;
    unsigned timers = 0;
    float playerHealth = 0.0f;
    int landedPlanet = -1;  // -1 while flying
};

// The world point under the interface-unit point m for the world rectangle given.
point mouseToGame(point m, float left, float right, float bottom, float top);
// A square of side 2 * half centred on p, textured with textures[texture].
void drawRadarBlip(point p, int texture, float half);
// The world cursor at p.
void drawMouse(point p);
// The enemy marker at p, rotated by angle (radians).
void drawEnemy(point p, float angle);
// The star dust at the game plane and the far background behind it.
void drawBackground();
// The world's edge as white, red and blue squares at three depths, in one strip.
void drawBoundary();
// Pixel position of sample i (oldest first) of the frame-time graph.
point frameGraphVertex(unsigned i, int frameTime);
// The millisecond scale lines and the graph of the last 5000 frame times.
void drawFrameTimeGraph(const FrameTimeRing& ring);
// The five counter lines, bottom up.
std::vector<std::string> counterLines(const frameCounters& counters);
// The counters at the window's bottom-left corner, in pixel space.
void drawFrameCounters(const Font& font, const frameCounters& counters);
