#pragma once
// Whole-file writes for records that outside readers may look at while we run.

#include <filesystem>
#include <string_view>

namespace pk10 {

// Writes `bytes` to a temporary file beside `file` and renames it over `file`, so a
// reader sees either the old content or the new, never half a file. Binary mode:
// the bytes land exactly as given. On failure writes the trace line
// "Can't open file <file>,error=<errno>\n" to standard error, leaves `file` as it
// was, and returns false.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// The diagnostic trace line for a file that could not be opened or written.
void TraceFileError(const std::filesystem::path& file, int error);

}  // namespace pk10
