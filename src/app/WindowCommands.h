#pragma once
// What the window asks of the application. Called on the window thread; every
// call returns at once (slow work goes to the refresh worker or a helper thread).

#include <string>

#include "app/ServerSettings.h"

namespace pk10 {

class WindowCommands {
  public:
    virtual ~WindowCommands() = default;
    // A Position button was clicked (the window has already updated its selection
    // copy): fill the count fields and rebuild the plan pane from the newest books.
    virtual void OnPositionSelected() = 0;
    // "计划不稳时点我": queue the re-plan command on the refresh worker.
    virtual void RequestReplan() = 0;
    // "开通高奖金信誉平台": fetch the promotional link and open it, off the window thread.
    virtual void RequestPromoLink() = 0;
    // The two servers in use, as the settings dialog shows them.
    virtual ServerFields Servers() const = 0;
    // The settings dialog's new addresses (an empty text is the default): used
    // from the next refresh on; a new maker server re-points the banner. A
    // server fixed by the command line or the environment keeps its address.
    virtual void ChangeServers(const std::string& results, const std::string& maker) = 0;
    // The window is closing: stop the worker, abort a running transfer, drop queued work.
    virtual void Shutdown() = 0;
};

}  // namespace pk10
