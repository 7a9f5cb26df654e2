// Universe per-frame pass over the gravity walls of the player's world.
#include "universe.h"

#include "GravityWall.h"
#include "player.h"
#include "worldState.h"

void Universe::updateGravityWalls(int dt) {
    if (!player || player->getWorld() < 0 || static_cast<size_t>(player->getWorld()) >= worlds.size())
        return;
    std::list<GravityWall>& walls = worlds[player->getWorld()].gravityWalls;
    for (auto wall = walls.begin(); wall != walls.end();) {
        if (wall->update(dt, *this)) {
            wall->draw();
            ++wall;
        } else {
            wall = walls.erase(wall);
        }
    }
}
