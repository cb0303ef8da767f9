#pragma once
// The window run mode's parts, wired as the program runs them: the selection
// copy, the shell, the application, the update check (its message may show
// before the window exists), then the window, attached to the application,
// whose initialisation has started when the constructor returns. RunWindow
// shows the window with exec(); the tests show it and drive it.

#include <memory>

#include "app/AppOptions.h"
#include "app/Application.h"
#include "app/SharedSelection.h"
#include "ui/CPlanDlg.h"
#include "ui/WindowShell.h"

namespace pk10::ui {

class WindowSession {
  public:
    // Needs the QApplication; on the window thread.
    WindowSession(const AppOptions& options, Desktop desktop);
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;
    // Shuts the application down (if closing the window has not), then the
    // window goes before the application.
    ~WindowSession();

    CPlanDlg& window() { return *window_; }
    Application& app() { return app_; }

  private:
    SharedSelection selection_;
    WindowShell shell_;
    Application app_;
    std::unique_ptr<CPlanDlg> window_;
};

}  // namespace pk10::ui
