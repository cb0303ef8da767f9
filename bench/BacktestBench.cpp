// Speed of the backtest: 2,000 real draws replayed through the plan engine
// (the start-up on 30, then 1,970 merges, each with its recompute). Reported as
// draws merged per second (items_per_second); target on the two-core build
// machine, median of the repetitions: 0.25 ms per merged draw.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchDraws.h"
#include "TargetReporter.h"
#include "stats/Backtest.h"

namespace {

constexpr std::size_t kDraws = 2000;

void BM_Backtest(benchmark::State& state) {
    const std::vector<std::string> draws = pk10::bench::RealDraws(kDraws);
    std::int64_t merged = 0;
    for (auto _ : state) {
        const pk10::BacktestResult result = pk10::RunBacktest(draws, {});
        benchmark::DoNotOptimize(result.plans.size());
        merged += result.progress.merged;
    }
    state.SetItemsProcessed(merged);
}
BENCHMARK(BM_Backtest)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return pk10::bench::RunWithTargets(argc, argv, {{"BM_Backtest", {0.25, true}}});
}
