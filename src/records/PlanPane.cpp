#include "records/PlanPane.h"

#include <optional>

#include "records/PlanLineScan.h"

namespace pk10 {

PositionSelection PositionSelection::ReadFrom(const PlanView& view) {
    PositionSelection selection;
    for (int position = 1; position <= kSlotCount; ++position) {
        selection.SetChecked(position, view.IsPositionChecked(position));
    }
    return selection;
}

bool PaneShowsSlotZero(int position) {
    return position == 1 || position == 4 || position == 5;
}

std::string PlanPaneText(const BySlot<PlanBook>& books, const PositionSelection& selection) {
    std::string text;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const int position = PositionOfSlot(slot);
        if (!selection.IsChecked(position)) {
            continue;
        }
        const PlanBook& book = books[slot];
        const std::optional<int> last = LastListedSlot(book, PaneShowsSlotZero(position));
        if (!last) {
            continue;
        }
        for (int i = 0; i <= *last; ++i) {
            text += book[static_cast<std::size_t>(i)];
            text += "\r\n";
        }
    }
    return text;
}

std::string PlanPaneText(const BySlot<PlanBook>& books, const PlanView& view) {
    return PlanPaneText(books, PositionSelection::ReadFrom(view));
}

void PlanView::ShowPlanPane(const BySlot<PlanBook>& books) {
    ShowPlanText(PlanPaneText(books, *this));
}

void ShowSelectedPlans(const BySlot<PlanBook>& books, PlanView& view) {
    view.ShowPlanPane(books);
}

}  // namespace pk10
