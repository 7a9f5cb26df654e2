// Start-up, the frame loop and the exit sequence of the game's main routine.
#include "gameMain.h"

#include <GL/glew.h>
#include <GL/glu.h>
#include <AL/alut.h>
#include <lua.hpp>

#include <cstdlib>
#include <ctime>
#include <iostream>

#include "basicsLua.h"
#include "camera.h"
#include "defaultVals.h"
#include "font.h"
#include "hud.h"
#include "input.h"
#include "loadGalaxy.h"
#include "player.h"
#include "playerAccess.h"
#include "ship.h"
#include "startLua.h"
#include "textures.h"
#include "timer.h"
#include "uiDisplay.h"
#include "universe.h"
#include "worldDrivers.h"
#include "worldState.h"

namespace {

constexpr float START_VIEW_HEIGHT = 4000.0f;
constexpr float HUM_REFERENCE_DISTANCE = 500.0f;

void greet() {
    std::srand(unsigned(std::time(nullptr)));
    std::cout << "Starting this thing" << std::endl;
}

bool initSdl() {
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO) != 0) {
        std::cerr << "SDL init failed: " << SDL_GetError() << std::endl;
        return false;
    }
    SDL_version v;
    SDL_VERSION(&v);
    std::cout << "SDL initialized" << std::endl;
    std::cout << "We compiled against SDL version " << int(v.major) << '.' << int(v.minor) << '.'
              << int(v.patch) << " ..." << std::endl;
    return true;
}

SDL_Surface* setVideoMode(int width, int height) { return SDL_SetVideoMode(width, height, 32, SDL_OPENGL); }

void openWindow() {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    setenv("SDL_VIDEO_CENTERED", "center", 1);
    setVideoMode(w, h);
    SDL_WM_SetCaption("Tuvaro", "Tuvaro?");
    SDL_WM_GrabInput(SDL_GRAB_ON);
    SDL_ShowCursor(SDL_DISABLE);
    SDL_EnableUNICODE(1);
}

void initGlew(const char* success) {
    const GLenum err = glewInit();
    if (err != GLEW_OK)
        std::cout << "Error, " << reinterpret_cast<const char*>(glewGetErrorString(err)) << std::endl;
    else
        std::cout << success << std::endl;
}

// Shows the whole world until the first frame sets the camera.
void setWorldOverview() {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double halfHeight = 1.1 * YBOUND;
    gluOrtho2D(-halfHeight * w / h, halfHeight * w / h, -halfHeight, halfHeight);
}

void clearAndBlend() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
}

// A new video mode brings a new GL context: its entry points, viewport and blending.
void setUpNewContext() {
    initGlew("Glew is re-initialized");
    glViewport(0, 0, w, h);
    clearAndBlend();
}

void loadImages() {
    std::cout << "Loading textures" << std::endl;
    loadTextures();
    loadUITextures();
}

// The first frame's time then covers everything loaded from here on.
void startFrameClock(MainState& s) {
    s.lastTicks = SDL_GetTicks();
    SDL_GetRelativeMouseState(nullptr, nullptr);
}

// A data file that cannot be read has already been named by the Universe.
bool buildUniverse(MainState& s) {
    std::cout << "Initializing Universe" << std::endl;
    s.universe = new Universe();
    if (s.universe->loaded()) return true;
    delete s.universe;
    s.universe = nullptr;
    return false;
}

void startLua(MainState& s) {
    std::cout << "Loading LUA" << std::endl;
    s.lua = openUiScript("ui.lua");
}

// Glyph rows are two bytes times any width.
void setPixelAlignment() {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

Font* loadFont() {
    std::cout << "Loading font" << std::endl;
    return new Font("subatomic.brelvosk.ttf");
}

bool buildWorlds(MainState& s) {
    std::cout << "Initializing stars" << std::endl;
    initializeShaders(*s.universe);
    if (initializeStars(*s.universe, s.lua)) return true;
    delete s.universe;
    s.universe = nullptr;
    return false;
}

void buildPlayer(MainState& s) {
    s.universe->player = initializePlayer(*s.universe);
    std::cout << "Player initialized" << std::endl;
}

void resetView(MainState& s) {
    s.viewHeight = START_VIEW_HEIGHT;
    s.nearFactor = 1.0f;
}

void connectScript(MainState& s) {
    initLua(*s.universe, s.lua);
    testXML();
}

// The first ship type, faction 1, at the front of the player's world's ships.
void placeStartShip(MainState& s) {
    Universe& u = *s.universe;
    if (u.shipTypes.empty()) {
        std::cout << "No ship types, so no ship is placed at start-up" << std::endl;
        return;
    }
    if (WorldState* world = u.playerWorld())
        world->ships.emplace_front(point{50.0f, 50.0f}, u.shipTypes.front().name, 1, u);
}

// The sound calls' results are not acted on: a silent game still plays.
void startEngineHum(MainState& s, int argc, char** argv) {
    alutInit(&argc, argv);
    alListener3f(AL_POSITION, 1.0f, 0.0f, -1.0f);
    s.humBuffer = alutCreateBufferFromFile("sounds/engine.wav");
    alGenSources(1, &s.humSource);
    alSourcei(s.humSource, AL_BUFFER, ALint(s.humBuffer));
    alSourcef(s.humSource, AL_REFERENCE_DISTANCE, HUM_REFERENCE_DISTANCE);
    alSourcef(s.humSource, AL_ROLLOFF_FACTOR, 1.0f);
    alSource3f(s.humSource, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcei(s.humSource, AL_LOOPING, AL_TRUE);
    alListener3f(AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcePlay(s.humSource);
    alSource3f(s.humSource, AL_POSITION, 0.0f, 0.0f, 0.0f);
}

void resetGameClock() {
    std::cout << getTime() << std::endl;
    setTime(0);
    std::cout << getTime() << std::endl;
    std::cout << "Done with that, now starting main loop" << std::endl;
}

void measureFrameTime(MainState& s) {
    s.frameTime = int(SDL_GetTicks() - s.lastTicks);
    s.lastTicks += unsigned(s.frameTime);
    s.frameTimes.record(s.frameTime);
}

point cursorInWorld(const MainState& s, const viewRect& view) {
    return mouseToGame(s.cursor, view.left, view.right, view.bottom, view.top);
}

// The mask keeps SDL's bits: 1 the left button, 4 the right one.
void updatePlayer(MainState& s, point target, int buttons) {
    Player* player = livePlayer(s);
    WorldState* world = playerWorld(s);
    if (player && world) player->update(s.frameTime, target, static_cast<unsigned char>(buttons), *world);
}

void drawPlayerTrail(MainState& s) {
    if (const Player* player = livePlayer(s)) player->drawTrail(int(s.lastTicks), *s.universe);
}

void drawPlayer(const MainState& s) {
    if (const Player* player = livePlayer(s)) player->draw();
}

void drawPlayerUI(const MainState& s) {
    if (const Player* player = livePlayer(s)) player->drawUI();
}

// OpenAL's z axis is the game's x axis.
void placeListener(MainState& s) {
    const point p = playerPosition(s);
    alListener3f(AL_POSITION, 0.0f, p.y, p.x);
    alSource3f(s.humSource, AL_POSITION, 0.0f, p.y, p.x);
}

void shootWhileSpaceHeld(MainState& s, const viewRect& view) {
    if (!SDL_GetKeyState(nullptr)[SDLK_SPACE]) return;
    Player* player = livePlayer(s);
    WorldState* world = playerWorld(s);
    if (player && world) player->shoot(s.lastTicks, *world, cursorInWorld(s, view), s.frameTime);
}

// A warp in the wormhole pass moves the player, so every later pass looks its world up afresh.
void runWormholes(MainState& s) {
    if (s.universe) processWormholes(*s.universe, int(s.lastTicks));
}

void runProjectiles(MainState& s) {
    if (WorldState* world = playerWorld(s)) processProjectiles(*world, *s.universe, s.frameTime, int(s.lastTicks));
}

void runStars(MainState& s) {
    if (WorldState* world = playerWorld(s)) processStars(*world, livePlayer(s), s.frameTime, *s.universe);
}

void runShips(MainState& s) {
    if (playerWorld(s)) processShips(*s.universe, livePlayer(s), s.frameTime, int(s.lastTicks));
}

// Glowing effects add their light.
void runAdditivePasses(MainState& s) {
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    runWormholes(s);
    if (s.universe) s.universe->updateGravityWalls(s.frameTime);
    runProjectiles(s);
    drawPlayerTrail(s);
    if (WorldState* world = playerWorld(s)) runTimer(int(s.lastTicks), *world);
}

// Hands the driver what the frame has drawn so far, so a driver that fills on threads of its own
// works on it while this thread goes on with the next passes, not all at once at the swap.
void startFilling() { glFlush(); }

void runAlphaPasses(MainState& s) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawPlayer(s);
    runStars(s);
    runShips(s);
}

void drawWorldOverlay(const MainState& s, const viewRect& view) {
    glColor4f(0.0f, 0.7f, 0.0f, 1.0f);
    drawMouse(cursorInWorld(s, view));
    drawBoundary();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void drawDebugOverlay(MainState& s) {
    setPixelProjection();
    drawFrameTimeGraph(s.frameTimes);
    drawFrameCounters(*s.fonts[0], worldCounters(s));
}

void drawInterfaceOverlay(MainState& s, const viewRect& view) {
    setInterfaceProjection();
    if (s.universe) mouseover(*s.universe, cursorInWorld(s, view), s.fonts[0], s.frameTime);
    drawPlayerUI(s);
    if (s.universe) s.universe->drawNotifications(s.fonts, unsigned(s.frameTime));
}

// A display is drawn before its exchange, so what a reply changes shows from the next frame.
void drawDisplays(MainState& s) {
    if (s.universe && s.lua) runDisplays(s.universe->uiDisplays, s.fonts, s.lua);
}

void resizeAsScriptAsked(MainState& s) {
    int width = 0;
    int height = 0;
    if (s.lua && takeResizeRequest(s.lua, width, height)) reloadAtSize(s, width, height);
}

void drawCornerMaps(MainState& s) {
    WorldState* world = playerWorld(s);
    if (!world) return;
    setTopLeftProjection();
    topLeftUI(*world, livePlayer(s));
    setTopRightProjection();
    topRightUI(*world, livePlayer(s));
}

void swapBuffers() {
    SDL_GL_SwapBuffers();
    glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace

frameCounters worldCounters(const MainState& s) {
    frameCounters counters;
    if (!s.universe) return counters;
    if (const WorldState* world = s.universe->currentWorld) {
        counters.ships = unsigned(world->ships.size());
        counters.projectiles = unsigned(world->projectiles.size());
        counters.timers = unsigned(world->timers.size());
    }
    if (const Player* player = livePlayer(s)) {
        counters.playerHealth = player->getHealth();
        counters.landedPlanet = player->getPlanetId();
    }
    return counters;
}

int startUp(MainState& s, int argc, char** argv) {
    greet();
    if (!initSdl()) return 1;
    std::atexit(SDL_Quit);
    openWindow();
    initGlew("Glew is initialized");
    setWorldOverview();
    clearAndBlend();
    loadImages();
    startFrameClock(s);
    if (!buildUniverse(s)) return 1;
    startLua(s);
    setPixelAlignment();
    s.fonts = {loadFont()};
    if (!buildWorlds(s)) return 1;
    buildPlayer(s);
    resetView(s);
    connectScript(s);
    placeStartShip(s);
    s.frameTimes = FrameTimeRing();
    startEngineHum(s, argc, argv);
    resetGameClock();
    return 0;
}

// The view follows the player's position before its update for the target it
// steers to, and its new position for everything drawn.
void runFrame(MainState& s) {
    const float aspect = float(w) / float(h);
    measureFrameTime(s);
    pollEvents(s);
    pointerPasses(s);
    const int buttons = moveVirtualCursor(s.cursor);
    const point target = cursorInWorld(s, viewAround(playerPosition(s), s.viewHeight, aspect));
    updatePlayer(s, target, buttons);
    placeListener(s);
    if (s.universe) s.universe->processSounds();
    const viewRect view = viewAround(playerPosition(s), s.viewHeight, aspect);
    setCamera(view, playerPosition(s), s.nearFactor);
    drawBackground();
    startFilling();
    shootWhileSpaceHeld(s, view);
    runAdditivePasses(s);
    startFilling();
    runAlphaPasses(s);
    drawWorldOverlay(s, view);
    drawDebugOverlay(s);
    drawInterfaceOverlay(s, view);
    drawDisplays(s);
    resizeAsScriptAsked(s);
    drawCornerMaps(s);
    swapBuffers();
}

void releaseStartUp(MainState& s) {
    if (s.lua) lua_close(s.lua);
    s.lua = nullptr;
    for (Font* font : s.fonts) delete font;
    s.fonts.clear();
    delete s.universe;
    s.universe = nullptr;
}

void exitGame(MainState& s) {
    alutExit();
    lua_close(s.lua);
    std::exit(0);
}

// Dumping the script's results allocates, where a finaliser it left can raise, so all of it
// runs protected; the results go with the protected call, so later calls do not read them
// as their own.
lua_State* openUiScript(const char* fileName) {
    lua_State* lua = luaL_newstate();
    runProtected(lua, [&] {
        luaL_openlibs(lua);
        if (luaL_loadfile(lua, fileName) != 0 || lua_pcall(lua, 0, LUA_MULTRET, 0) != 0)
            std::cout << "Error opening ui.lua" << std::endl;
        stackDump(lua);
    }, "Error opening ui.lua: ");
    return lua;
}

// SDL takes a zero size as "the current size": the window's true size is kept,
// since a zero w or h would divide the aspect by zero.
bool resize(int width, int height, int, bool, SDL_Surface*) {
    const SDL_Surface* screen = setVideoMode(width, height);
    if (!screen) {
        std::cout << "Unable to set " << width << " x " << height << " 32b video: " << SDL_GetError()
                  << std::endl;
        setVideoMode(w, h);
        return false;
    }
    w = screen->w;
    h = screen->h;
    setUpNewContext();
    return true;
}

// A failed save must not be followed by loading whatever "temp" held before.
void reloadAtSize(MainState& s, int width, int height) {
    const bool saved = s.universe && s.universe->saveGame("temp");
    changeVideoMode(width, height);
    if (saved)
        s.universe->loadGame("temp", s.lua);
    else
        std::cout << "Slot temp was not saved, so the game is not reloaded from it" << std::endl;
}

// The old mode set again may come with a new context too.
void changeVideoMode(int width, int height) {
    if (!resize(width, height, 0, false, nullptr)) setUpNewContext();
}

void eventTypeDisp(SDL_Event event) {
    const char* name = "Unusual SDL event";
    switch (event.type) {
        case SDL_ACTIVEEVENT: name = "Active Event"; break;
        case SDL_KEYDOWN: name = "KEY DOWN"; break;
        case SDL_KEYUP: name = "KEY UP"; break;
        case SDL_MOUSEMOTION: name = "MOUSE MOTION"; break;
        case SDL_MOUSEBUTTONDOWN: name = "MOUSEBUTTONDOWN"; break;
        case SDL_MOUSEBUTTONUP: name = "MOUSEBUTTONUP"; break;
        case SDL_JOYAXISMOTION: name = "JOYAXISMOTION"; break;
        case SDL_JOYBALLMOTION: name = "JOYBALLMOTION"; break;
        case SDL_JOYHATMOTION: name = "JOYHATMOTION"; break;
        case SDL_JOYBUTTONDOWN: name = "JOYBUTTONDOWN"; break;
        case SDL_JOYBUTTONUP: name = "JOYBUTTONUP"; break;
        case SDL_QUIT: name = "QUIT"; break;
        case SDL_SYSWMEVENT: name = "SOME KIND OF UNHANDLED WINDOW MANAGER EVENT"; break;
        case SDL_VIDEORESIZE: name = "VIDEORESIZE"; break;
        case SDL_VIDEOEXPOSE: name = "VIDEOEXPOSE"; break;
    }
    std::cout << '<' << name << '>' << std::endl;
}

int SDL_main(int argc, char** argv) {
    MainState s;
    const int failure = startUp(s, argc, argv);
    if (failure != 0) {
        releaseStartUp(s);
        return failure;
    }
    for (;;) runFrame(s);
}
