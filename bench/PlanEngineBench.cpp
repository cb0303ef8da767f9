// Speed of the plan engine's brute-force search.
//
// Targets on the two-core build machine, median of the repetitions:
//   BM_SmartSearchAll        (10,990 candidate walks over 36 real draws)   <= 1.0 ms
//   BM_RecomputeFullResearch (31 draws: every slot searched, 18,990 walks) <= 1.5 ms
// A median above its target prints a warning after the run; the run itself
// never fails on time. Both run on an engine that has searched these draws
// before, as in steady running, where the search's rows are kept between
// operations; BM_SmartSearchAllCold starts from an engine that kept nothing and
// BM_SmartSearchAllOneThread uses one thread. BM_LineWritingWalk and
// BM_CountingWalk compare the walk that writes plan lines with the one the
// search uses; BM_SlotScan is one slot's 2,000 candidates walked side by side.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "draws/DrawHistory.h"
#include "plan/CountingWalk.h"
#include "plan/MultiplierSearch.h"
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
    PlanEngine engine;

    explicit Started(std::size_t count, pk10::SearchOptions search = {})
        : engine(history, state, search) {
        engine.PickAllFillerDigits();
        pk10::FillHistory(history, RealDraws(count));
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
    Started started(36, pk10::SearchOptions{1, true});
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
BENCHMARK(BM_SmartSearchAllCold)->Unit(benchmark::kMillisecond)->Repetitions(3);

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

// Reports through the reporter that --benchmark_format chooses (console, json
// or csv), then prints a warning on standard error for every median above its
// target, so the figures on standard output stay in the chosen format.
class TargetReporter : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context& context) override { return display_->ReportContext(context); }

    void ReportRuns(const std::vector<Run>& runs) override {
        display_->ReportRuns(runs);
        static const std::map<std::string, double> targetMs = {{"BM_SmartSearchAll", 1.0},
                                                               {"BM_RecomputeFullResearch", 1.5}};
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

    void Finalize() override { display_->Finalize(); }

  private:
    // Owned by the library.
    benchmark::BenchmarkReporter* display_ = benchmark::CreateDefaultDisplayReporter();
};

}  // namespace

// Google Benchmark's own options (--benchmark_format, --benchmark_out and the
// rest) are read by Initialize(); --benchmark_out writes the file in
// --benchmark_out_format alongside what standard output shows.
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
