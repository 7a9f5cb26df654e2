// The shapes interface widgets are drawn with, in interface units.
#pragma once

#include <array>

#include "basics.h"

// Texture coordinates of a quad's lower left, upper left, upper right and lower right corners.
using quadCoords = std::array<point, 4>;

// The image upright.
constexpr quadCoords UPRIGHT{{{0, 0}, {0, 1}, {1, 1}, {1, 0}}};
// The image turned by half a turn.
constexpr quadCoords HALF_TURN{{{1, 1}, {1, 0}, {0, 0}, {0, 1}}};
// The image turned a quarter clockwise, and a quarter counter-clockwise.
constexpr quadCoords QUARTER_RIGHT{{{0, 1}, {1, 1}, {1, 0}, {0, 0}}};
constexpr quadCoords QUARTER_LEFT{{{1, 0}, {0, 0}, {0, 1}, {1, 1}}};

// How far value lies from left to right; 0 when the ends are equal, so a gauge
// without a range draws empty instead of at NaN.
float valueFraction(float value, float left, float right);

// The rectangle lo..hi filled with texture, then texture 0 bound again.
void drawTexturedQuad(unsigned int texture, point lo, point hi, const quadCoords& coords);
// The rectangle's outline in the current colour.
void drawOutline(point lo, point hi);
// Arrows of width a at both ends of the horizontal rectangle lo..hi, pointing outward.
void drawHorizontalArrows(unsigned int texture, point lo, point hi, float a);
