#pragma once
// The folder that holds data/ and data1.txt, made ready before the run starts.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/AppOptions.h"

namespace pk10 {

// Creates `dir` (and its parents) when it is missing. Returns an empty text
// when `dir` is a folder afterwards (the temporary files that killed runs left
// in it and in its data/ are then removed, see RemoveStrayTempFiles); otherwise
// one line that says why it cannot be used (a regular file in its place, a
// parent that is a file, ...).
std::string PrepareDataDir(const std::filesystem::path& dir);

inline constexpr const char* kLocalAppDataEnv = "LOCALAPPDATA";

// The data folder of a run that names none with --data-dir: the working folder,
// unless that is the folder the program was installed in. A Start menu shortcut
// and a double click in Explorer both start the program there, and on Windows
// that is a folder under Program Files, not the user's to write; such a run
// keeps its files in <LOCALAPPDATA>/pk10plan instead. The installed folder is
// known by the bundled draws beside the executable (see BundledData.h).
// Without LOCALAPPDATA, or without a known executable or working folder, it
// stays the working folder ".".
std::filesystem::path DefaultDataDir(
    const std::function<std::optional<std::string>(const std::string&)>& environment,
    const std::filesystem::path& executable, const std::filesystem::path& workingDir);

// The data folder of a program's run, as both programs start it: without
// --data-dir, DefaultDataDir of the running program and the working folder
// goes into options.workDir; then PrepareDataDir. Returns its text.
std::string PrepareRunDataDir(
    AppOptions& options,
    const std::function<std::optional<std::string>(const std::string&)>& environment);

}  // namespace pk10
