#include "ui/WindowSession.h"

#include <utility>

namespace pk10::ui {

WindowSession::WindowSession(const AppOptions& options, Desktop desktop)
    : shell_(selection_, std::move(desktop)), app_(options, shell_) {
    // Before the window exists; a newer version's message is modal here.
    app_.CheckForUpdate();
    window_ = std::make_unique<CPlanDlg>(app_, selection_);
    shell_.Attach(window_.get());
    app_.InitialiseWindow();
}

WindowSession::~WindowSession() {
    // Closing the window has shut the application down already; this covers
    // an event loop that ended some other way.
    app_.Shutdown();
}

}  // namespace pk10::ui
