#include "app/PlatformFolders.h"

namespace pk10 {

std::filesystem::path HomeFolder(const EnvironmentLookup& environment) {
    return AbsolutePathVariable(environment, "USERPROFILE");
}

std::filesystem::path UserDataFolder(const EnvironmentLookup& environment) {
    const std::filesystem::path local = AbsolutePathVariable(environment, "LOCALAPPDATA");
    return local.empty() ? local : local / "pk10plan";
}

std::string UserDataFolderHelp() {
    return "%LOCALAPPDATA%\\pk10plan";
}

std::string UserSettingsHelp() {
    return "the registry, HKEY_CURRENT_USER\\Software\\pk10plan\\servers";
}

}  // namespace pk10
