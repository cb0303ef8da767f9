#include "stats/Backtest.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <unordered_map>

#include "draws/DrawHistory.h"
#include "draws/DrawLine.h"
#include "draws/FetchTextFeed.h"
#include "draws/PollXmlFeed.h"
#include "plan/PlanBookSlots.h"
#include "plan/PlanEngine.h"

namespace pk10 {
namespace {

// The engine of one replay and the plans it has settled so far.
class Replay {
  public:
    explicit Replay(BacktestResult& result) : result_(result) {}

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

    // Settled lines that did not read as plans, by Position.
    const std::array<int, kSlotCount>& skipped() const { return skipped_; }

    // One draw as the XML poll merges it, and the recompute that follows.
    void Merge(const std::string& draw) {
        if (MergeIntoHistory(history_, draw)) {
            RecomputeAndCollect();
        }
    }

  private:
    void RecomputeAndCollect() {
        BySlot<std::string> running;
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const int at = RunningLineSlot(state_.books[slot]);
            if (at >= 0) {
                running[slot] = state_.books[slot][static_cast<std::size_t>(at)];
            }
        }
        engine_.RecomputeAllPlans();
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            Collect(slot, running[slot]);
        }
    }

    // The settling marks the running line and appends the next one after it;
    // when the book is full it first drops its oldest line, so the settled line
    // is found by its text, never by its slot.
    void Collect(int slot, const std::string& before) {
        const PlanBook& book = state_.books[slot];
        const int at = RunningLineSlot(book);
        if (before.empty() || at < 0 || book[static_cast<std::size_t>(at)] == before) {
            return;  // nothing was settled
        }
        int settled = at;  // a new line that is empty leaves the settled one last
        if (book[static_cast<std::size_t>(at)].rfind(before, 0) != 0) {
            settled = at - 1;
        }
        if (settled < 0 || book[static_cast<std::size_t>(settled)].rfind(before, 0) != 0) {
            return;
        }
        const int position = PositionOfSlot(slot);
        if (std::optional<SettledPlan> plan =
                ReadSettledLine(book[static_cast<std::size_t>(settled)], position)) {
            result_.plans.push_back(std::move(*plan));
        } else {
            ++skipped_[static_cast<std::size_t>(position - 1)];
        }
    }

    BacktestResult& result_;
    DrawHistory history_;
    PlanState state_;
    PlanEngine engine_{history_, state_};
    std::array<int, kSlotCount> skipped_{};
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

    Replay replay(result);
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

    result.randomPlans = RandomPlans(result.plans, replayed, options.randomSeed);
    result.engine = ComputeReport(result.plans);
    for (std::size_t i = 0; i < replay.skipped().size(); ++i) {
        result.engine.byPosition[i].skipped = replay.skipped()[i];
        result.engine.total.skipped += replay.skipped()[i];
    }
    result.random = ComputeReport(result.randomPlans);
    return result;
}

}  // namespace pk10
