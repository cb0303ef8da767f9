#pragma once
// A PlanView for tests: keeps the Position selection and records every call as
// an event line ("check 1 on", "modes classic=0 smart=1", "pane <text>",
// "counts 6 3").

#include <array>
#include <string>
#include <vector>

#include "records/PlanView.h"

namespace pk10::test {

class FakePlanView : public PlanView {
  public:
    bool IsPositionChecked(int position) const override {
        return checked_[static_cast<std::size_t>(position - 1)];
    }
    void SetPositionChecked(int position, bool checked) override {
        checked_[static_cast<std::size_t>(position - 1)] = checked;
        events.push_back("check " + std::to_string(position) + (checked ? " on" : " off"));
    }
    void SetModeButtons(bool classicChecked, bool smartChecked) override {
        events.push_back("modes classic=" + std::to_string(classicChecked) +
                         " smart=" + std::to_string(smartChecked));
    }
    void ShowPlanText(const std::string& text) override {
        paneTexts.push_back(text);
        events.push_back("pane " + text);
    }
    void ShowCountFields(const std::string& sizeText, const std::string& spanText) override {
        events.push_back("counts " + sizeText + " " + spanText);
    }

    // Checks exactly the given Positions, as clicks would leave them (no event).
    void Select(std::initializer_list<int> positions) {
        checked_.fill(false);
        for (int position : positions) {
            checked_[static_cast<std::size_t>(position - 1)] = true;
        }
    }

    std::vector<std::string> events;
    std::vector<std::string> paneTexts;

  private:
    std::array<bool, 10> checked_{};
};

}  // namespace pk10::test
