// The player and its world as the frame and the bindings find them, afresh at each use.
#include "playerAccess.h"

#include "gameMain.h"
#include "player.h"
#include "universe.h"

Player* livePlayer(const MainState& s) { return s.universe ? s.universe->player.get() : nullptr; }

WorldState* playerWorld(const MainState& s) { return s.universe ? s.universe->playerWorld() : nullptr; }

point playerPosition(const MainState& s) {
    const Player* player = livePlayer(s);
    return player ? player->getPos() : point{0.0f, 0.0f};
}
