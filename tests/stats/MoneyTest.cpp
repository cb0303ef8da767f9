// The money of followed plans: each plan's stakes and return, the sums per
// Position and over all ten against a count by hand from the backtest's CSV,
// the draw-by-draw drawdown and ruin, and what a user may type.

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "stats/Backtest.h"
#include "stats/Money.h"
#include "stats/SettledPlansCsv.h"
#include "support/RealDraws.h"

namespace pk10 {
namespace {

constexpr std::int64_t kUnit = kMoneyScale;

SettledPlan Plan(int position, std::int32_t first, PlanOutcome outcome, int index) {
    SettledPlan plan;
    plan.position = position;
    plan.spanFirst = first;
    plan.spanLast = (first + 2) % 1000000;
    plan.numbers = "01 02 03 04 05 06 ";
    plan.outcome = outcome;
    plan.closePeriod = outcome == PlanOutcome::Passed ? 0 : (first + index - 1) % 1000000;
    return plan;
}

TEST(Money, EachPlanStakesUpToItsHitAndReturnsOddsTimesThatStake) {
    const MoneyRules rules{.odds = 98000, .stakes = {1, 3, 9}, .bankroll = {}};
    struct Case {
        PlanOutcome outcome;
        int index;
        std::int64_t staked;    // units
        std::int64_t returned;  // 1/10 units
    };
    const Case cases[] = {
        {PlanOutcome::Hit, 1, 6, 98},   {PlanOutcome::Hit, 2, 24, 294},
        {PlanOutcome::Hit, 3, 78, 882}, {PlanOutcome::Miss, 3, 78, 0},
        {PlanOutcome::Hit, 5, 78, 0},  // a late draw: after the last stake
        {PlanOutcome::Passed, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const PlanMoney money = MoneyOfPlan(Plan(1, 100, c.outcome, c.index), rules);
        EXPECT_EQ(money.staked, c.staked * kUnit) << c.index;
        EXPECT_EQ(money.returned, c.returned * kUnit / 10) << c.index;
    }
}

TEST(Money, DrawdownAndRuinFollowTheDrawsAcrossPlansAndTheWrap) {
    // Position 1 pays 6 at 999999, 6 at 000000, hits there (+10); Position 2
    // pays 6 at 999999 and misses to 000001. Odds 10, stakes 1,1,1.
    const std::vector<SettledPlan> plans = {Plan(1, 999999, PlanOutcome::Hit, 2),
                                            Plan(2, 999999, PlanOutcome::Miss, 3)};
    MoneyRules rules{.odds = 100000, .stakes = {1, 1, 1}, .bankroll = 17};
    // Draws of all ten: -12 (result -12), -12 + 10 (-14), -6 (-20).
    MoneyReport report = ComputeMoney(plans, rules);
    EXPECT_EQ(report.total.Result(), -20 * kUnit);
    EXPECT_EQ(report.total.deepestDrawdown, 20 * kUnit);
    EXPECT_EQ(report.total.expected, 0);
    // Before 000000 the bankroll is 17 - 12 = 5: the 12 staked there ruin it.
    EXPECT_EQ(report.total.ruinPeriod, 0);
    EXPECT_EQ(report.OfPosition(1).ruinPeriod, std::nullopt);  // 6, then 6 of 11
    EXPECT_EQ(report.OfPosition(2).ruinPeriod, 1);             // 6 of 17 - 12
    rules.bankroll.reset();
    EXPECT_EQ(ComputeMoney(plans, rules).total.ruinPeriod, std::nullopt);

    const std::vector<MoneyPoint> curve = MoneyCurve(plans, rules);
    ASSERT_EQ(curve.size(), 3U);
    EXPECT_EQ(curve[0].period, 999999);
    EXPECT_EQ(curve[1].result, -14 * kUnit);
    EXPECT_EQ(curve[2].period, 1);
    EXPECT_EQ(DeepestDrawdownOf(curve), (DrawdownSpan{-1, 2}));  // from the start, 0
    const std::vector<MoneyPoint> rising = {{1, 5, 0}, {2, 2, 0}, {3, 9, 0}, {4, 1, 0}, {5, 3, 0}};
    EXPECT_EQ(DeepestDrawdownOf(rising), (DrawdownSpan{2, 3}));
}

TEST(Money, BacktestTotalsEqualACountByHandFromTheCsv) {
    std::vector<std::string> draws = test::RealDraws();
    draws.resize(400);
    const BacktestResult result = RunBacktest(draws, {});
    ASSERT_FALSE(result.plans.empty());
    for (const MoneyRules& rules :
         {MoneyRules{.odds = 98123, .stakes = {1, 3, 9}, .bankroll = {}},
          MoneyRules{.odds = 100000, .stakes = {1, 1, 1}, .bankroll = {}}}) {
        // Columns: position, first, last, numbers, close, period_index, mark, staked, returned.
        std::map<int, std::pair<std::int64_t, std::int64_t>> byHand;  // turnover, returned
        std::istringstream csv(SettledPlansCsv(result.plans, rules));
        std::string row;
        std::getline(csv, row);
        while (std::getline(csv, row)) {
            std::vector<std::string> cells;
            std::istringstream fields(row);
            for (std::string cell; std::getline(fields, cell, ',');) {
                cells.push_back(cell);
            }
            ASSERT_EQ(cells.size(), 9U) << row;
            const int position = std::stoi(cells[0]);
            const int index = std::stoi(cells[5]);
            std::int64_t stakes = 0;
            for (int k = 0; k < (cells[6] == "中" ? index : 3); ++k) {
                stakes += 6 * rules.stakes[static_cast<std::size_t>(k)];
            }
            const std::int64_t back =
                cells[6] == "中" ? rules.odds * rules.stakes[static_cast<std::size_t>(index - 1)]
                                 : 0;
            EXPECT_EQ(cells[7], AmountText(cells[6].empty() ? 0 : stakes * kUnit)) << row;
            EXPECT_EQ(cells[8], AmountText(back * (kUnit / kOddsScale))) << row;
            byHand[position].first += cells[6].empty() ? 0 : stakes * kUnit;
            byHand[position].second += back * (kUnit / kOddsScale);
            byHand[0].first += cells[6].empty() ? 0 : stakes * kUnit;
            byHand[0].second += back * (kUnit / kOddsScale);
        }
        const MoneyReport report = ComputeMoney(result.plans, rules);
        for (int position = 0; position <= kSlotCount; ++position) {
            const MoneyFigures& figures =
                position == 0 ? report.total : report.OfPosition(position);
            EXPECT_EQ(figures.turnover, byHand[position].first) << position;
            EXPECT_EQ(figures.returned, byHand[position].second) << position;
            EXPECT_EQ(figures.Result(), byHand[position].second - byHand[position].first);
            if (rules.odds == 100000) {
                EXPECT_EQ(figures.expected, 0) << position;
            }
        }
        // The rows read back as the plans they were written from.
        EXPECT_EQ(ReadSettledPlansCsv(SettledPlansCsv(result.plans, rules)).skipped, 0);
    }
}

TEST(Money, CsvReadsRowsWithAndWithoutTheMoneyColumns) {
    const std::string old =
        "position,span_first,span_last,numbers,close_period,period_index,mark\n"
        "3,100,102,01 02 03 04 05 06,101,2,中\n";
    const std::string current =
        "position,span_first,span_last,numbers,close_period,period_index,mark,staked,returned\n"
        "3,100,102,01 02 03 04 05 06,101,2,中,12,9.8\n";
    const SettledPlansCsvReading before = ReadSettledPlansCsv(old);
    const SettledPlansCsvReading after = ReadSettledPlansCsv(current);
    ASSERT_EQ(before.plans.size(), 1U);
    EXPECT_EQ(before.skipped, 0);
    EXPECT_EQ(after.skipped, 0);
    EXPECT_EQ(after.plans, before.plans);
    EXPECT_EQ(SettledPlansCsv(before.plans), current);
}

TEST(Money, TypedValuesAreReadExactlyOrRefusedWithTheReason) {
    std::int64_t odds = 0;
    EXPECT_EQ(ReadOdds("9.8", odds), "");
    EXPECT_EQ(odds, 98000);
    EXPECT_EQ(ReadOdds("9.9999", odds), "");
    EXPECT_EQ(odds, 99999);
    for (const char* bad :
         {"", "0", "0.0000", "-1", "9.80001", "9.", ".5", "1e3", "100.0001", "0101"}) {
        EXPECT_NE(ReadOdds(bad, odds), "") << bad;
    }
    std::array<std::int64_t, 3> stakes{};
    EXPECT_EQ(ReadStakes("1,3,9", stakes), "");
    EXPECT_EQ(stakes, (std::array<std::int64_t, 3>{1, 3, 9}));
    EXPECT_NE(ReadStakes("1,3", stakes).find("three stakes"), std::string::npos);
    EXPECT_NE(ReadStakes("1,3,9,27", stakes).find("three stakes"), std::string::npos);
    EXPECT_NE(ReadStakes("1,0,9", stakes).find("positive whole number"), std::string::npos);
    EXPECT_NE(ReadStakes("1,2.5,9", stakes).find("stake 2"), std::string::npos);
    EXPECT_NE(ReadStakes("1,3,100001", stakes).find("stake 3"), std::string::npos);
    EXPECT_EQ(stakes, (std::array<std::int64_t, 3>{1, 3, 9}));  // untouched when refused
    std::int64_t bankroll = 0;
    EXPECT_EQ(ReadBankroll("500", bankroll), "");
    EXPECT_EQ(bankroll, 500);
    EXPECT_NE(ReadBankroll("0", bankroll), "");
    EXPECT_NE(ReadBankroll("-5", bankroll), "");
    EXPECT_EQ(AmountText(-123456), "-1.23456");
    EXPECT_EQ(AmountText(-9800000), "-98");
}

}  // namespace
}  // namespace pk10
