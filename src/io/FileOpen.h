#pragma once
// Opening a file for reading by its path, whatever characters the path holds.
// One implementation file per platform (FileOpenPosix.cpp, FileOpenWindows.cpp).

#include <cstdio>
#include <filesystem>

namespace pk10 {

// The file at `path` opened for reading in binary mode; null, with errno set,
// when it cannot be opened.
std::FILE* OpenFileForReading(const std::filesystem::path& path);

}  // namespace pk10
