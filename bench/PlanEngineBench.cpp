// Speed of the plan engine's brute-force search.
//
// Targets on the two-core build machine, median of the repetitions:
//   BM_SmartSearchAll        (10,990 candidate walks over 36 real draws)   <= 1.0 ms
//   BM_SmartSearchAllCold    (the same from an engine that kept nothing)    <= 1.0 ms
//   BM_RecomputeFullResearch (31 draws: every slot searched, 18,990 walks) <= 1.5 ms
// A median above its target prints a warning after the run; the run itself
// never fails on time. BM_SmartSearchAll runs on an engine that has searched
// these draws before, as the re-plan command does; BM_SmartSearchAllCold starts
// from an engine that kept nothing, as at start-up, and
// BM_SmartSearchAllOneThread and BM_SmartSearchAllColdOneThread use one thread.
// BM_RecomputeFullResearch is the recompute after the trim, from a new oldest draw.
// BM_LineWritingWalk and BM_CountingWalk compare the walk that writes plan lines with the one the
// search uses; BM_SlotScan is one slot's 2,000 candidates walked side by side.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "BenchDraws.h"
#include "TargetReporter.h"
#include "draws/DrawHistory.h"
#include "plan/CountingWalk.h"
#include "plan/MultiplierSearch.h"
#include "plan/PlanEngine.h"

namespace {

using pk10::DrawHistory;
using pk10::PlanEngine;
using pk10::PlanState;

using pk10::bench::RealDraws;

// A started engine over `count` real draws: fillers picked, every multiplier
// searched, every book refreshed.
struct Started {
    DrawHistory history;
    PlanState state;
    PlanEngine engine;

    // The `count` draws after the newest `skip` ones.
    explicit Started(std::size_t count, std::size_t skip = 0, pk10::SearchOptions search = {})
        : engine(history, state, search) {
        engine.PickAllFillerDigits();
        std::vector<std::string> draws = RealDraws(count + skip);
        draws.erase(draws.begin(), draws.begin() + static_cast<long>(skip));
        pk10::FillHistory(history, draws);
        engine.SmartSearchAll();
        for (int position = 1; position <= 10; ++position) {
            engine.RefreshPositionBook(position);
        }
    }
};

void BM_SmartSearchAll(benchmark::State& state) {
    Started started(36);
    for (auto _ : state) {
        started.engine.SmartSearchAll();
        benchmark::DoNotOptimize(started.state.PlanMultiplier[1]);
    }
    state.counters["walks"] = 10990;
}
BENCHMARK(BM_SmartSearchAll)->Unit(benchmark::kMillisecond)->Repetitions(9);

void BM_SmartSearchAllOneThread(benchmark::State& state) {
    Started started(36, 0, pk10::SearchOptions{1, true});
    for (auto _ : state) {
        started.engine.SmartSearchAll();
        benchmark::DoNotOptimize(started.state.PlanMultiplier[1]);
    }
}
BENCHMARK(BM_SmartSearchAllOneThread)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_SmartSearchAllCold(benchmark::State& state) {
    Started started(36);
    for (auto _ : state) {
        PlanEngine fresh(started.history, started.state);
        fresh.SmartSearchAll();
        benchmark::DoNotOptimize(started.state.PlanMultiplier[1]);
    }
}
BENCHMARK(BM_SmartSearchAllCold)->Unit(benchmark::kMillisecond)->Repetitions(9);

void BM_SmartSearchAllColdOneThread(benchmark::State& state) {
    Started started(36);
    for (auto _ : state) {
        PlanEngine fresh(started.history, started.state, pk10::SearchOptions{1, true});
        fresh.SmartSearchAll();
        benchmark::DoNotOptimize(started.state.PlanMultiplier[1]);
    }
}
BENCHMARK(BM_SmartSearchAllColdOneThread)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_RecomputeFullResearch(benchmark::State& state) {
    // As in steady running: an engine that searched every slot at 31 draws and
    // went on to 36 sees the history trimmed to 30 and a new draw merged, so
    // its 31 draws make every slot search afresh from a new oldest draw; the
    // settling runs as it would.
    const std::vector<std::string> draws = RealDraws(37);
    auto window = [&](std::size_t newest, std::size_t count) {
        return std::vector<std::string>(draws.begin() + static_cast<long>(newest),
                                        draws.begin() + static_cast<long>(newest + count));
    };
    for (auto _ : state) {
        state.PauseTiming();
        auto started = std::make_unique<Started>(30, 7);
        for (std::size_t newest = 6; newest >= 1; --newest) {
            pk10::FillHistory(started->history, window(newest, 37 - newest));
            started->engine.RecomputeAllPlans();
        }
        pk10::FillHistory(started->history, window(0, 31));
        state.ResumeTiming();
        started->engine.RecomputeAllPlans();
        benchmark::DoNotOptimize(started->state.PlanMultiplier[1]);
        state.PauseTiming();
        started.reset();
        state.ResumeTiming();
    }
    state.counters["walks"] = 18990;
}
BENCHMARK(BM_RecomputeFullResearch)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(9);

void BM_LineWritingWalk(benchmark::State& state) {
    Started started(36);
    const int position = static_cast<int>(state.range(0));
    std::int32_t m = 1;
    for (auto _ : state) {
        started.history.cursor = started.history.oldest;
        started.state.scratch.WorkLineCount = 0;
        started.engine.PrepareWalk();
        benchmark::DoNotOptimize(started.engine.WalkPositionPlan(position, m, 3, 6));
        m = m % 1999 + 1;
    }
}
BENCHMARK(BM_LineWritingWalk)->Arg(1)->Arg(4)->Arg(6)->Unit(benchmark::kNanosecond);

void BM_CountingWalk(benchmark::State& state) {
    Started started(36);
    const int position = static_cast<int>(state.range(0));
    const auto walk = pk10::CountingWalk::Build(started.history, started.state, position, 3, 6);
    std::int32_t m = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(walk->Count(m));
        m = m % 1999 + 1;
    }
}
BENCHMARK(BM_CountingWalk)->Arg(1)->Arg(4)->Arg(6)->Unit(benchmark::kNanosecond);

void BM_SlotScan(benchmark::State& state) {
    // One slot's 2,000 candidates walked side by side over rows already kept.
    Started started(36);
    pk10::MultiplierSearch search;
    const int slot = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(search.HitCounts(started.history, started.state, slot, 3, 6));
    }
}
BENCHMARK(BM_SlotScan)->Arg(1)->Arg(2)->Arg(6)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return pk10::bench::RunWithTargets(argc, argv,
                                       {{"BM_SmartSearchAll", {1.0}},
                                        {"BM_SmartSearchAllCold", {1.0}},
                                        {"BM_RecomputeFullResearch", {1.5}}});
}
