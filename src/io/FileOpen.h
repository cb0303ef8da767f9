#pragma once
// Opening a file for reading by its path, whatever characters the path holds.
// One implementation file per platform (FileOpenPosix.cpp, FileOpenWindows.cpp).

#include <cstdio>
#include <filesystem>

namespace pk10 {

// The file at `path` opened for reading in binary mode; null when it cannot be
// opened, with `error` set to the cause as the trace line gives it (errno on
// Linux, the system's error code on Windows, as for writing).
std::FILE* OpenFileForReading(const std::filesystem::path& path, int& error);

}  // namespace pk10
