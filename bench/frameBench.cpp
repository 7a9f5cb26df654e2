// The real frame at 1280 x 1024: over an empty world (the baseline), with the player flying
// and laying gravity walls over the shipped data set, with the player on a planet of the
// shipped galaxy in play, and with AI ships of the shipped types and factions fighting
// around the player, on the reference passes and on the optimised ones.
#include <GL/glew.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

#include "camera.h"
#include "defaultVals.h"
#include "gameMain.h"
#include "planet.h"
#include "player.h"
#include "playerAccess.h"
#include "shipGrid.h"
#include "spriteBatch.h"
#include "timer.h"
#include "universe.h"
#include "viewCulling.h"
#include "worldDrivers.h"
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


// 1000 ships within this radius: dense enough that most ships have a hostile within 2000. Other
// fleets fight at the same density, so that a bigger battle is a wider one, not a denser one.
constexpr float ARENA_RADIUS = 4000.0f;
float arenaRadius = ARENA_RADIUS;

float uniform() { return float(std::rand()) / float(RAND_MAX); }

point arenaPoint(point centre) {
    const float angle = uniform() * 6.2832f;
    const float r = arenaRadius * std::sqrt(uniform());
    return {centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)};
}

// Ship k takes the k-th type and faction in turn; followers follow the ship before, travellers
// go to arena points and miners to the world's first planet.
void addFighter(Universe& u, WorldState& world, point centre, unsigned k) {
    const shipDataStruct& type = u.shipTypes[k % u.shipTypes.size()];
    const short faction = short(k % u.factionNames.size());
    const unsigned previous = world.ships.empty() ? 0 : world.ships.back().getID();
    Ship& ship = world.ships.emplace_back(arenaPoint(centre), type.name, faction, u);
    ship.setDestinationPoint(arenaPoint(centre));
    ship.setDestinationShip(previous);
    if (!world.stars.empty() && !world.stars[0].getPlanets().empty())
        ship.setDestinationPlanet(unsigned(world.stars[0].getPlanets()[0].getID()));
}

// Shots of every type but the drill (which fires none), flying every way from anywhere in the arena.
void addShot(WorldState& world, point centre) {
    int type = std::rand() % int(WEAPONDATA.size());
    if (WEAPONDATA[size_t(type)].name == "Planet Drill") type = 0;
    world.projectiles.emplace_front(arenaPoint(centre), uniform() * 6.2832f, world, type, 0.0f, 0.0f,
                                    short(std::rand() % 4), std::vector<short>());
}

// Ships lost to rams and fire are replaced, so every frame fights with n ships and at least m shots.
void topUpFight(unsigned n, unsigned m) {
    Universe& u = *game->universe;
    WorldState* world = playerWorld(*game);
    if (!world) return;
    std::cout.setstate(std::ios::failbit);  // the constructors' debug lines
    for (unsigned k = unsigned(world->ships.size()); k < n; k++) addFighter(u, *world, playerPosition(*game), k);
    std::cout.clear();
    while (world->projectiles.size() < m && !WEAPONDATA.empty()) addShot(*world, playerPosition(*game));
}

void clearWorld() {
    Universe& u = *game->universe;
    WorldState* world = playerWorld(*game);
    for (Ship& ship : world->ships) u.removeShip(ship.getID());
    world->ships.clear();
    world->projectiles.clear();
    for (TimerBase* timer : world->timers) delete timer;
    world->timers.clear();
}

// Explosions last a second: a battle measured from its first frame would be measured half-grown.
constexpr unsigned WARM_UP_MS = 1500;

template <class Step>
void warmUp(Step& step, unsigned n, unsigned m) {
    const unsigned end = SDL_GetTicks() + WARM_UP_MS;
    while (SDL_GetTicks() < end) {
        step();
        topUpFight(n, m);
    }
}

// Arguments: optimised (1: ship grids, sprite batches and culling) or the reference passes (0), ships, shots.
// Tops the fight up outside the timing, and reports the average shots and timers in flight.
template <class Step>
void fight(benchmark::State& state, Step step) {
    if (!playerWorld(*game)) {
        state.SkipWithError("no world to fight in");
        return;
    }
    enableShipGrid(state.range(0) != 0);
    enableSpriteBatches(state.range(0) != 0);
    enableViewCulling(state.range(0) != 0);
    const unsigned n = unsigned(state.range(1)), m = unsigned(state.range(2));
    arenaRadius = ARENA_RADIUS * std::sqrt(float(n) / 1000.0f);
    clearWorld();
    topUpFight(n, m);
    warmUp(step, n, m);
    double shots = 0, timers = 0;
    for (auto _ : state) {
        step();
        const WorldState& world = *playerWorld(*game);
        shots += double(world.projectiles.size());
        timers += double(world.timers.size());
        state.PauseTiming();
        topUpFight(n, m);
        state.ResumeTiming();
    }
    state.counters["shots"] = benchmark::Counter(shots, benchmark::Counter::kAvgIterations);
    state.counters["timers"] = benchmark::Counter(timers, benchmark::Counter::kAvgIterations);
    clearWorld();
    enableShipGrid(true);
    enableSpriteBatches(true);
    enableViewCulling(true);
}

void combatFrame(benchmark::State& state) { fight(state, [] { runFrame(*game); }); }

// The shot, timer and ship passes alone, onto a 1 x 1 viewport under the overlays' pixel projection,
// which shows the world's first 1280 x 1024 units from the origin, far from the battle: the
// optimised passes skip their draws, the reference passes send them to be clipped away.
void combatSimulation(benchmark::State& state) {
    const point p = playerPosition(*game);
    if (std::hypot(p.x, p.y) < 2 * ARENA_RADIUS * 2 + 2000) {
        state.SkipWithError("the battle would show under the pixel projection");
        return;
    }
    setPixelProjection();
    glViewport(0, 0, 1, 1);
    unsigned last = SDL_GetTicks();
    fight(state, [&last] {
        const unsigned now = SDL_GetTicks();
        const int dt = int(now - last);
        last = now;
        Universe& u = *game->universe;
        WorldState& world = *playerWorld(*game);
        processProjectiles(world, u, dt, int(now));
        runTimer(int(now), world);
        processShips(u, livePlayer(*game), dt, int(now));
        glFinish();
    });
    glViewport(0, 0, w, h);
}

void configure(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
}

// Every battle on the reference passes and then on the optimised ones.
void battles(benchmark::internal::Benchmark* b) {
    configure(b);
    b->ArgNames({"optimised", "ships", "shots"});
    for (int optimised : {0, 1})
        for (auto fleet : {std::pair{100, 0}, {1000, 0}, {4000, 0}, {1000, 5000}})
            b->Args({optimised, fleet.first, fleet.second});
}

BENCHMARK(emptyWorldFrame)->Apply(configure);
BENCHMARK(flyingFrame)->Apply(configure);
BENCHMARK(galaxyFrame)->Apply(configure);
BENCHMARK(combatFrame)->Apply(battles);
BENCHMARK(combatSimulation)->Apply(battles);

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
