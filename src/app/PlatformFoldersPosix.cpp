#include "app/PlatformFolders.h"

namespace pk10 {

std::filesystem::path HomeFolder(const EnvironmentLookup& environment) {
    return AbsolutePathVariable(environment, "HOME");
}

std::filesystem::path UserDataFolder(const EnvironmentLookup& environment) {
    if (std::filesystem::path state = AbsolutePathVariable(environment, "XDG_STATE_HOME");
        !state.empty()) {
        return state / "pk10plan";
    }
    const std::filesystem::path home = HomeFolder(environment);
    return home.empty() ? home : home / ".local" / "state" / "pk10plan";
}

std::string UserDataFolderHelp() {
    return "$XDG_STATE_HOME/pk10plan (by default ~/.local/state/pk10plan)";
}

std::string UserSettingsHelp() {
    return "~/.config/pk10plan/pk10plan.conf";
}

}  // namespace pk10
