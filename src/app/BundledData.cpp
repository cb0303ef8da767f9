#include "app/BundledData.h"

#include <system_error>

#include "cli/ProgramPath.h"

namespace pk10 {

std::filesystem::path BundledDataDir(
    const std::function<std::optional<std::string>(const std::string&)>& environment,
    const std::filesystem::path& executable) {
    if (const std::optional<std::string> dir =
            environment ? environment(kDataDirEnv) : std::nullopt;
        dir && !dir->empty()) {
        return *dir;
    }
    if (!executable.empty()) {
        // Installed on Linux under <prefix>/bin and <prefix>/share/pk10plan; on
        // Windows everything sits in the program's own folder.
        const std::filesystem::path folder = executable.parent_path();
        for (const std::filesystem::path& installed :
             {folder.parent_path() / "share" / "pk10plan", folder}) {
            std::error_code ec;
            if (std::filesystem::is_regular_file(installed / kBundledDrawFile, ec)) {
                return installed;
            }
        }
    }
    return PK10_SOURCE_SHARE_DIR;
}

std::filesystem::path BundledDrawFile(
    const std::function<std::optional<std::string>(const std::string&)>& environment,
    const std::filesystem::path& executable) {
    return BundledDataDir(environment, executable) / kBundledDrawFile;
}

std::filesystem::path RunningExecutable() {
    return RunningProgramPath();
}

}  // namespace pk10
