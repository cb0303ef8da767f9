#pragma once
// The two servers' addresses: how a run chooses them and how the settings
// dialogs of both windows show, check and save them. Each server's address is,
// in this order of precedence: the command-line option (--results-server,
// --maker-server), else the environment variable (PK10_RESULTS_SERVER,
// PK10_MAKER_SERVER), else the user's saved setting, else the bundled local
// server's address. ParseAppOptions takes the first two, ApplySavedServers the
// third.

#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/SettingsStore.h"

namespace pk10 {

inline constexpr const char* kResultsServerEnv = "PK10_RESULTS_SERVER";
inline constexpr const char* kMakerServerEnv = "PK10_MAKER_SERVER";
// The saved settings' keys, and the settings file (QSettings) that holds them.
inline constexpr const char* kResultsServerKey = "servers/results";
inline constexpr const char* kMakerServerKey = "servers/maker";
inline constexpr const char* kServerSettingsFile = "pk10plan";

// Empty when `address` can be a server's: an http:// or https:// address with
// a host (IsWebAddress); otherwise the reason, as one line.
std::string ServerAddressProblem(const std::string& address);

// Puts the saved address of each server that neither the command line nor the
// environment named into `options` (source kSaved). A saved address that is
// not one is left out; the returned lines say so, one per address. An empty
// saved text means none.
std::vector<std::string> ApplySavedServers(AppOptions& options, const SettingsStore& saved);

// A server as the settings dialog shows it: its address in use, and the option
// or variable that fixed it for this run (empty when the dialog may change it).
struct ServerField {
    std::string address;
    std::string fixedBy;
};
struct ServerFields {
    ServerField results;
    ServerField maker;
};

// The dialog's labels of the two fields, and the note under a fixed field.
inline constexpr const char* kResultsServerLabel = "开奖结果服务器(&R):";
inline constexpr const char* kMakerServerLabel = "软件厂商服务器(&M):";
std::string FixedServerNote(const ServerField& field);

// The dialog's OK with the texts of its two fields (surrounding spaces do not
// count; an empty one means the bundled local server): checks each field the
// dialog may change, then saves those in `store`. Returns the reason, naming
// the field, when an address is refused (nothing is saved then) or cannot be
// saved. A fixed field's text is neither checked nor saved.
std::string SaveServerFields(const ServerFields& shown, std::string results, std::string maker,
                             SettingsStore& store);

// A field's text as an address in use: trimmed, the default when empty.
std::string ServerAddressOf(std::string text);

}  // namespace pk10
