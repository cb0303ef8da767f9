#include "app/MoneyTableText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pk10 {
namespace {

std::string Ruin(const MoneyFigures& figures) {
    if (!figures.ruinPeriod) {
        return "-";
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06d", static_cast<int>(*figures.ruinPeriod));
    return buffer;
}

// The result's share of the turnover in per cent, signed, two decimals: "+1.25 %".
std::string Share(const MoneyFigures& figures) {
    if (figures.turnover == 0) {
        return "-";
    }
    const double percent = figures.ResultShare() * 100;
    char buffer[48];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, percent, std::chars_format::fixed, 2);
    return (std::signbit(percent) ? "" : "+") + std::string(buffer, end.ptr) + " %";
}

}  // namespace

std::array<MoneyRowTexts, kStatsRowCount> MoneyTableTexts(const MoneyReport& plans,
                                                          const MoneyReport& randomPlans) {
    std::array<MoneyRowTexts, kStatsRowCount> rows;
    for (int row = 0; row < kStatsRowCount; ++row) {
        const bool total = row == kTotalRow;
        const MoneyFigures& f = total ? plans.total : plans.OfPosition(row + 1);
        const MoneyFigures& r = total ? randomPlans.total : randomPlans.OfPosition(row + 1);
        rows[static_cast<std::size_t>(row)] = {std::to_string(f.followed),
                                               AmountText(f.turnover),
                                               AmountText(f.returned),
                                               AmountText(f.Result()),
                                               Share(f),
                                               AmountText(f.expected),
                                               AmountText(f.deepestDrawdown),
                                               Ruin(f),
                                               AmountText(r.Result()),
                                               AmountText(r.deepestDrawdown),
                                               Ruin(r)};
    }
    return rows;
}

}  // namespace pk10
