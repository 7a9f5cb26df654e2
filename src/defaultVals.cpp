// Process-wide settings shared across the game.
#include "defaultVals.h"

int w = 1280;
int h = 1024;
