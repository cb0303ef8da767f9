#pragma once
// The plan pane: the text of the selected Positions' plan books.
//
// PlanPaneText with a PositionSelection is a pure function of its arguments, so
// the window thread can build the pane from a copy of the books while the
// refresh worker writes the live ones.

#include <array>
#include <string>

#include "plan/PlanState.h"
#include "records/PlanView.h"

namespace pk10 {

// The check states of the ten Position buttons.
class PositionSelection {
  public:
    bool IsChecked(int position) const { return checked_[Index(position)]; }
    void SetChecked(int position, bool checked) { checked_[Index(position)] = checked; }

    // The states as the view reports them now.
    static PositionSelection ReadFrom(const PlanView& view);

  private:
    static std::size_t Index(int position) { return static_cast<std::size_t>(position - 1); }
    std::array<bool, kSlotCount> checked_{};
};

// Whether the pane lists slot 0 of a Position's book even when no slot holds a
// plan line (Positions 1, 4 and 5).
bool PaneShowsSlotZero(int position);

// For each checked Position in PositionOrder: slots 0 to the last listed slot of
// its book (see LastListedSlot), each followed by "\r\n". Empty when nothing is
// checked.
std::string PlanPaneText(const BySlot<PlanBook>& books, const PositionSelection& selection);
// The same with the selection the view reports now.
std::string PlanPaneText(const BySlot<PlanBook>& books, const PlanView& view);

// Has the view show the plan pane of `books` (PlanView::ShowPlanPane: the text
// of the Positions checked when it is shown; the view scrolls it to its end).
void ShowSelectedPlans(const BySlot<PlanBook>& books, PlanView& view);

}  // namespace pk10
