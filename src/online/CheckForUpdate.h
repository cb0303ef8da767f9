#pragma once
// The update check of the start-up sequence: a newer version number on the
// maker's server is announced in a message, then its download is handed to the
// browser. Every failure is silent and counts as "no newer version".
//
// Keeps no state; may run on any thread, and blocks for the transfer and while
// the message is shown.

#include <string>

#include "io/HttpTextFetch.h"
#include "online/DesktopServices.h"

namespace pk10 {

enum class UpdateOutcome {
    Current,    // the server's number is not newer: nothing shown
    Announced,  // the message was shown (then the download opened when it is a web address)
    Failed,     // the update file could not be fetched: nothing shown
};

// GETs `makerServer` + "setting/pk10updata.txt"; when it names a newer version,
// shows UpdateMessage(makerServer) captioned with the application's name and,
// once it is dismissed, opens `makerServer` + "varnokxz/pk10sy.rar" if that is an
// http(s) address.
UpdateOutcome CheckForUpdate(const std::string& makerServer, Notifier& notifier,
                             DesktopOpener& opener, const FetchOptions& options = {});

}  // namespace pk10
