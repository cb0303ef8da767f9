// Settles a slot's running plan line against the newest draw.

#include "plan/Decimal.h"
#include "plan/PlanBookSlots.h"
#include "plan/PlanEngine.h"
#include "plan/PlanLineText.h"
#include "plan/SettleDecision.h"

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
    text = ReplaceAll(text, last, PeriodText(WrapAdd(newest, state_.PlanSpan)));
    return ReplaceAll(text, "*", PeriodText(WrapAdd(newest, 1)));
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
    const Settlement settlement =
        DecideSettlement(*rule, history_.latest, book[static_cast<std::size_t>(running)]);
    if (settlement.next == NextLine::None) {
        return;
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
    book[static_cast<std::size_t>(running)] += settlement.appended;
    std::string& following = book[static_cast<std::size_t>(next)];
    if (settlement.next == NextLine::OpenLine) {
        following = RewriteSpan(openLine, settlement.newest);
        return;
    }
    if (rule->repicksFiller) {
        PickFillerDigits(slot);
    }
    SearchAgainAndWalk(slot);
    // Without a walk line the slot keeps what it held.
    const int walkLast = LastLineSlot(state_.scratch.WorkBook);
    if (walkLast >= 1) {
        following = state_.scratch.WorkBook[static_cast<std::size_t>(walkLast)];
    }
    EmptySlots(state_.scratch.WorkBook, 0, kKeptBookSlots - 1);
    following = RewriteSpan(following, settlement.newest);
}

}  // namespace pk10
