// The input side of the frame: SDL's event queue, the pointer passes and the virtual cursor.
#include "input.h"

#include <cmath>
#include <string>
#include <vector>

#include "gameMain.h"
#include "uiDisplay.h"
#include "player.h"
#include "playerAccess.h"
#include "universe.h"
#include "worldState.h"

namespace {

constexpr float MOUSE_SENSITIVITY = 0.15f;  // interface units per pixel
constexpr float ZOOM_STEP = 1.2f;
constexpr float NEAR_STEP = 1.2f;
constexpr unsigned TEST_NOTIFICATION_MS = 5000;
constexpr int REMODE_WIDTH = 800;
constexpr int REMODE_HEIGHT = 600;
const std::vector<float> PLANET_INTERFACE_EVENT = {1.0f, 6.4f, 9.4f, -94.0f};
const std::vector<std::string> TEST_NOTIFICATION = {"Testing", "Line2"};

// Only the key's own event knows what was held when it went down: by the time a slow frame
// handles it, the key state may show a Shift pressed or let go since, and a load would save.
bool shiftHeld(SDLMod modifiers) { return modifiers & KMOD_SHIFT; }

// A step that would reach 0 or infinity is refused: from there the opposite key could
// never bring the view back, and the camera's frustum would be invalid.
void stepTo(float& value, float next) {
    if (std::isnormal(next)) value = next;
}

void quit(MainState& s, int) { exitGame(s); }
void nearer(MainState& s, int) { stepTo(s.nearFactor, s.nearFactor * NEAR_STEP); }
void farther(MainState& s, int) { stepTo(s.nearFactor, s.nearFactor / NEAR_STEP); }
void zoomIn(MainState& s, int) { stepTo(s.viewHeight, s.viewHeight / ZOOM_STEP); }
void zoomOut(MainState& s, int) { stepTo(s.viewHeight, s.viewHeight * ZOOM_STEP); }

bool saveSlot(MainState& s, const std::string& slot) { return s.universe && s.universe->saveGame(slot); }

void loadSlot(MainState& s, const std::string& slot) {
    if (s.universe) s.universe->loadGame(slot, s.lua);
}

void reMode(MainState& s, int) { reloadAtSize(s, REMODE_WIDTH, REMODE_HEIGHT); }

void clearShips(MainState& s, int) {
    WorldState* world = playerWorld(s);
    if (!world) return;
    for (const Ship& ship : world->ships) s.universe->removeShip(ship.getID());
    world->ships.clear();
}

void testNotification(MainState& s, int) {
    if (s.universe) s.universe->addNotification(TEST_NOTIFICATION, TEST_NOTIFICATION_MS, 0);
}

void openPlanetInterface(MainState& s, int) {
    const Player* player = livePlayer(s);
    if (player && player->getKeysOn() && player->isLanded() && s.lua)
        uiEvent(s.universe->uiDisplays, PLANET_INTERFACE_EVENT, s.fonts, s.lua);
}

// F1 to F5 name the slots "1" to "5".
void saveOrLoad(MainState& s, const SDL_keysym& key) {
    const std::string name = std::to_string(key.sym - SDLK_F1 + 1);
    if (shiftHeld(key.mod))
        saveSlot(s, name);
    else
        loadSlot(s, name);
}

void pickWeapon(MainState& s, int slot) {
    if (Player* player = livePlayer(s)) player->setWeapon(unsigned(slot));
}

struct keyBinding {
    SDLKey key;
    void (*action)(MainState&, int);
    int argument;
};

// Tested in order; a key runs the first binding that names it.
const keyBinding KEY_BINDINGS[] = {
    {SDLK_q, quit, 0},
    {SDLK_n, nearer, 0},
    {SDLK_m, farther, 0},
    {SDLK_r, reMode, 0},
    {SDLK_c, clearShips, 0},
    {SDLK_p, testNotification, 0},
    {SDLK_e, openPlanetInterface, 0},
    {SDLK_MINUS, zoomIn, 0},
    {SDLK_EQUALS, zoomOut, 0},
    {SDLK_1, pickWeapon, 0},
    {SDLK_2, pickWeapon, 1},
    {SDLK_3, pickWeapon, 2},
    {SDLK_4, pickWeapon, 3},
    {SDLK_5, pickWeapon, 4},
    {SDLK_6, pickWeapon, 5},
    {SDLK_7, pickWeapon, 6},
};

void pressKey(MainState& s, const SDL_keysym& key) {
    if (key.sym >= SDLK_F1 && key.sym <= SDLK_F5) {
        saveOrLoad(s, key);
        return;
    }
    for (const keyBinding& binding : KEY_BINDINGS) {
        if (binding.key == key.sym) {
            binding.action(s, binding.argument);
            return;
        }
    }
}

void pressButton(MainState& s, Uint8 button) {
    Player* player = livePlayer(s);
    switch (button) {
        case SDL_BUTTON_LEFT: if (s.universe) clickDisplays(s.universe->uiDisplays, s.cursor); break;
        case SDL_BUTTON_WHEELUP: if (player) player->increaseWeapon(); break;
        case SDL_BUTTON_WHEELDOWN: if (player) player->decreaseWeapon(); break;
        default: break;
    }
}

// Either grav-tool button let go ends the wall being laid.
void releaseButton(MainState& s, Uint8 button) {
    if (button != SDL_BUTTON_LEFT && button != SDL_BUTTON_RIGHT) return;
    if (Player* player = livePlayer(s)) player->buttonUp();
}

float clampToInterface(float v) {
    if (v < 0.0f) return 0.0f;
    if (v > 100.0f) return 100.0f;
    return v;
}

}  // namespace

void pollEvents(MainState& s) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) handleEvent(s, event);
}

void handleEvent(MainState& s, const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN: pressKey(s, event.key.keysym); break;
        case SDL_MOUSEBUTTONDOWN: pressButton(s, event.button.button); break;
        case SDL_MOUSEBUTTONUP: releaseButton(s, event.button.button); break;
        case SDL_QUIT: exitGame(s); break;
        default: break;
    }
}

void pointerPasses(MainState& s) {
    if (!s.universe) return;
    hoverDisplays(s.universe->uiDisplays, s.cursor);
    if (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(SDL_BUTTON_LEFT))
        dragDisplays(s.universe->uiDisplays, s.cursor, s.frameTime);
}

void moveCursor(point& cursor, int dx, int dy) {
    cursor.x = clampToInterface(cursor.x + float(dx) * MOUSE_SENSITIVITY);
    cursor.y = clampToInterface(cursor.y - float(dy) * MOUSE_SENSITIVITY);
}

int moveVirtualCursor(point& cursor) {
    int dx = 0;
    int dy = 0;
    const int buttons = SDL_GetRelativeMouseState(&dx, &dy);
    moveCursor(cursor, dx, dy);
    return buttons;
}
