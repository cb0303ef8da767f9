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
    // Installed on Linux under <prefix>/bin and <prefix>/share/pk10plan; on Windows
    // the draws sit beside the program.
    for (const fs::path& installed :
         {exe.parent_path() / ".." / "share" / "pk10plan" / "pk10-2014.txt",
          exe.parent_path() / "pk10-2014.txt"}) {
        if (fs::is_regular_file(installed, error)) {
            return installed.lexically_normal().string();
        }
    }
    return builtIn;
}

}  // namespace feedsim
