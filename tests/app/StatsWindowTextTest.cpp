// The statistics window's texts and figures as every window shows them: the
// table cells, the money fields' reading and keeping, the lines and the chart bins.

#include <gtest/gtest.h>

#include <map>

#include "app/ChartFigures.h"
#include "app/MoneyFieldsReading.h"
#include "app/MoneyTableText.h"
#include "app/StatsTableText.h"
#include "app/StatsWindowText.h"

namespace pk10 {
namespace {

class MemorySettings : public SettingsStore {
  public:
    std::optional<std::string> Read(const std::string& key) const override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    bool Write(const std::string& key, const std::string& value) override {
        values[key] = value;
        return true;
    }
    std::map<std::string, std::string> values;
};

PlanStats Stats(int hits, int misses, std::array<int, 3> byPeriod, int streak, bool streakHits,
                int longestMiss) {
    PlanStats stats;
    stats.settled = hits + misses;
    stats.hits = hits;
    stats.misses = misses;
    stats.hitsByPeriod = byPeriod;
    stats.currentStreak = streak;
    stats.currentStreakHits = streakHits;
    stats.longestMissStreak = longestMiss;
    return stats;
}

TEST(StatsWindowText, TableCellsOfASmallReport) {
    StatsReport report;
    report.byPosition[0] = Stats(2, 1, {1, 1, 0}, 1, true, 1);
    report.byPosition[1] = Stats(0, 2, {0, 0, 0}, 2, false, 2);
    report.total = Stats(2, 3, {1, 1, 0}, 0, false, 2);
    const auto rows = StatsTableTexts(report);
    using Row = StatsRowTexts;
    EXPECT_EQ(rows[0], (Row{"3", "2", "1", "66.7 %", "93.6 %", "1", "1", "0", "1 中", "1"}));
    EXPECT_EQ(rows[1], (Row{"2", "0", "2", "0.0 %", "93.6 %", "0", "0", "0", "2 挂", "2"}));
    EXPECT_EQ(rows[2], (Row{"0", "0", "0", "-", "93.6 %", "0", "0", "0", "-", "0"}));
    // No streak runs across Positions.
    EXPECT_EQ(rows[kTotalRow], (Row{"5", "2", "3", "40.0 %", "93.6 %", "1", "1", "0", "-", "2"}));

    MoneyReport money;
    money.total.followed = 5;
    money.total.turnover = 30 * kMoneyScale;
    money.total.returned = 39 * kMoneyScale / 2;
    money.total.ruinPeriod = 42;
    const auto moneyRows = MoneyTableTexts(money, MoneyReport{});
    EXPECT_EQ(moneyRows[kTotalRow][kResultColumn], "-10.5");
    EXPECT_EQ(moneyRows[kTotalRow][kShareColumn], "-35.00 %");
    EXPECT_EQ(moneyRows[kTotalRow][kRuinColumn], "000042");
    EXPECT_EQ(moneyRows[0][kShareColumn], "-");
    EXPECT_EQ(moneyRows[0][kRandomRuinColumn], "-");
}

TEST(StatsWindowText, MoneyFieldsReadTrimmedOrSayWhichFieldIsWrong) {
    struct Case {
        MoneyTexts texts;
        const char* problemStart;  // empty: reads
        MoneyRules rules;
    };
    const Case cases[] = {
        {{" 10 ", "1, 2, 4", ""}, "", {100000, {1, 2, 4}, std::nullopt}},
        {{"9.8", "1,1,1", " 500 "}, "", {98000, {1, 1, 1}, 500}},
        {{"0", "1,1,1", ""}, "赔率: ", {}},
        {{"9.8", "1,3", ""}, "倍投: ", {}},
        {{"9.8", "1,1,1", "-5"}, "本金: ", {}},
        {{"x", "y", "z"}, "赔率: ", {}},
    };
    for (const Case& c : cases) {
        const MoneyReading reading = ReadMoneyTexts(c.texts);
        const std::string problem = reading.Problem();
        EXPECT_EQ(problem.rfind(c.problemStart, 0), 0U) << c.texts.odds << problem;
        EXPECT_EQ(reading.Rules().has_value(), *c.problemStart == '\0') << problem;
        if (reading.Rules()) {
            EXPECT_EQ(*reading.Rules(), c.rules) << c.texts.odds;
        } else {
            EXPECT_GT(problem.size(), std::string(c.problemStart).size());
        }
    }
}

TEST(StatsWindowText, MoneyTextsAreKeptAsReadAndOnlyWhenTheyRead) {
    MemorySettings store;
    EXPECT_EQ(LoadMoneyTexts(store), (MoneyTexts{"9.8", "1,1,1", ""}));
    EXPECT_TRUE(SaveMoneyTexts(store, {" 9.9 ", "2, 4, 8", " 500 "}));
    EXPECT_EQ(store.values[kOddsSettingKey], "9.9");
    EXPECT_EQ(LoadMoneyTexts(store), (MoneyTexts{"9.9", "2,4,8", "500"}));
    EXPECT_FALSE(SaveMoneyTexts(store, {"9.9", "2,4", ""}));
    EXPECT_EQ(LoadMoneyTexts(store), (MoneyTexts{"9.9", "2,4,8", "500"}));
}

TEST(StatsWindowText, ProgressAndDoneLines) {
    using std::chrono::milliseconds;
    EXPECT_EQ(BacktestProgressText({0, 300}, milliseconds(10)), "已回测 0 / 300 期");
    EXPECT_EQ(BacktestProgressText({100, 300}, milliseconds(1000)),
              "已回测 100 / 300 期，剩余约 2 秒");
    BacktestResult result;
    result.progress = {120, 300};
    result.partial = true;
    EXPECT_EQ(BacktestDoneText(result, milliseconds(5)), "已停止：120 / 300 期（部分结果）");
    result.progress = {300, 300};
    result.partial = false;
    EXPECT_EQ(BacktestDoneText(result, milliseconds(1460)), "完成：300 期，用时 1.5 秒");
    EXPECT_EQ(TodayMoneyText(MoneyRules{}, MoneyFigures{}),
              "按赔率 9.8、倍投 1,1,1：跟 0 个计划，投注 0，返还 0，盈亏 0（期望 0）");
    EXPECT_EQ(CannotWriteText("/x/a.csv", "denied"), "无法写入 /x/a.csv：denied");
}

TEST(StatsWindowText, MissStreakBinsOfEngineAndRandom) {
    struct Case {
        std::vector<int> engine;
        std::vector<int> random;
        std::vector<std::array<int, 3>> bins;  // length, engine runs, random runs
        int highest;
    };
    const Case cases[] = {
        {{0, 5, 2}, {0, 4, 1, 1}, {{1, 5, 4}, {2, 2, 1}, {3, 0, 1}}, 5},
        {{}, {}, {{1, 0, 0}}, 1},
    };
    for (const Case& c : cases) {
        PlanStats engine;
        engine.missStreaks = c.engine;
        PlanStats random;
        random.missStreaks = c.random;
        const StreakFigures figures = StreakFiguresOf(engine, random);
        ASSERT_EQ(figures.bins.size(), c.bins.size());
        for (std::size_t i = 0; i < c.bins.size(); ++i) {
            const StreakBin& bin = figures.bins[i];
            EXPECT_EQ((std::array{bin.length, bin.engineRuns, bin.randomRuns}), c.bins[i]) << i;
        }
        EXPECT_EQ(figures.highestRuns, c.highest);
    }
}

TEST(StatsWindowText, HitRateAndMoneyCurveFigures) {
    StatsReport report;
    report.byPosition[0] = Stats(30, 70, {30, 0, 0}, 1, false, 5);
    const HitRateFigures rates = HitRateFiguresOf(report);
    EXPECT_TRUE(rates.positions[0].rated);
    EXPECT_DOUBLE_EQ(rates.positions[0].rate, 0.3);
    EXPECT_LT(rates.positions[0].low, 0.3);
    EXPECT_GT(rates.positions[0].high, 0.3);
    EXPECT_FALSE(rates.positions[1].rated);
    EXPECT_EQ(rates.axisLowPercent, 10.0);  // below the lowest interval (about 22 %)

    const std::vector<MoneyPoint> curve = {
        {100, 2 * kMoneyScale, 0}, {101, -3 * kMoneyScale, 0}, {102, 1 * kMoneyScale, 0}};
    const MoneyCurveFigures money = MoneyCurveFiguresOf(curve, {});
    ASSERT_TRUE(money.hasDrawdown);
    EXPECT_EQ(money.peak, (ChartPoint{0, 2}));
    EXPECT_EQ(money.trough, (ChartPoint{1, -3}));
    EXPECT_EQ(DrawdownText(money.Drawdown()), "最大回撤 5");
    EXPECT_EQ(money.lastX, 2.0);
    EXPECT_TRUE(MoneyCurveFiguresOf({}, {}).Empty());
}

}  // namespace
}  // namespace pk10
