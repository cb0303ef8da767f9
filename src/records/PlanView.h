#pragma once
// What the plan records need from the window: the Position selection, the mode
// buttons, the plan pane and the two count fields.

#include <string>

#include "plan/PlanState.h"

namespace pk10 {

class PlanView {
  public:
    virtual ~PlanView() = default;
    // Check state of the Position button (position 1..10). Thread-safe: reads the
    // copy of the selection that the window updates on every click.
    virtual bool IsPositionChecked(int position) const = 0;
    // Sets the check state of a Position button; one-way, carried out on the window thread.
    virtual void SetPositionChecked(int position, bool checked) = 0;
    // Check states of "经典模式" (1012) and "智能模式" (1013); one-way.
    virtual void SetModeButtons(bool classicChecked, bool smartChecked) = 0;
    // Replaces the whole plan pane text and scrolls it to its end; one-way.
    virtual void ShowPlanText(const std::string& text) = 0;
    // Shows the plan pane of `books` for the Positions checked when the pane is
    // shown (PlanPaneText); one-way. A view that shows it later builds the text
    // then, so a click in between is never undone by a pane of the Positions
    // checked before it. By default: ShowPlanText with the selection as it is now.
    virtual void ShowPlanPane(const BySlot<PlanBook>& books);
    // Texts of the count fields 1007 ("码数->") and 1008 ("期数->"); one-way.
    virtual void ShowCountFields(const std::string& sizeText, const std::string& spanText) = 0;
};

}  // namespace pk10
