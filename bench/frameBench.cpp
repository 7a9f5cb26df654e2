// The real frame over the empty world at 1280 x 1024: the baseline later worlds compare against.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <iostream>

#include "gameMain.h"

namespace {

MainState* game = nullptr;

void emptyWorldFrame(benchmark::State& state) {
    for (auto _ : state) runFrame(*game);
}
BENCHMARK(emptyWorldFrame)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

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
