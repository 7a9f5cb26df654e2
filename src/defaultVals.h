// Constants and process-wide settings shared across the game.
#pragma once

// The world boundary lies at +-XBOUND, +-YBOUND.
constexpr float XBOUND = 100000.0f;
constexpr float YBOUND = 100000.0f;

// The window size in pixels; changes only with the video mode.
extern int w;
extern int h;
