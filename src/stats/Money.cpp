#include "stats/Money.h"

#include <algorithm>
#include <vector>

#include "draws/DrawLine.h"
#include "stats/CommaFields.h"

namespace pk10 {
namespace {

constexpr int kCarsCovered = 6;
constexpr int kCars = 10;

// A unit staked at odds o returns o * kMoneyScale / kOddsScale.
constexpr std::int64_t kReturnPerOddsUnit = kMoneyScale / kOddsScale;
static_assert(kMoneyScale % kOddsScale == 0);
// The expected result of a turnover t: t * (o - 10) / 10 = t * (o - 10 * kOddsScale) /
// (10 * kOddsScale); exact because kMoneyScale is a multiple of 10 * kOddsScale.
static_assert(kMoneyScale % (kCars * kOddsScale) == 0);

std::int64_t ExpectedOf(std::int64_t turnover, std::int64_t odds) {
    return turnover / (kCars * kOddsScale) * (odds - kCars * kOddsScale);
}

// The stakes and returns of one draw.
struct DrawMoney {
    std::int32_t period = 0;
    std::int64_t staked = 0;
    std::int64_t returned = 0;
};
// What one plan paid or got back at one draw, with the draw's place in the replay.
struct Payment {
    std::int64_t place = 0;
    DrawMoney money;
};
using Payments = std::vector<Payment>;

// A period's place on one stretch of the numbering, counted from `origin`
// (negative for the periods before it).
std::int64_t PlaceOf(std::int32_t period, std::int32_t origin) {
    const int ahead = PeriodsAhead(origin, period);
    return ahead < kPeriodCycle / 2 ? ahead : ahead - kPeriodCycle;
}

std::int64_t StakeOfPeriod(const MoneyRules& rules, int k) {
    return kCarsCovered * rules.stakes[static_cast<std::size_t>(k - 1)] * kMoneyScale;
}

// How many periods of its span a plan was staked in: up to the hit, or all three.
int StakedPeriods(const SettledPlan& plan) {
    const int index = plan.PeriodIndex();
    return plan.outcome == PlanOutcome::Hit && index >= 1 && index <= 3 ? index : 3;
}

void AddPayments(const SettledPlan& plan, const MoneyRules& rules, std::int32_t origin,
                 Payments& payments) {
    if (plan.outcome == PlanOutcome::Passed) {
        return;
    }
    const int periods = StakedPeriods(plan);
    for (int k = 1; k <= periods; ++k) {
        const std::int32_t period = (plan.spanFirst + k - 1) % kPeriodCycle;
        Payment payment{PlaceOf(period, origin), {period, StakeOfPeriod(rules, k), 0}};
        if (k == periods && plan.outcome == PlanOutcome::Hit && plan.PeriodIndex() == k) {
            payment.money.returned =
                rules.odds * rules.stakes[static_cast<std::size_t>(k - 1)] * kReturnPerOddsUnit;
        }
        payments.push_back(payment);
    }
}

// The draws `payments` fall on, oldest first, each with its stakes and returns together.
std::vector<DrawMoney> DrawsOf(Payments payments) {
    std::sort(payments.begin(), payments.end(),
              [](const Payment& a, const Payment& b) { return a.place < b.place; });
    std::vector<DrawMoney> draws;
    for (std::size_t at = 0; at < payments.size(); ++at) {
        if (at == 0 || payments[at].place != payments[at - 1].place) {
            draws.push_back({payments[at].money.period, 0, 0});
        }
        draws.back().staked += payments[at].money.staked;
        draws.back().returned += payments[at].money.returned;
    }
    return draws;
}

// The sums of `plans`, then the deepest drawdown and the ruin from their timeline.
MoneyFigures FiguresOf(std::span<const SettledPlan> plans, const MoneyRules& rules,
                       std::int32_t origin) {
    MoneyFigures figures;
    Payments payments;
    payments.reserve(plans.size() * 3);  // grown a plan at a time, a year's would be copied often
    for (const SettledPlan& plan : plans) {
        if (plan.outcome == PlanOutcome::Passed) {
            continue;
        }
        const PlanMoney money = MoneyOfPlan(plan, rules);
        ++figures.followed;
        figures.turnover += money.staked;
        figures.returned += money.returned;
        AddPayments(plan, rules, origin, payments);
    }
    figures.expected = ExpectedOf(figures.turnover, rules.odds);
    std::int64_t result = 0;
    std::int64_t highest = 0;
    for (const DrawMoney& draw : DrawsOf(std::move(payments))) {
        if (rules.bankroll && !figures.ruinPeriod &&
            draw.staked > *rules.bankroll * kMoneyScale + result) {
            figures.ruinPeriod = draw.period;
        }
        result += draw.returned - draw.staked;
        highest = std::max(highest, result);
        figures.deepestDrawdown = std::max(figures.deepestDrawdown, highest - result);
    }
    return figures;
}

std::string Decimal(std::int64_t value, std::int64_t scale) {
    const bool negative = value < 0;
    // Through unsigned, so the most negative value has a magnitude too.
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const std::uint64_t unsignedScale = static_cast<std::uint64_t>(scale);
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / unsignedScale);
    std::string fraction = std::to_string(magnitude % unsignedScale + unsignedScale).substr(1);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    return fraction.empty() ? text : text + "." + fraction;
}

// A whole number from 1 to `high`; nothing for any other text.
std::optional<std::int64_t> PositiveWhole(std::string_view text, std::int64_t high) {
    if (text.empty() || text.size() > 18 ||
        text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= high ? std::optional(value) : std::nullopt;
}

}  // namespace

double MoneyFigures::ResultShare() const {
    return turnover == 0 ? 0.0 : static_cast<double>(Result()) / static_cast<double>(turnover);
}

PlanMoney MoneyOfPlan(const SettledPlan& plan, const MoneyRules& rules) {
    PlanMoney money;
    if (plan.outcome == PlanOutcome::Passed) {
        return money;
    }
    const int periods = StakedPeriods(plan);
    for (int k = 1; k <= periods; ++k) {
        money.staked += StakeOfPeriod(rules, k);
    }
    if (plan.outcome == PlanOutcome::Hit && plan.PeriodIndex() == periods) {
        money.returned =
            rules.odds * rules.stakes[static_cast<std::size_t>(periods - 1)] * kReturnPerOddsUnit;
    }
    return money;
}

MoneyReport ComputeMoney(std::span<const SettledPlan> plans, const MoneyRules& rules) {
    MoneyReport report;
    if (plans.empty()) {
        return report;
    }
    const std::int32_t origin = plans.front().spanFirst;
    std::array<std::vector<SettledPlan>, kSlotCount> byPosition;
    for (const SettledPlan& plan : plans) {
        if (plan.position >= 1 && plan.position <= kSlotCount) {
            byPosition[static_cast<std::size_t>(plan.position - 1)].push_back(plan);
        }
    }
    for (std::size_t slot = 0; slot < byPosition.size(); ++slot) {
        report.byPosition[slot] = FiguresOf(byPosition[slot], rules, origin);
    }
    report.total = FiguresOf(plans, rules, origin);
    return report;
}

std::vector<MoneyPoint> MoneyCurve(std::span<const SettledPlan> plans, const MoneyRules& rules) {
    std::vector<MoneyPoint> curve;
    if (plans.empty()) {
        return curve;
    }
    Payments payments;
    payments.reserve(plans.size() * 3);
    for (const SettledPlan& plan : plans) {
        AddPayments(plan, rules, plans.front().spanFirst, payments);
    }
    MoneyPoint point;
    std::int64_t turnover = 0;
    for (const DrawMoney& draw : DrawsOf(std::move(payments))) {
        point.period = draw.period;
        point.result += draw.returned - draw.staked;
        turnover += draw.staked;
        point.expected = ExpectedOf(turnover, rules.odds);
        curve.push_back(point);
    }
    return curve;
}

DrawdownSpan DeepestDrawdownOf(std::span<const MoneyPoint> curve) {
    DrawdownSpan deepest;
    std::int64_t depth = 0;
    int peak = -1;
    std::int64_t highest = 0;
    for (std::size_t at = 0; at < curve.size(); ++at) {
        if (curve[at].result > highest) {
            highest = curve[at].result;
            peak = static_cast<int>(at);
        } else if (highest - curve[at].result > depth) {
            depth = highest - curve[at].result;
            deepest = {peak, static_cast<int>(at)};
        }
    }
    return deepest;
}

std::string AmountText(std::int64_t amount) {
    return Decimal(amount, kMoneyScale);
}

std::string OddsText(std::int64_t odds) {
    return Decimal(odds, kOddsScale);
}

std::string StakesText(const std::array<std::int64_t, 3>& stakes) {
    return std::to_string(stakes[0]) + "," + std::to_string(stakes[1]) + "," +
           std::to_string(stakes[2]);
}

std::string ReadOdds(std::string_view text, std::int64_t& odds) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const bool digits = !whole.empty() && whole.size() <= 9 &&
                        whole.find_first_not_of("0123456789") == std::string_view::npos &&
                        fraction.find_first_not_of("0123456789") == std::string_view::npos &&
                        (point == std::string_view::npos || !fraction.empty());
    if (!digits || fraction.size() > 4) {
        return "'" + std::string(text) +
               "' is not a positive number with at most four decimal places";
    }
    std::int64_t value = 0;
    for (const char c : whole) {
        value = value * 10 + (c - '0');
    }
    std::int64_t scale = kOddsScale;
    for (const char c : fraction) {
        scale /= 10;
        value = value * 10 + (c - '0');
    }
    value *= scale;
    if (value <= 0 || value > kMaxOdds) {
        return "'" + std::string(text) + "' is not a positive number up to " + OddsText(kMaxOdds);
    }
    odds = value;
    return {};
}

std::string ReadStakes(std::string_view text, std::array<std::int64_t, 3>& stakes) {
    const std::vector<std::string_view> parts = CommaFields(text);
    if (parts.size() != stakes.size()) {
        return "'" + std::string(text) + "' is not three stakes separated by commas (" +
               std::to_string(parts.size()) + " given)";
    }
    std::array<std::int64_t, 3> values{};
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const std::optional<std::int64_t> stake = PositiveWhole(parts[k], kMaxStake);
        if (!stake) {
            return "stake " + std::to_string(k + 1) + " '" + std::string(parts[k]) +
                   "' is not a positive whole number up to " + std::to_string(kMaxStake);
        }
        values[k] = *stake;
    }
    stakes = values;
    return {};
}

std::string ReadBankroll(std::string_view text, std::int64_t& bankroll) {
    const std::optional<std::int64_t> value = PositiveWhole(text, kMaxBankroll);
    if (!value) {
        return "'" + std::string(text) + "' is not a positive whole number up to " +
               std::to_string(kMaxBankroll);
    }
    bankroll = *value;
    return {};
}

}  // namespace pk10
