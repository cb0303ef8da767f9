#include "plan/SettleDecision.h"

#include <optional>

#include "draws/DrawHistory.h"
#include "draws/DrawLine.h"
#include "plan/Decimal.h"
#include "plan/PlanLineText.h"

namespace pk10 {

Settlement DecideSettlement(const SettleRule& rule, std::string_view draw,
                            std::string_view running) {
    Settlement settlement;
    const std::string_view number = SettledNumber(rule, draw);
    const std::optional<SpanTexts> span = ReadSpan(running);
    const std::optional<std::string_view> numberList = ReadNumberList(running);
    if (number.size() != 2 || !span || !numberList) {
        return settlement;
    }
    const std::int32_t newest = DecimalValue(Mid(draw, 0, kPeriodLength));
    const std::int32_t first = DecimalValue(span->first);
    const std::int32_t last = DecimalValue(span->last);
    const bool listed = numberList->find(number) != std::string_view::npos;

    // Periods count forward across the wrap from 999999 to 000000, so a span
    // "999999-000001" holds the draws 999999, 000000 and 000001.
    const bool atOrAfterFirst = PeriodsAhead(first, newest) == 0 || IsAfterPeriod(newest, first);
    const bool hit = listed && atOrAfterFirst;
    const bool missAtLast = PeriodsAhead(last, newest) == 0 && !listed;
    const bool passed = IsAfterPeriod(newest, last) && last > rule.passedAfter;
    settlement.newest = newest;
    if (hit) {
        if (running.find(kHitMarker) == std::string_view::npos) {
            settlement.appended +=
                "  " + PeriodText(newest) + "期开 " + std::string(number) + std::string(kHitMark);
        }
        settlement.next = NextLine::OpenLine;
    }
    if (missAtLast) {
        if (running.find(kMissMarker) == std::string_view::npos) {
            settlement.appended += "  " + PeriodText(last) + "期开 " + std::string(number) +
                                   std::string(rule.missMark);
        }
        settlement.next = NextLine::FreshWalk;
    }
    if (passed) {
        if (rule.lineBreakAfterPassed) {
            settlement.appended += "\r\n";
        }
        settlement.next = NextLine::OpenLine;
    }
    return settlement;
}

}  // namespace pk10
