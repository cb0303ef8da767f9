#include "stats/Backtest.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <unordered_map>

#include "draws/DrawHistory.h"
#include "draws/DrawLine.h"
#include "draws/FetchTextFeed.h"
#include "draws/PollXmlFeed.h"
#include "plan/PlanEngine.h"
#include "stats/SettledCollection.h"

namespace pk10 {
namespace {

// The engine of one replay and the plans it has settled so far.
class Replay {
  public:
    // The start-up sequence's plan work on the oldest draws (newest first).
    void StartUp(const std::vector<std::string>& newestFirst) {
        // Before the history is filled, so the pick is that of every start.
        engine_.PickAllFillerDigits();
        StoreTextFeedDraws(history_, newestFirst);
        history_.latest = history_.lines[0];
        engine_.SmartSearchAll();
        // The first start of a day: no per-day file exists, every book is made afresh.
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            engine_.RefreshPositionBook(PositionOfSlot(slot));
        }
        RecomputeAndCollect();
    }

    // One draw as the XML poll merges it, and the recompute that follows.
    void Merge(const std::string& draw) {
        if (MergeIntoHistory(history_, draw)) {
            RecomputeAndCollect();
        }
    }

    // The plans settled so far, and the settled lines that did not read.
    SettledCollection& collected() { return collected_; }

  private:
    void RecomputeAndCollect() {
        const BySlot<std::string> running = RunningLines(state_.books);
        engine_.RecomputeAllPlans();
        CollectSettled(running, state_.books, collected_);
    }

    DrawHistory history_;
    PlanState state_;
    PlanEngine engine_{history_, state_};
    SettledCollection collected_;
};

std::string TwoDigits(int number) {
    return {static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10)};
}

// Six numbers of ten, as a PlanNumbers text.
std::string RandomNumbers(std::mt19937_64& random) {
    std::array<int, 10> cars{};
    std::iota(cars.begin(), cars.end(), 1);
    std::shuffle(cars.begin(), cars.end(), random);
    std::string numbers;
    for (std::size_t i = 0; i < 6; ++i) {
        numbers += TwoDigits(cars[i]) + " ";
    }
    return numbers;
}

// Settles random numbers over each hit or miss plan's span against the draws
// replayed (by period).
std::vector<SettledPlan> RandomPlans(const std::vector<SettledPlan>& plans,
                                     const std::unordered_map<std::int32_t, std::string>& draws,
                                     std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::vector<SettledPlan> settled;
    for (const SettledPlan& plan : plans) {
        if (plan.outcome == PlanOutcome::Passed) {
            continue;
        }
        SettledPlan mine = plan;
        mine.numbers = RandomNumbers(random);
        bool done = false;
        // The span's periods, counted forward across the wrap from 999999 to 000000.
        const int lastStep = PeriodsAhead(plan.spanFirst, plan.spanLast);
        for (int step = 0; step <= lastStep && !done; ++step) {
            const std::int32_t period = PeriodsAhead(0, plan.spanFirst + step);
            const auto draw = draws.find(period);
            if (draw == draws.end()) {
                break;
            }
            mine.closePeriod = period;
            mine.drawn =
                draw->second.substr(static_cast<std::size_t>(PositionColumn(plan.position)), 2);
            const bool hit = mine.numbers.find(mine.drawn) != std::string::npos;
            if (hit || step == lastStep) {
                mine.outcome = hit ? PlanOutcome::Hit : PlanOutcome::Miss;
                done = true;
            }
        }
        if (done) {
            settled.push_back(std::move(mine));
        }
    }
    return settled;
}

}  // namespace

BacktestResult RunBacktest(const std::vector<std::string>& newestFirst,
                           const BacktestOptions& options) {
    BacktestResult result;
    result.randomSeed = options.randomSeed;
    result.draws = static_cast<int>(newestFirst.size());
    if (newestFirst.size() <= static_cast<std::size_t>(kStartupDraws)) {
        return result;
    }
    const auto cancelled = [&options] {
        return options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed);
    };
    result.progress.toMerge = result.draws - kStartupDraws;
    const auto startupEnd = newestFirst.end();
    const auto startupBegin = startupEnd - kStartupDraws;
    result.firstPeriod = DrawPeriod(newestFirst.back()).value_or(0);

    Replay replay;
    std::unordered_map<std::int32_t, std::string> replayed;
    const auto remember = [&replayed, &result](const std::string& draw) {
        result.lastPeriod = DrawPeriod(draw).value_or(0);
        replayed.emplace(result.lastPeriod, draw);
    };
    std::for_each(std::make_reverse_iterator(startupEnd), std::make_reverse_iterator(startupBegin),
                  remember);
    replay.StartUp(std::vector<std::string>(startupBegin, startupEnd));
    if (options.progress) {
        options.progress(result.progress);
    }
    for (auto draw = std::make_reverse_iterator(startupBegin); draw != newestFirst.rend(); ++draw) {
        if (cancelled()) {
            result.partial = true;
            break;
        }
        remember(*draw);
        replay.Merge(*draw);
        ++result.progress.merged;
        if (options.progress) {
            options.progress(result.progress);
        }
    }

    result.engine = replay.collected().Report();
    result.plans = std::move(replay.collected().plans);
    result.randomPlans = RandomPlans(result.plans, replayed, options.randomSeed);
    result.random = ComputeReport(result.randomPlans);
    return result;
}

}  // namespace pk10
