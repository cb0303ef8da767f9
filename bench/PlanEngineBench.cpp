// Speed of the plan engine's brute-force search.
//
// Targets on the two-core build machine, median of the repetitions:
//   BM_SmartSearchAll        (10,990 candidate walks over 36 real draws)   <= 5 ms
//   BM_RecomputeFullResearch (31 draws: every slot searched, 18,990 walks) <= 10 ms
// A median above its target prints a warning after the run; the run itself
// never fails on time. BM_LineWritingWalk and BM_CountingWalk compare the walk
// that writes plan lines with the one the search uses.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "draws/DrawHistory.h"
#include "plan/CountingWalk.h"
#include "plan/PlanEngine.h"

namespace {

using pk10::DrawHistory;
using pk10::PlanEngine;
using pk10::PlanState;

// The bundled real draws, newest first.
std::vector<std::string> RealDraws(std::size_t count) {
    std::vector<std::string> draws;
    std::ifstream in(PK10_SOURCE_DIR "/tools/feed-sim/draws.txt");
    for (std::string line; draws.size() < count && std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] != '#') {
            draws.push_back(line);
        }
    }
    return draws;
}

// A started engine over `count` real draws: fillers picked, every multiplier
// searched, every book refreshed.
struct Started {
    DrawHistory history;
    PlanState state;
    PlanEngine engine{history, state};

    explicit Started(std::size_t count) {
        engine.PickAllFillerDigits();
        const std::vector<std::string> draws = RealDraws(count);
        for (std::size_t i = 0; i < draws.size(); ++i) {
            history.lines[i] = draws[i];
            history.walkLines[i] = draws[i];
        }
        history.oldest = static_cast<std::int32_t>(draws.size()) - 1;
        history.cursor = history.oldest;
        history.latest = draws.front();
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

void BM_RecomputeFullResearch(benchmark::State& state) {
    // 31 draws: every slot is searched afresh; the settling runs as it would.
    Started started(31);
    const PlanState before = started.state;
    for (auto _ : state) {
        state.PauseTiming();
        started.state = before;
        state.ResumeTiming();
        started.engine.RecomputeAllPlans();
        benchmark::DoNotOptimize(started.state.PlanMultiplier[1]);
    }
    state.counters["walks"] = 18990;
}
BENCHMARK(BM_RecomputeFullResearch)->Unit(benchmark::kMillisecond)->Repetitions(9);

void BM_LineWritingWalk(benchmark::State& state) {
    Started started(36);
    const int position = static_cast<int>(state.range(0));
    std::int32_t m = 1;
    for (auto _ : state) {
        started.history.cursor = started.history.oldest;
        started.state.WorkLineCount = 0;
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

void BM_CountingWalkSharedRows(benchmark::State& state) {
    // The search's loop alone: the digit sets of every multiplier already known.
    Started started(36);
    const int position = static_cast<int>(state.range(0));
    const auto walk = pk10::CountingWalk::Build(started.history, started.state, position, 3, 6);
    pk10::ProductSetRows rows(started.history, 6);
    for (std::int32_t m = 1; m < 2000; ++m) {
        walk->Count(m, &rows);
    }
    std::int32_t m = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(walk->Count(m, &rows));
        m = m % 1999 + 1;
    }
}
BENCHMARK(BM_CountingWalkSharedRows)->Arg(1)->Arg(4)->Arg(6)->Unit(benchmark::kNanosecond);

// Prints a warning for every median above its target.
class TargetReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        static const std::map<std::string, double> targetMs = {{"BM_SmartSearchAll", 5.0},
                                                               {"BM_RecomputeFullResearch", 10.0}};
        for (const Run& run : runs) {
            const auto target = targetMs.find(run.run_name.function_name);
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" ||
                target == targetMs.end()) {
                continue;
            }
            const double ms = run.GetAdjustedRealTime();  // the benchmarks report in ms
            std::fprintf(stderr, "%s median %.2f ms, target %.1f ms%s\n",
                         run.run_name.function_name.c_str(), ms, target->second,
                         ms > target->second ? "  WARNING: above target" : "");
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
