#pragma once
// What the whole-file writes of FileWrite.h ask of the operating system, inside
// src/io. One implementation file per platform (FileWritePosix.cpp,
// FileWriteWindows.cpp); error numbers are errno on Linux and the system's error
// codes (GetLastError) on Windows.

#include <filesystem>
#include <random>

namespace pk10::file_write {

// "<file>.tmp-<pid>-<8 hex digits>", the name of one write's temporary file.
std::filesystem::path TempName(const std::filesystem::path& file, std::random_device& random);

long CurrentProcessId();

// Whether a process of that id runs (a process we may not look at counts).
bool ProcessRunning(long pid);

// Removes the file at `path`; a failure is passed over.
void RemoveQuietly(const std::filesystem::path& path);

}  // namespace pk10::file_write
