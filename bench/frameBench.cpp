// The real frame at 1280 x 1024: over an empty world (the baseline), with the player flying
// and laying gravity walls over the shipped data set, and with the player on a planet of the
// shipped galaxy in play.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "gameMain.h"
#include "planet.h"
#include "player.h"
#include "playerAccess.h"
#include "universe.h"
#include "worldState.h"

namespace {

constexpr unsigned BUTTON_PHASE_MS = 1000;  // left button held, then released, for this long each
const point WALL_CURSOR{70.0f, 60.0f};      // lays the walls off to the ship's upper right

MainState* game = nullptr;

// Without a universe only the background, the overlays and the HUD are drawn.
void emptyWorldFrame(benchmark::State& state) {
    Universe* universe = game->universe;
    game->universe = nullptr;
    for (auto _ : state) runFrame(*game);
    game->universe = universe;
}

// The player's update reads the steering keys from SDL's keyboard state.
void holdSteering(bool down) {
    Uint8* keys = SDL_GetKeyState(nullptr);
    keys[SDLK_w] = down ? 1 : 0;
    keys[SDLK_d] = down ? 1 : 0;
}

// SDL takes its button state from the X server, so the press goes through it.
void pressLeftButton(bool down) {
    if (std::system(down ? "xdotool mousedown 1" : "xdotool mouseup 1") != 0)
        std::cout << "xdotool failed: no walls are laid" << std::endl;
}

size_t liveWalls() {
    const WorldState* world = playerWorld(*game);
    return world ? world->gravityWalls.size() : 0;
}

// Thrusting while turning flies circles near the start; the button's phases lay walls
// that pull and fade, then let the grav tool recharge.
void flyingFrame(benchmark::State& state) {
    if (!livePlayer(*game)) {
        state.SkipWithError("no player to fly");
        return;
    }
    holdSteering(true);
    game->cursor = WALL_CURSOR;
    bool held = false;
    unsigned nextPhase = SDL_GetTicks();
    size_t wallsSeen = 0;
    for (auto _ : state) {
        if (SDL_GetTicks() >= nextPhase) {
            state.PauseTiming();
            held = !held;
            pressLeftButton(held);
            nextPhase = SDL_GetTicks() + BUTTON_PHASE_MS;
            state.ResumeTiming();
        }
        runFrame(*game);
        if (liveWalls() > wallsSeen) wallsSeen = liveWalls();
    }
    if (held) pressLeftButton(false);
    holdSteering(false);
    state.counters["mostWalls"] = double(wallsSeen);
}

// The ship sits on the first planet of its world, whose satellites circle in view, and fires:
// the stars, planets, satellites, ships and shots of the world are all drawn every frame.
void galaxyFrame(benchmark::State& state) {
    Player* player = livePlayer(*game);
    WorldState* world = playerWorld(*game);
    if (!player || !world || world->stars.empty() || world->stars.front().getPlanets().empty()) {
        state.SkipWithError("no planet to land on");
        return;
    }
    const Planet& planet = world->stars.front().getPlanets().front();
    player->x = planet.getPos().x + planet.getRadius() + player->getRadius();
    player->y = planet.getPos().y;
    player->setVelocity(planet.getVelocity());
    Uint8* keys = SDL_GetKeyState(nullptr);
    keys[SDLK_SPACE] = 1;
    for (auto _ : state) runFrame(*game);
    keys[SDLK_SPACE] = 0;
    state.counters["landedOn"] = double(player->getPlanetId());
    state.counters["ships"] = double(world->ships.size());
    state.counters["shots"] = double(world->projectiles.size());
    state.counters["timers"] = double(world->timers.size());
}

void configure(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
}

BENCHMARK(emptyWorldFrame)->Apply(configure);
BENCHMARK(flyingFrame)->Apply(configure);
BENCHMARK(galaxyFrame)->Apply(configure);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (chdir(TUVARO_GAME_DIR) != 0) {
        std::cout << "Cannot enter the run directory " << TUVARO_GAME_DIR << std::endl;
        return 1;
    }
    static MainState state;
    const int failure = startUp(state, argc, argv);
    if (failure != 0) return failure;
    game = &state;
    benchmark::RunSpecifiedBenchmarks();
    exitGame(state);
}
