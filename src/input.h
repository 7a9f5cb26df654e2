// The input side of the frame: SDL's event queue, the pointer passes and the virtual cursor.
#pragma once

#include <SDL.h>

#include "basics.h"

struct MainState;

// Handles every pending SDL event in arrival order.
void pollEvents(MainState& s);
// Handles one event: bound key presses, mouse buttons and the window's close; others are ignored.
void handleEvent(MainState& s, const SDL_Event& event);
// Hover, and drag while the left button is held, to every interface display.
void pointerPasses(MainState& s);
// Moves the cursor by a relative motion in pixels (y down), kept within 0..100.
void moveCursor(point& cursor, int dx, int dy);
// Moves the cursor by SDL's relative mouse motion; returns SDL's button mask.
int moveVirtualCursor(point& cursor);
