#pragma once
// The platform's per-user folders, found from the environment the program was
// started with. One implementation file per platform (PlatformFoldersPosix.cpp,
// PlatformFoldersWindows.cpp); both read only the lookup they are given.

#include <filesystem>
#include <string>

#include "app/Environment.h"

namespace pk10 {

// The value of the variable `name` as a path when it is an absolute one;
// empty otherwise (unset, empty or relative).
std::filesystem::path AbsolutePathVariable(const EnvironmentLookup& environment, const char* name);

// The user's home folder: HOME on Linux, USERPROFILE on Windows. Empty when
// the variable is unset, empty or not an absolute path.
std::filesystem::path HomeFolder(const EnvironmentLookup& environment);

// The per-user folder of the program's data files: on Linux
// $XDG_STATE_HOME/pk10plan, or ~/.local/state/pk10plan when XDG_STATE_HOME is
// unset, empty or relative (the XDG base directory rules ignore a relative
// one); on Windows %LOCALAPPDATA%\pk10plan. Empty when it cannot be named.
std::filesystem::path UserDataFolder(const EnvironmentLookup& environment);

// How the help text names that folder and the settings file of the servers.
std::string UserDataFolderHelp();
std::string UserSettingsHelp();

}  // namespace pk10
