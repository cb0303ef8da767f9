#pragma once
// What following the plans does to a player's money: in the k-th period of a
// plan's span the player stakes stakes[k-1] units on each of its six numbers; a
// hit in period k returns odds * stakes[k-1] (stake included) and ends the plan;
// a miss has cost all three periods' stakes; a passed plan stakes nothing.
//
// Every amount is a whole count of 1/kMoneyScale of a stake unit and the odds a
// whole count of 1/kOddsScale, so turnover, returns, results and the expected
// result are exact sums. With odds o a unit staked returns o/10 on average (six
// of ten cars covered), so the expected result is -(1 - o/10) * turnover.
//
// Over the replay the stakes of a plan's k-th period are paid at the k-th draw
// of its span and its return at the draw that hit; each draw's stakes and
// returns are taken together.
//
// Plain values and pure functions; safe from any thread.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "plan/PlanState.h"
#include "stats/SettledPlan.h"

namespace pk10 {

inline constexpr std::int64_t kOddsScale = 10000;    // odds: four decimal places
inline constexpr std::int64_t kMoneyScale = 100000;  // amounts: exact at any odds
inline constexpr std::int64_t kDefaultOdds = 98000;  // 9.8
// Bounds that keep every sum of a long replay far inside 64 bits.
inline constexpr std::int64_t kMaxOdds = 100 * kOddsScale;
inline constexpr std::int64_t kMaxStake = 100000;
inline constexpr std::int64_t kMaxBankroll = 1000000000000;

struct MoneyRules {
    std::int64_t odds = kDefaultOdds;             // in 1/kOddsScale
    std::array<std::int64_t, 3> stakes{1, 1, 1};  // units per number, periods 1 to 3
    std::optional<std::int64_t> bankroll;         // units; nothing: no ruin counted

    bool operator==(const MoneyRules&) const = default;
};

struct MoneyFigures {
    int followed = 0;                  // plans hit or missed (passed ones stake nothing)
    std::int64_t turnover = 0;         // all staked, in 1/kMoneyScale
    std::int64_t returned = 0;         // all the hits returned
    std::int64_t expected = 0;         // -(1 - odds/10) * turnover
    std::int64_t deepestDrawdown = 0;  // largest fall of the cumulative result from its
                                       // highest value so far (starting at 0); >= 0
    // The period of the first draw whose stakes are more than the bankroll plus
    // the result before that draw; nothing when never or without a bankroll.
    std::optional<std::int32_t> ruinPeriod;

    std::int64_t Result() const { return returned - turnover; }
    // The result as a share of the turnover; 0 when nothing was staked.
    double ResultShare() const;
};

struct MoneyReport {
    std::array<MoneyFigures, kSlotCount> byPosition;  // [position - 1]
    MoneyFigures total;                               // all ten followed at once

    const MoneyFigures& OfPosition(int position) const {
        return byPosition[static_cast<std::size_t>(position - 1)];
    }
};

// What a plan stakes and returns, in 1/kMoneyScale. A hit outside the span's
// three periods came after the player's last stake: it cost all three.
struct PlanMoney {
    std::int64_t staked = 0;
    std::int64_t returned = 0;
};
PlanMoney MoneyOfPlan(const SettledPlan& plan, const MoneyRules& rules);

// The figures of settled plans of any Positions (plans still running are not
// settled, so they are never in them).
MoneyReport ComputeMoney(std::span<const SettledPlan> plans, const MoneyRules& rules);

// One point of the cumulative result after a draw.
struct MoneyPoint {
    std::int32_t period = 0;
    std::int64_t result = 0;    // cumulative, in 1/kMoneyScale
    std::int64_t expected = 0;  // cumulative expected result
};
// The cumulative result of all ten, draw by draw, oldest draw first.
std::vector<MoneyPoint> MoneyCurve(std::span<const SettledPlan> plans, const MoneyRules& rules);

// Where the deepest drawdown of `curve` lies: from the result after draw
// `peak` (-1: the start, result 0) down to the result after draw `trough`;
// trough -1 when the result never falls below its highest so far.
struct DrawdownSpan {
    int peak = -1;
    int trough = -1;
    bool operator==(const DrawdownSpan&) const = default;
};
DrawdownSpan DeepestDrawdownOf(std::span<const MoneyPoint> curve);

// An amount as a decimal text without trailing zeros: "-12", "3.5", "-0.12".
std::string AmountText(std::int64_t amount);
// The odds as a decimal text: "9.8".
std::string OddsText(std::int64_t odds);
// "1,3,9"
std::string StakesText(const std::array<std::int64_t, 3>& stakes);

// Readers of what a user types. Each stores the value and returns an empty
// text, or leaves the target and returns why not (to follow the option's name).
// Odds: a positive number with at most four decimal places, up to 100.
std::string ReadOdds(std::string_view text, std::int64_t& odds);
// Stakes: three positive whole numbers up to kMaxStake, separated by commas.
std::string ReadStakes(std::string_view text, std::array<std::int64_t, 3>& stakes);
// Bankroll: a positive whole number up to kMaxBankroll.
std::string ReadBankroll(std::string_view text, std::int64_t& bankroll);

}  // namespace pk10
