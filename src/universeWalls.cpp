// Universe per-frame pass over the gravity walls of the player's world.
#include "universe.h"

#include "GravityWall.h"
#include "worldState.h"

void Universe::updateGravityWalls(int dt) {
    WorldState* world = playerWorld();
    if (!world)
        return;
    std::list<GravityWall>& walls = world->gravityWalls;
    for (auto wall = walls.begin(); wall != walls.end();) {
        if (wall->update(dt, *this)) {
            wall->draw();
            ++wall;
        } else {
            wall = walls.erase(wall);
        }
    }
}
