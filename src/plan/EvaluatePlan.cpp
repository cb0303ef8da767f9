// Settles a slot's running plan line against the newest draw.

#include "plan/Decimal.h"
#include "plan/PlanBookSlots.h"
#include "plan/PlanEngine.h"
#include "plan/PlanLineText.h"
#include "plan/SettleRule.h"

namespace pk10 {

std::string PlanEngine::RewriteSpan(const std::string& line, std::int32_t newest) const {
    const std::optional<SpanTexts> span = ReadSpan(line);
    if (!span) {
        return line;
    }
    // Copies: the views point into `line`, which is rewritten in steps.
    const std::string first(span->first);
    const std::string last(span->last);
    std::string text = ReplaceAll(line, first, "*");
    text = ReplaceAll(text, last, DecimalText(WrapAdd(newest, state_.PlanSpan)));
    return ReplaceAll(text, "*", DecimalText(WrapAdd(newest, 1)));
}

void PlanEngine::EvaluatePlan(int slot, std::string openLine) {
    const SettleRule* rule = SettleRuleOfSlot(slot);
    if (rule == nullptr) {
        return;
    }
    if (rule->stripsLineBreaks) {
        history_.latest = WithoutChar(WithoutChar(history_.latest, '\n'), '\r');
    }
    PlanBook& book = state_.books[slot];
    int running = RunningLineSlot(book);
    if (running < 0) {
        return;  // an empty book has no running plan to settle
    }
    const std::string& draw = history_.latest;
    const std::string number(SettledNumber(*rule, draw));
    const std::optional<SpanTexts> span = ReadSpan(book[static_cast<std::size_t>(running)]);
    const std::optional<std::string_view> numberList =
        ReadNumberList(book[static_cast<std::size_t>(running)]);
    if (number.size() != 2 || !span || !numberList) {
        return;  // a draw or a running line that cannot be read settles nothing
    }
    const std::int32_t newest = DecimalValue(Mid(draw, 0, kPeriodLength));
    const std::int32_t first = DecimalValue(span->first);
    const std::int32_t last = DecimalValue(span->last);
    const bool listed = numberList->find(number) != std::string_view::npos;

    const bool hit = listed && (newest >= first || (newest < 3 && newest <= last));
    const bool missAtLast = newest == last && !listed;
    const bool passed = newest > last && last > rule->passedAfter;
    if (!hit && !missAtLast && !passed) {
        return;  // before the span, or inside it without a hit
    }

    // The book keeps its lines in slots 0..255: when the new line would go past
    // them, the oldest lines are dropped so the newest plans stay visible and saved.
    int next = running + 1;
    if (next >= kKeptBookSlots) {
        const int drop = next - (kKeptBookSlots - 1);
        ShiftBookDown(book, drop);
        running -= drop;
        next -= drop;
    }
    std::string& current = book[static_cast<std::size_t>(running)];
    std::string& following = book[static_cast<std::size_t>(next)];

    if (hit) {
        if (current.find(kHitMarker) == std::string::npos) {
            current += "  " + DecimalText(newest) + "期开 " + number + std::string(kHitMark);
        }
        following = RewriteSpan(openLine, newest);
    }
    if (missAtLast) {
        if (current.find(kMissMarker) == std::string::npos) {
            current += "  " + DecimalText(last) + "期开 " + number + std::string(rule->missMark);
        }
        if (rule->repicksFiller) {
            PickFillerDigits(slot);
        }
        state_.PlanMultiplier[slot] = SmartSearch(slot, 1, 2000, state_.PlanSpan, state_.PlanSize);
        PrepareWalkFromOldest();
        EmptySlots(state_.WorkBook, 0, kKeptBookSlots - 1);
        WalkPositionPlan(PositionOfSlot(slot), state_.PlanMultiplier[slot], state_.PlanSpan,
                         state_.PlanSize);
        const int walkLast = LastLineSlot(state_.WorkBook);
        if (walkLast >= 1) {
            following = state_.WorkBook[static_cast<std::size_t>(walkLast)];
        }
        EmptySlots(state_.WorkBook, 0, kKeptBookSlots - 1);
        following = RewriteSpan(following, newest);
    }
    if (passed) {
        if (rule->lineBreakAfterPassed) {
            current += "\r\n";
        }
        following = RewriteSpan(openLine, newest);
    }
}

}  // namespace pk10
