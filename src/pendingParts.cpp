// Stand-ins for the parts of the game still being built.
#include "pendingParts.h"

void constructUniverse(MainState&) {}
void initializeShaders(MainState&) {}
bool initializeStars(MainState&) { return true; }
void destroyUniverse(MainState&) {}
void initializePlayer(MainState&) {}
void initLua(MainState&) {}
void testXML(MainState&) {}
void placeStartShip(MainState&) {}

point playerPosition(const MainState&) { return {0.0f, 0.0f}; }
void hoverDisplays(MainState&) {}
void dragDisplays(MainState&) {}
void updatePlayer(MainState&, point, int) {}
void processSounds(MainState&) {}
void playerShoot(MainState&, point) {}
void processWormholes(MainState&) {}
void updateGravityWalls(MainState&) {}
void processProjectiles(MainState&) {}
void drawPlayerTrail(MainState&) {}
void runTimer(MainState&) {}
void drawPlayer(MainState&) {}
void processStars(MainState&) {}
void processShips(MainState&) {}
frameCounters worldCounters(const MainState&) { return frameCounters(); }
void mouseover(MainState&, point) {}
void drawPlayerUI(MainState&) {}
void drawNotifications(MainState&) {}
void runDisplays(MainState&) {}
void topLeftUI(MainState&) {}
void topRightUI(MainState&) {}
