#pragma once
// The running program's own file, for finding what was installed beside it. One
// implementation file per platform (ProgramPathPosix.cpp, ProgramPathWindows.cpp).

#include <filesystem>

namespace pk10 {

// The running program's path; empty when it cannot be read.
std::filesystem::path RunningProgramPath();

}  // namespace pk10
