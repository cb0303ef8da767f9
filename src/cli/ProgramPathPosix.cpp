#include <system_error>

#include "cli/ProgramPath.h"

namespace pk10 {

std::filesystem::path RunningProgramPath() {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : path;
}

}  // namespace pk10
