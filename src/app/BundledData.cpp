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
        const std::filesystem::path installed =
            executable.parent_path().parent_path() / "share" / "pk10plan";
        std::error_code ec;
        if (std::filesystem::is_regular_file(installed / kBundledDrawFile, ec)) {
            return installed;
        }
    }
    return PK10_SOURCE_SHARE_DIR;
}

std::filesystem::path RunningExecutable() {
    return RunningProgramPath();
}

}  // namespace pk10
