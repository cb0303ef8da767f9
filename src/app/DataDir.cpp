#include "app/DataDir.h"

#include <system_error>

#include "app/BundledData.h"
#include "app/PlatformFolders.h"
#include "io/FileWrite.h"
#include "io/PathText.h"

namespace pk10 {

std::string PrepareDataDir(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!ec && std::filesystem::is_directory(dir, ec)) {
        // What writes of data1.txt and the day files left when a run was killed.
        RemoveStrayTempFiles(dir);
        RemoveStrayTempFiles(dir / "data");
        return {};
    }
    const std::string why = ec ? ec.message() : "it is not a folder";
    return "--data-dir: cannot use '" + PathUtf8(dir) + "' as the data folder: " + why;
}

namespace {

// Whether `folder` is the folder of the installed `executable`: the bundled
// draws lie beside it (Windows) or in its ../share/pk10plan (Linux).
bool IsInstalledFolder(const std::filesystem::path& executable,
                       const std::filesystem::path& folder) {
    if (executable.empty()) {
        return false;
    }
    const std::filesystem::path installed = executable.parent_path();
    std::error_code ec;
    const bool bundled = std::filesystem::is_regular_file(installed / kBundledDrawFile, ec) ||
                         std::filesystem::is_regular_file(
                             installed.parent_path() / "share" / "pk10plan" / kBundledDrawFile, ec);
    return bundled && std::filesystem::equivalent(installed, folder, ec) && !ec;
}

// Whether `folder` is the home folder and holds none of the program's files.
bool IsBareHome(const std::filesystem::path& home, const std::filesystem::path& folder) {
    std::error_code ec;
    if (home.empty() || !std::filesystem::equivalent(home, folder, ec) || ec) {
        return false;
    }
    return !std::filesystem::exists(folder / "data1.txt", ec) &&
           !std::filesystem::exists(folder / "data", ec);
}

}  // namespace

std::filesystem::path DefaultDataDir(const StartPlace& start) {
    if (start.userData.empty() || start.workingDir.empty()) {
        return ".";
    }
    if (IsInstalledFolder(start.executable, start.workingDir) ||
        IsBareHome(start.home, start.workingDir)) {
        return start.userData;
    }
    return ".";
}

std::string PrepareRunDataDir(AppOptions& options, const EnvironmentLookup& environment) {
    if (!options.workDirGiven) {
        std::error_code ec;
        options.workDir = DefaultDataDir({RunningExecutable(), std::filesystem::current_path(ec),
                                          HomeFolder(environment), UserDataFolder(environment)});
    }
    return PrepareDataDir(options.workDir);
}

}  // namespace pk10
