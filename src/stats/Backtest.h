#pragma once
// The backtest: a file of real draws replayed through the same plan engine as
// the live program, with no network and no files, collecting every plan the
// engine settles; and the same plans' spans settled with random numbers, so
// the plans can be judged against chance on the same draws.
//
// The replay: the start-up on the oldest 30 draws (the filler pick on the empty
// history, the history filled as the text feed fills it, the search of every
// multiplier, fresh books as made at the first start of a day, the recompute),
// then every later draw merged as the XML poll merges it (the trim to 30 lines
// included), each merge followed by the recompute.
//
// Threads: RunBacktest runs on the calling thread and owns everything it uses,
// so several may run at once. The progress callback runs on that thread; the
// cancel flag may be set from any other.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "stats/PlanStats.h"
#include "stats/SettledPlan.h"

namespace pk10 {

inline constexpr std::uint64_t kDefaultRandomSeed = 20140101;
inline constexpr int kStartupDraws = 30;

struct BacktestProgress {
    int merged = 0;   // draws merged after the start-up so far
    int toMerge = 0;  // draws after the start-up in all
};

struct BacktestOptions {
    // Seed of the random plans' numbers.
    std::uint64_t randomSeed = kDefaultRandomSeed;
    // Called after the start-up and after every merged draw; may be empty.
    std::function<void(const BacktestProgress&)> progress;
    // Checked before every draw: once it is true the replay stops and the result
    // is marked partial. May be null.
    const std::atomic<bool>* cancel = nullptr;
};

struct BacktestResult {
    // Every plan the engine settled, in the order it settled them.
    std::vector<SettledPlan> plans;
    // For every hit or miss among `plans`, in the same order: six random numbers
    // settled over the same span and the same draws. A span that runs past the
    // last replayed draw without a hit has no random plan.
    std::vector<SettledPlan> randomPlans;
    StatsReport engine;  // statistics of `plans` (lines that did not read counted as skipped)
    StatsReport random;  // statistics of `randomPlans`
    std::uint64_t randomSeed = 0;
    int draws = 0;  // draws given
    BacktestProgress progress;
    bool partial = false;  // cancelled before the last draw
    std::int32_t firstPeriod = 0;
    std::int32_t lastPeriod = 0;  // the newest draw replayed
};

// Replays `newestFirst` (well-formed DrawLines, newest first, at least 31, with
// consecutive periods; see ReadDrawFile). Fewer than 31 draws give an empty result.
BacktestResult RunBacktest(const std::vector<std::string>& newestFirst,
                           const BacktestOptions& options);

}  // namespace pk10
