#include "stats/SettledPlansCsv.h"

#include <cstdio>
#include <optional>

#include "stats/CommaFields.h"

namespace pk10 {
namespace {

// The header as written; files written before the money columns lack the last two.
constexpr std::string_view kHeader =
    "position,span_first,span_last,numbers,close_period,period_index,mark,staked,returned";
constexpr std::string_view kHeaderWithoutMoney =
    "position,span_first,span_last,numbers,close_period,period_index,mark";
constexpr std::size_t kColumns = 9;
constexpr std::size_t kColumnsWithoutMoney = 7;

template <class... Args>
std::string Format(const char* format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// A number of one to six digits (a period, a Position); nothing for any other text.
std::optional<std::int32_t> NumberField(std::string_view text) {
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// "01 05 06" back to the line's form "01 05 06 ": two digits and a space each.
std::optional<std::string> NumbersField(std::string_view text) {
    std::string numbers = std::string(text) + " ";
    if (numbers.size() < 3 || numbers.size() % 3 != 0) {
        return std::nullopt;
    }
    for (std::size_t at = 0; at < numbers.size(); at += 3) {
        if (numbers.substr(at, 2).find_first_not_of("0123456789") != std::string::npos ||
            numbers[at + 2] != ' ') {
            return std::nullopt;
        }
    }
    return numbers;
}

std::optional<SettledPlan> ReadRow(std::string_view row) {
    const std::vector<std::string_view> fields = CommaFields(row);
    // The money columns follow from the plan and the rules it was written with,
    // so they are not read back.
    if (fields.size() != kColumns && fields.size() != kColumnsWithoutMoney) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> position = NumberField(fields[0]);
    const std::optional<std::int32_t> first = NumberField(fields[1]);
    const std::optional<std::int32_t> last = NumberField(fields[2]);
    const std::optional<std::string> numbers = NumbersField(fields[3]);
    const std::optional<std::int32_t> close = NumberField(fields[4]);
    const std::string_view mark = fields[6];
    if (!position || *position < 1 || *position > 10 || !first || !last || !numbers || !close ||
        (mark != "中" && mark != "挂" && !mark.empty())) {
        return std::nullopt;
    }
    SettledPlan plan;
    plan.position = *position;
    plan.spanFirst = *first;
    plan.spanLast = *last;
    plan.numbers = *numbers;
    plan.closePeriod = *close;
    plan.outcome = mark == "中"   ? PlanOutcome::Hit
                   : mark == "挂" ? PlanOutcome::Miss
                                  : PlanOutcome::Passed;
    return plan;
}

}  // namespace

std::string SettledPlansCsv(const std::vector<SettledPlan>& plans, const MoneyRules& rules) {
    std::string out = std::string(kHeader) + "\n";
    for (const SettledPlan& plan : plans) {
        std::string_view numbers = plan.numbers;
        while (!numbers.empty() && numbers.back() == ' ') {
            numbers.remove_suffix(1);
        }
        const char* mark = plan.outcome == PlanOutcome::Hit    ? "中"
                           : plan.outcome == PlanOutcome::Miss ? "挂"
                                                               : "";
        const PlanMoney money = MoneyOfPlan(plan, rules);
        out += Format("%d,%d,%d,%.*s,%d,%d,%s,", plan.position, plan.spanFirst, plan.spanLast,
                      static_cast<int>(numbers.size()), numbers.data(), plan.closePeriod,
                      plan.PeriodIndex(), mark) +
               AmountText(money.staked) + "," + AmountText(money.returned) + "\n";
    }
    return out;
}

SettledPlansCsvReading ReadSettledPlansCsv(std::string_view text) {
    SettledPlansCsvReading reading;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view row = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!row.empty() && row.back() == '\r') {
            row.remove_suffix(1);
        }
        if (row.empty() || row == kHeader || row == kHeaderWithoutMoney) {
            continue;
        }
        if (std::optional<SettledPlan> plan = ReadRow(row)) {
            reading.plans.push_back(std::move(*plan));
        } else {
            ++reading.skipped;
        }
    }
    return reading;
}

}  // namespace pk10
