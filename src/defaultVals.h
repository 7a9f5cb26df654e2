// Constants and process-wide settings shared across the game.
#pragma once

// The world boundary lies at +-XBOUND, +-YBOUND.
constexpr float XBOUND = 100000.0f;
constexpr float YBOUND = 100000.0f;

// Radians to degrees, for drawing rotations only; AI ships and the enemy marker
// are turned by a coarser rounding than everything else.
constexpr float DEGREES_PER_RADIAN = 57.2958f;
constexpr float DEGREES_PER_RADIAN_COARSE = 57.32f;

// The window size in pixels; changes only with the video mode.
extern int w;
extern int h;
