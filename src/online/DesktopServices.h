#pragma once
// The two desktop services the online checks need: a modal message and the
// user's browser. The window implements them with Qt; the headless shell prints.

#include <string>

namespace pk10 {

class Notifier {
  public:
    virtual ~Notifier() = default;
    // Shows a message with an OK button and returns once the user has dismissed it.
    virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
};

class DesktopOpener {
  public:
    virtual ~DesktopOpener() = default;
    // Opens an http:// or https:// address in the user's browser; the result is not examined.
    virtual void OpenUrl(const std::string& url) = 0;
};

}  // namespace pk10
