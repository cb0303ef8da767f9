#pragma once
// The check states of the ten Position buttons, as a copy that any thread may
// read. The window writes it on the window thread whenever a button's state
// changes; the shell writes it at once when the application sets a state, so
// the plan pane built right after sees the new selection before the button
// itself has been updated on the window thread.

#include <array>
#include <mutex>

namespace pk10::ui {

class PositionSelection {
  public:
    // Positions outside 1..10 read as unchecked and are never stored.
    bool IsChecked(int position) const;
    void Set(int position, bool checked);

  private:
    mutable std::mutex mutex_;
    std::array<bool, 10> checked_{};
};

}  // namespace pk10::ui
