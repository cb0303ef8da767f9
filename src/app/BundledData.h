#pragma once
// Where the draws bundled with the program are found.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace pk10 {

inline constexpr const char* kBundledDrawFile = "pk10-2014.txt";
inline constexpr const char* kDataDirEnv = "PK10_DATA_DIR";

// The folder of the bundled data, the first of: PK10_DATA_DIR when set; the
// first of the installed folders <folder of the executable>/../share/pk10plan
// (Linux) and the executable's own folder (Windows) that holds the draw file;
// the source tree's share/ folder (for runs from a build tree).
// `executable` is the running program's path (empty when unknown).
std::filesystem::path BundledDataDir(
    const std::function<std::optional<std::string>(const std::string&)>& environment,
    const std::filesystem::path& executable);

// The bundled draw file in that folder: what the statistics window replays first.
std::filesystem::path BundledDrawFile(
    const std::function<std::optional<std::string>(const std::string&)>& environment,
    const std::filesystem::path& executable);

// The running program's path; empty when it cannot be read.
std::filesystem::path RunningExecutable();

}  // namespace pk10
