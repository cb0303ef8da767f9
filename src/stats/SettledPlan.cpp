#include "stats/SettledPlan.h"

#include "draws/DrawLine.h"
#include "plan/Decimal.h"
#include "plan/PlanBookSlots.h"
#include "plan/PlanLineText.h"

namespace pk10 {
namespace {

constexpr std::string_view kOpened = "期开 ";

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Six numbers or so, each two digits and a space.
bool IsNumberList(std::string_view list) {
    if (list.empty() || list.size() % 3 != 0) {
        return false;
    }
    for (std::size_t at = 0; at < list.size(); at += 3) {
        if (!AllDigits(list.substr(at, 2)) || list[at + 2] != ' ') {
            return false;
        }
    }
    return true;
}

// The outcome a mark stands for; nothing for any other text.
std::optional<PlanOutcome> OutcomeOfMark(std::string_view mark) {
    if (mark == kHitMark) {
        return PlanOutcome::Hit;
    }
    if (mark == kMissMark || mark == "  挂" || mark == " 挂") {
        return PlanOutcome::Miss;
    }
    return std::nullopt;
}

}  // namespace

int SettledPlan::PeriodIndex() const {
    return outcome == PlanOutcome::Passed ? 0 : PeriodsAhead(spanFirst, closePeriod) + 1;
}

std::optional<SettledPlan> ReadSettledLine(std::string_view line, int position) {
    const std::size_t open = line.find('<');
    const std::optional<SpanTexts> span = ReadSpan(line);
    const std::optional<std::string_view> list = ReadNumberList(line);
    if (open == std::string_view::npos || open == 0 || !span || !list || !AllDigits(span->first) ||
        !AllDigits(span->last) || !IsNumberList(*list)) {
        return std::nullopt;
    }
    SettledPlan plan;
    plan.position = position;
    plan.spanFirst = DecimalValue(span->first);
    plan.spanLast = DecimalValue(span->last);
    plan.numbers = std::string(*list);
    if (IsAfterPeriod(plan.spanFirst, plan.spanLast)) {
        return std::nullopt;
    }

    const std::string_view tail =
        WithoutTrailingLineEnd(line.substr(open + 1 + list->size() + 1));  // after the ">"
    if (tail.empty()) {
        return plan;  // passed: no mark
    }
    // Two spaces, the close period, "期开 ", two characters, the mark.
    const std::size_t opened = tail.find(kOpened);
    if (tail.substr(0, 2) != "  " || opened == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view close = tail.substr(2, opened - 2);
    const std::string_view drawn = tail.substr(opened + kOpened.size(), 2);
    const std::optional<PlanOutcome> outcome =
        OutcomeOfMark(tail.substr(opened + kOpened.size() + drawn.size()));
    if (!AllDigits(close) || close.size() > 9 || drawn.size() != 2 || !AllDigits(drawn) ||
        !outcome) {
        return std::nullopt;
    }
    const bool listed = plan.numbers.find(drawn) != std::string::npos;
    if (listed != (*outcome == PlanOutcome::Hit)) {
        return std::nullopt;  // the mark contradicts the numbers
    }
    plan.closePeriod = DecimalValue(close);
    plan.drawn = std::string(drawn);
    plan.outcome = *outcome;
    return plan;
}

BookReading ReadSettledPlans(const PlanBook& book, int position) {
    BookReading reading;
    const int running = RunningLineSlot(book);
    for (int slot = 0; slot < running; ++slot) {
        const std::string& text = book[static_cast<std::size_t>(slot)];
        if (text.empty()) {
            continue;
        }
        if (std::optional<SettledPlan> plan = ReadSettledLine(text, position)) {
            reading.plans.push_back(std::move(*plan));
        } else {
            ++reading.skipped;
        }
    }
    return reading;
}

std::string_view WithoutTrailingLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace pk10
