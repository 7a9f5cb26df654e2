// One world (star system): its timed effects, ships, shots, stars, wormholes and gravity walls.
#pragma once

#include <deque>
#include <list>
#include <string>
#include <vector>

#include "GravityWall.h"
#include "projectile.h"
#include "ship.h"
#include "star.h"
#include "wormhole.h"

class ShipGrid;
class TimerBase;
struct lua_State;

// Copies share the timed effects by pointer; only the world in Universe::worlds
// owns them, and destroying a world does not delete them. Moving a world keeps
// every ship, star and planet at its address, so the ship registry and the
// planet cache stay valid while the sequence of worlds grows.
class WorldState {
public:
    // An empty world; the caller sets luaState afterwards.
    WorldState(std::string name, int size);
    WorldState(const WorldState&) = default;
    WorldState& operator=(const WorldState&) = default;
    // Declared not to throw, though the deque's move may (it gives the emptied deque a fresh map):
    // the sequence of worlds moves a world only when the move cannot throw, and copies it, with
    // every ship to a new address, otherwise. Running out of memory there ends the game.
    WorldState(WorldState&&) noexcept = default;
    WorldState& operator=(WorldState&&) = default;
    ~WorldState() = default;

    std::string name;
    int32_t size = 0;
    std::deque<TimerBase*> timers;  // in start-time order; side by side for the timer walk
    std::list<Ship> ships;
    std::list<Projectile> projectiles;
    std::vector<Star> stars;
    std::vector<Wormhole> wormholes;
    std::list<GravityWall> gravityWalls;
    lua_State* luaState = nullptr;
    // The grid a driver lends its pass, valid while that pass runs (null: look-ups scan the list).
    ShipGrid* shipGrid = nullptr;
};
