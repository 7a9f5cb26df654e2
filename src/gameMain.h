// Start-up, the frame loop and the exit sequence of the game's main routine.
#pragma once

#include <vector>

#include <SDL.h>

#include "basics.h"
#include "frameTimeRing.h"
#include "hud.h"

class Font;
class Universe;
struct lua_State;

// What the main routine owns for the whole run.
struct MainState {
    Universe* universe = nullptr;  // the one game state, built at start-up
    lua_State* lua = nullptr;
    std::vector<Font*> fonts;      // the first draws all HUD text
    float viewHeight = 4000.0f;    // world units visible at the game plane
    float nearFactor = 1.0f;       // multiplier of the perspective near distance
    point cursor{50.0f, 50.0f};    // the virtual cursor, interface units
    FrameTimeRing frameTimes;
    unsigned lastTicks = 0;        // tick count at the start of the current frame
    int frameTime = 0;             // ms since the previous frame's start
    unsigned humSource = 0;        // the looping engine hum
    unsigned humBuffer = 0;
};

// Opens the window, loads every resource and builds the game in the working
// directory; 0 when the frame loop may start, else the exit code to end with.
int startUp(MainState& s, int argc, char** argv);
// One frame: time, input, player, camera, world passes, HUD, swap.
void runFrame(MainState& s);
// What the frame-time counters show: the current world's counts and the player's state.
frameCounters worldCounters(const MainState& s);
// Gives back what a start-up that failed part-way made: the Lua state, the fonts, the Universe.
void releaseStartUp(MainState& s);
// Shuts sound and Lua down and ends the process with code 0; nothing is saved.
[[noreturn]] void exitGame(MainState& s);
// A new Lua state with every standard library, after running the script
// fileName; the stack is left empty whether the script ran or failed.
lua_State* openUiScript(const char* fileName);
// Sets a width x height OpenGL video mode; on failure restores w x h. Whether it was set.
bool resize(int width, int height, int, bool, SDL_Surface*);
// The r key's mode change: width x height, or w x h again when that fails; either way
// GLEW, the viewport, the clear colour and blending are set up afresh.
void changeVideoMode(int width, int height);
// Saves to "temp", sets a width x height mode and loads "temp" again when it was saved.
void reloadAtSize(MainState& s, int width, int height);
// Prints the event's type name between "<" and ">".
void eventTypeDisp(SDL_Event event);
// The main routine: start-up, then frames for ever.
int SDL_main(int argc, char** argv);
