#pragma once
// What the draw feeds need from whatever shows the left pane.

#include <string>

namespace pk10 {

class DrawPaneView {
  public:
    virtual ~DrawPaneView() = default;
    // Replaces the whole text of the draw pane; scrolls it to its end when asked.
    // Called on the refresh worker (or during start-up); implementations forward
    // the text to the window thread and never block on it.
    virtual void ShowDrawListing(const std::string& text, bool scrollToEnd) = 0;
};

}  // namespace pk10
