#pragma once
// The servers' addresses in use by a running program. The refresh worker reads
// them at each poll, at the promotional link and at the update check, so an
// address changed in the settings dialog is used from the next refresh on,
// without a restart. A server fixed by the command line or the environment
// keeps its address for the run.
//
// Thread safety: every member may be called from any thread.

#include <mutex>
#include <string>

#include "app/AppOptions.h"
#include "app/ServerSettings.h"

namespace pk10 {

class LiveServers {
  public:
    // The addresses and sources that `options` chose.
    explicit LiveServers(const AppOptions& options);

    std::string Results() const;
    std::string Maker() const;
    // The two servers as the settings dialog shows them.
    ServerFields Fields() const;

    // Which servers a Change() gave a new address.
    struct Changed {
        bool results = false;
        bool maker = false;
    };
    // New addresses from the settings dialog (ServerAddressOf: an empty text is
    // the default). A fixed server keeps its own; an address that cannot be a
    // server's (ServerAddressProblem) changes nothing.
    Changed Change(const std::string& results, const std::string& maker);

  private:
    struct Server {
        std::string address;
        ServerSource source;
    };
    // Sets `server` to `text`'s address unless it is fixed; whether it changed.
    static bool ChangeOne(Server& server, const std::string& text);
    static ServerField FieldOf(const Server& server, const char* option, const char* variable);

    mutable std::mutex mutex_;
    Server results_;
    Server maker_;
};

}  // namespace pk10
