// What the frame draws that is not an entity: cursor, background, boundary, frame-time graph,
// and the overlays that show the world: hover read-out, close radar and system map.
#pragma once

#include <string>
#include <vector>

#include "basics.h"

class Font;
class FrameTimeRing;
class Planet;
class Player;
class Ship;
class Star;
class Universe;
class WorldState;

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
// A square of side 2 * half centred on p with the GL texture given, turned by degrees.
void texturedSquare(point p, unsigned int texture, float half, float degrees);
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

// What the hover read-out shows of the body or ship under the cursor.
struct hoverReadout {
    bool found = false;
    std::string name;      // first line
    std::string owner;     // second line; empty for a star
    bool hasBar = false;   // a health bar under the lines
    float barLength = 0;   // interface units; 20 is full health
};

// The bodies and ships of a world strictly closer than a range to a point.
struct nearbyBodies {
    std::vector<const Ship*> ships;
    std::vector<const Star*> stars;
    std::vector<const Planet*> planets;  // of every star, near or not
};

// The star, planet or ship of the player's world at world point target, first hit first.
hoverReadout readoutAt(Universe& universe, point target);
// Draws the read-out of what lies under target (interface projection); the frame time is unused.
void mouseover(Universe& universe, point target, Font* font, int frameTime);
// What of world lies strictly closer than range to centre.
nearbyBodies bodiesNear(const WorldState& world, point centre, float range);
// The close radar: ships, stars and planets within 10000 of the player (top-left projection).
void topLeftUI(WorldState& world, Player* player);
// The system map: stars and planets within 100000 of the player (top-right projection).
void topRightUI(WorldState& world, Player* player);
