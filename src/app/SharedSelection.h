#pragma once
// The check states of the ten Position buttons, as a copy that any thread may
// read and write. The window keeps it in step with its buttons on the window
// thread; a shell writes it at once when the application sets a state, so a
// plan pane built right after sees the new selection before the button itself
// has been updated. The headless shell keeps its selection here too.

#include <mutex>

#include "records/PlanPane.h"

namespace pk10 {

class SharedSelection {
  public:
    // Positions outside 1..10 read as unchecked and are never stored.
    bool IsChecked(int position) const;
    void Set(int position, bool checked);
    // All ten states, read at one moment.
    PositionSelection Snapshot() const;

  private:
    mutable std::mutex mutex_;
    PositionSelection selection_;
};

}  // namespace pk10
