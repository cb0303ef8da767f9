#pragma once
// The benchmarks' targets. Runs are reported through the reporter that
// --benchmark_format chooses (console, json or csv); each target's median is
// then printed on standard error next to its target, with a warning when it is
// above, so the figures on standard output stay in the chosen format. The run
// itself never fails on time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace pk10::bench {

struct Target {
    double ms = 0;
    // Per processed item (1000 / items_per_second) instead of per iteration.
    bool perItem = false;
};

class TargetReporter : public benchmark::BenchmarkReporter {
  public:
    explicit TargetReporter(std::map<std::string, Target> targets) : targets_(std::move(targets)) {}

    bool ReportContext(const Context& context) override { return display_->ReportContext(context); }

    void ReportRuns(const std::vector<Run>& runs) override {
        display_->ReportRuns(runs);
        for (const Run& run : runs) {
            const auto target = targets_.find(run.run_name.function_name);
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" ||
                target == targets_.end()) {
                continue;
            }
            double ms =
                run.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (target->second.perItem) {
                const auto rate = run.counters.find("items_per_second");
                ms = rate != run.counters.end() && rate->second.value > 0 ? 1e3 / rate->second.value
                                                                          : ms;
            }
            std::fprintf(stderr, "%s median %.3f ms%s, target %.2f ms%s\n",
                         run.run_name.function_name.c_str(), ms,
                         target->second.perItem ? " per item" : "", target->second.ms,
                         ms > target->second.ms ? "  WARNING: above target" : "");
        }
    }

    void Finalize() override { display_->Finalize(); }

  private:
    std::map<std::string, Target> targets_;
    // Owned by the library.
    benchmark::BenchmarkReporter* display_ = benchmark::CreateDefaultDisplayReporter();
};

// The body of a benchmark program's main() with these targets. Google
// Benchmark's own options (--benchmark_format, --benchmark_out and the rest)
// are read by Initialize(); --benchmark_out writes the file in
// --benchmark_out_format alongside what standard output shows.
inline int RunWithTargets(int argc, char** argv, std::map<std::string, Target> targets) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    TargetReporter reporter(std::move(targets));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace pk10::bench
