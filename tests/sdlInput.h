// SDL events and held keys made up by tests, as the game receives them from the player.
#pragma once

#include <SDL.h>

#include <initializer_list>
#include <vector>

// A key going down (SDL_KEYDOWN) or up (SDL_KEYUP) while the given modifiers were held.
inline SDL_Event keyEvent(Uint8 type, SDLKey key, SDLMod modifiers = KMOD_NONE) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    return event;
}

inline SDL_Event keyPress(SDLKey key, SDLMod modifiers = KMOD_NONE) { return keyEvent(SDL_KEYDOWN, key, modifiers); }

inline SDL_Event mouseButton(Uint8 type, Uint8 button) {
    SDL_Event event{};
    event.type = type;
    event.button.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

// Sets a key in SDL's keyboard state, which the game reads for keys held down.
inline void holdKey(SDLKey key, bool down) { SDL_GetKeyState(nullptr)[key] = down ? 1 : 0; }

// Holds keys down until destroyed.
class HeldKeys {
public:
    HeldKeys(std::initializer_list<SDLKey> keys) : keys(keys) {
        for (SDLKey key : this->keys) holdKey(key, true);
    }
    ~HeldKeys() {
        for (SDLKey key : keys) holdKey(key, false);
    }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    std::vector<SDLKey> keys;
};
