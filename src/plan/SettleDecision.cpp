#include "plan/SettleDecision.h"

#include <optional>

#include "draws/DrawHistory.h"
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

    const bool hit = listed && (newest >= first || (newest < 3 && newest <= last));
    const bool missAtLast = newest == last && !listed;
    const bool passed = newest > last && last > rule.passedAfter;
    settlement.newest = newest;
    if (hit) {
        if (running.find(kHitMarker) == std::string_view::npos) {
            settlement.appended +=
                "  " + DecimalText(newest) + "期开 " + std::string(number) + std::string(kHitMark);
        }
        settlement.next = NextLine::OpenLine;
    }
    if (missAtLast) {
        if (running.find(kMissMarker) == std::string_view::npos) {
            settlement.appended += "  " + DecimalText(last) + "期开 " + std::string(number) +
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
