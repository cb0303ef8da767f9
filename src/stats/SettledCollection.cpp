#include "stats/SettledCollection.h"

#include <optional>

#include "plan/PlanBookSlots.h"

namespace pk10 {
namespace {

// The slot of the line that began as `before` and was settled; -1 when nothing
// was settled.
int SettledSlot(const PlanBook& book, const std::string& before) {
    const int at = RunningLineSlot(book);
    if (before.empty() || at < 0 || book[static_cast<std::size_t>(at)] == before) {
        return -1;
    }
    int settled = at;  // a new line that is empty leaves the settled one last
    if (book[static_cast<std::size_t>(at)].rfind(before, 0) != 0) {
        settled = at - 1;
    }
    if (settled < 0 || book[static_cast<std::size_t>(settled)].rfind(before, 0) != 0) {
        return -1;
    }
    return settled;
}

}  // namespace

StatsReport SettledCollection::Report() const {
    StatsReport report = ComputeReport(plans);
    for (std::size_t i = 0; i < skipped.size(); ++i) {
        report.byPosition[i].skipped = skipped[i];
        report.total.skipped += skipped[i];
    }
    return report;
}

BySlot<std::string> RunningLines(const BySlot<PlanBook>& books) {
    BySlot<std::string> running;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const int at = RunningLineSlot(books[slot]);
        if (at >= 0) {
            running[slot] = books[slot][static_cast<std::size_t>(at)];
        }
    }
    return running;
}

void CollectSettled(const BySlot<std::string>& before, const BySlot<PlanBook>& books,
                    SettledCollection& into) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const PlanBook& book = books[slot];
        const int settled = SettledSlot(book, before[slot]);
        if (settled < 0) {
            continue;
        }
        const int position = PositionOfSlot(slot);
        if (std::optional<SettledPlan> plan =
                ReadSettledLine(book[static_cast<std::size_t>(settled)], position)) {
            into.plans.push_back(std::move(*plan));
        } else {
            ++into.skipped[static_cast<std::size_t>(position - 1)];
        }
    }
}

}  // namespace pk10
