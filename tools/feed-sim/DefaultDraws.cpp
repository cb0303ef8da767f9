#include "DefaultDraws.h"

#include <filesystem>
#include <system_error>

#include "cli/ProgramPath.h"

namespace feedsim {

std::string DefaultDrawsFile(const std::string& builtIn) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path exe = pk10::RunningProgramPath();
    if (exe.empty()) {
        return builtIn;
    }
    const fs::path installed = exe.parent_path() / ".." / "share" / "pk10plan" / "pk10-2014.txt";
    return fs::is_regular_file(installed, error) ? installed.lexically_normal().string() : builtIn;
}

}  // namespace feedsim
