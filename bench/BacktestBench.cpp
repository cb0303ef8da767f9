// Speed of the backtest: 2,000 real draws replayed through the plan engine
// (the start-up on 30, then 1,970 merges, each with its recompute). Reported as
// draws merged per second (items_per_second).

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "stats/Backtest.h"

namespace {

constexpr std::size_t kDraws = 2000;

// The newest 2,000 of the real draws bundled with the local results server.
std::vector<std::string> RealDraws() {
    std::vector<std::string> draws;
    std::ifstream in(PK10_SOURCE_DIR "/tools/feed-sim/draws.txt");
    for (std::string line; draws.size() < kDraws && std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] != '#') {
            draws.push_back(line);
        }
    }
    return draws;
}

void BM_Backtest(benchmark::State& state) {
    const std::vector<std::string> draws = RealDraws();
    std::int64_t merged = 0;
    for (auto _ : state) {
        const pk10::BacktestResult result = pk10::RunBacktest(draws, {});
        benchmark::DoNotOptimize(result.plans.size());
        merged += result.progress.merged;
    }
    state.SetItemsProcessed(merged);
}
BENCHMARK(BM_Backtest)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
