// Stand-ins for the parts of the game still being built.
#include "pendingParts.h"

#include <iostream>

#include "gameMain.h"

// Saying so beats a silent key: the player must not believe the game was kept.
bool saveGame(MainState&, const std::string& slot) {
    std::cout << "Saved games are not available yet: slot " << slot << " not saved" << std::endl;
    return false;
}

void loadGame(MainState&, const std::string& slot) {
    std::cout << "Saved games are not available yet: slot " << slot << " not loaded" << std::endl;
}

void playerShoot(MainState&, point) {}
void runTimer(MainState&) {}
void mouseover(MainState&, point) {}
void topLeftUI(MainState&) {}
void topRightUI(MainState&) {}
