#include "app/DataDir.h"

#include <system_error>

#include "app/BundledData.h"
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

std::filesystem::path DefaultDataDir(
    const std::function<std::optional<std::string>(const std::string&)>& environment,
    const std::filesystem::path& executable, const std::filesystem::path& workingDir) {
    const std::filesystem::path here = ".";
    if (executable.empty() || workingDir.empty() || !environment) {
        return here;
    }
    const std::filesystem::path installed = executable.parent_path();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(installed / kBundledDrawFile, ec) ||
        !std::filesystem::equivalent(installed, workingDir, ec) || ec) {
        return here;
    }
    const std::optional<std::string> local = environment(kLocalAppDataEnv);
    if (!local || local->empty()) {
        return here;
    }
    return PathFromUtf8(*local) / "pk10plan";
}

std::string PrepareRunDataDir(
    AppOptions& options,
    const std::function<std::optional<std::string>(const std::string&)>& environment) {
    if (!options.workDirGiven) {
        std::error_code ec;
        options.workDir =
            DefaultDataDir(environment, RunningExecutable(), std::filesystem::current_path(ec));
    }
    return PrepareDataDir(options.workDir);
}

}  // namespace pk10
