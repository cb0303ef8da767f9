// The engine's set-up, the preparation of a walk, the line-writing walk and the
// refresh of a Position's plan book.

#include "plan/PlanEngine.h"

#include <utility>

#include "plan/Decimal.h"
#include "plan/NumberDerivation.h"
#include "plan/PlanBookSlots.h"
#include "plan/PlanLineText.h"
#include "plan/WalkVariant.h"

namespace pk10 {

PlanEngine::PlanEngine(DrawHistory& history, PlanState& state, SearchOptions search)
    : history_(history), state_(state), search_(search) {}

void PlanEngine::SetRecomputeHooks(std::function<void()> showSelectedPlans,
                                   std::function<void()> writeDayFiles) {
    showSelectedPlans_ = std::move(showSelectedPlans);
    writeDayFiles_ = std::move(writeDayFiles);
}

std::function<void()> PlanEngine::RecomputeCallback() {
    return [this] { RecomputeAllPlans(); };
}

void PlanEngine::PrepareWalk() {
    const std::int32_t cursor = history_.cursor;
    if (cursor < 0 || cursor >= kHistorySlots || cursor >= kWalkSlots) {
        return;
    }
    const auto at = static_cast<std::size_t>(cursor);
    state_.scratch.SeedPeriod = DecimalValue(Mid(history_.walkLines[at], 0, kPeriodLength));
    history_.cursor = cursor - 1;
    state_.scratch.DrawDigits = SeedDigitsOf(history_.lines[at]);
    state_.scratch.PlanSeed = DecimalValue(state_.scratch.DrawDigits);
}

void PlanEngine::PrepareWalkFromOldest() {
    history_.cursor = history_.oldest;
    state_.scratch.WorkLineCount = 0;
    PrepareWalk();
}

void PlanEngine::WriteWorkLine(std::string line) {
    const std::int32_t at = state_.scratch.WorkLineCount;
    if (at >= 0 && at < kBookSlots) {
        state_.scratch.WorkBook[static_cast<std::size_t>(at)] = std::move(line);
    }
    state_.scratch.WorkLineCount = WrapAdd(at, 1);
}

float PlanEngine::WalkPositionPlan(int position, std::int32_t a, std::int32_t b, std::int32_t c) {
    const WalkVariant* variant = VariantOfPosition(position);
    if (variant == nullptr || history_.oldest < 1) {
        return 0.0f;
    }
    const std::string& filler = state_.FillerDigits[SlotOfPosition(position)];
    std::int32_t start = state_.scratch.SeedPeriod;
    std::int32_t examined = 0;
    std::string numbers =
        DerivePlanNumbers(variant->firstForm, state_.scratch.PlanSeed, a, c, filler);
    // The draw right after the seed draw is never read: PrepareWalk has already
    // lowered the cursor once and each step reads the slot below it.
    while (history_.cursor > 0) {
        const std::int32_t below = history_.cursor - 1;
        const std::string_view line =
            below < kWalkSlots
                ? std::string_view(history_.walkLines[static_cast<std::size_t>(below)])
                : std::string_view();
        state_.scratch.DrawDigits = DrawDigitsOf(line, variant->view);
        const std::string drawn(Mid(state_.scratch.DrawDigits, variant->numberAt, 2));
        history_.cursor = below;
        ++examined;
        const bool hit = numbers.find(drawn) != std::string::npos;
        if (!hit && examined != b) {
            continue;
        }
        WriteWorkLine(ClosedPlanLine(variant->title, start, b, examined, numbers, drawn, hit));
        if (hit) {
            state_.scratch.HitCount = WrapAdd(state_.scratch.HitCount, 1);
        }
        // The next span starts after the closing draw's own period, seeded from
        // its digits (zeros kept, so the value may wrap).
        start = WrapAdd(DecimalValue(Mid(line, 0, kPeriodLength)), 1);
        examined = 0;
        state_.scratch.PlanSeed = DecimalValue(state_.scratch.DrawDigits);
        numbers = DerivePlanNumbers(variant->laterForm, state_.scratch.PlanSeed, a, c, filler);
    }
    WriteWorkLine(OpenPlanLine(variant->title, start, b, numbers));
    const auto hits = static_cast<float>(state_.scratch.HitCount);
    state_.scratch.HitCount = 0;
    return hits;
}

void PlanEngine::RefreshPositionBook(int position) {
    const int slot = SlotOfPosition(position);
    if (slot == 0 || history_.oldest < 1) {
        return;
    }
    PrepareWalkFromOldest();
    EmptySlots(state_.scratch.WorkBook, 0, kKeptBookSlots - 2);
    WalkPositionPlan(position, state_.PlanMultiplier[slot], state_.PlanSpan, state_.PlanSize);
    // Book slots 1..5 receive the walk's last five lines, the open one in slot 5.
    // A short walk fills the top slots and leaves the ones below empty.
    const int last = LastLineSlot(state_.scratch.WorkBook);
    PlanBook& book = state_.books[slot];
    for (int back = 0; back < 5; ++back) {
        const int from = last - back;
        book[static_cast<std::size_t>(5 - back)] =
            from >= 0 ? state_.scratch.WorkBook[static_cast<std::size_t>(from)] : std::string();
    }
    EmptySlots(state_.scratch.WorkBook, 0, kKeptBookSlots - 1);
}

}  // namespace pk10
