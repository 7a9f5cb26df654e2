// The world camera around the player and the 2-D projections of the overlays.
#pragma once

#include "basics.h"

// The world rectangle the window shows at the game plane.
struct viewRect {
    float left;
    float right;
    float bottom;
    float top;
};

// The rectangle viewHeight high, as wide as the aspect asks, centred on p.
viewRect viewAround(point p, float viewHeight, float aspect);
// Perspective camera centred on p that maps the rectangle onto the window at z = 0;
// deeper layers (negative z) move less across the screen.
void setCamera(const viewRect& view, point p, float nearFactor);
// Orthographic pixels, origin bottom left.
void setPixelProjection();
// Orthographic interface units 0..100, origin bottom left.
void setInterfaceProjection();
// Orthographic pixels, origin at the window's top-left corner, y negative downward.
void setTopLeftProjection();
// Orthographic pixels, origin at the window's top-right corner.
void setTopRightProjection();
