// The input side of the frame: SDL's event queue, the pointer passes and the virtual cursor.
#include "input.h"

#include "gameMain.h"
#include "pendingParts.h"

namespace {

constexpr float MOUSE_SENSITIVITY = 0.15f;  // interface units per pixel

struct keyBinding {
    SDLKey key;
    void (*action)(MainState&);
};

// Tested in order; a key runs the first binding that names it.
const keyBinding KEY_BINDINGS[] = {
    {SDLK_q, exitGame},
};

void pressKey(MainState& s, SDLKey key) {
    for (const keyBinding& binding : KEY_BINDINGS) {
        if (binding.key == key) {
            binding.action(s);
            return;
        }
    }
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
        case SDL_KEYDOWN: pressKey(s, event.key.keysym.sym); break;
        case SDL_QUIT: exitGame(s); break;
        default: break;
    }
}

void pointerPasses(MainState& s) {
    hoverDisplays(s);
    if (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(SDL_BUTTON_LEFT)) dragDisplays(s);
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
