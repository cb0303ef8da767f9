#pragma once
// Whole-file writes for records that outside readers may look at while we run.

#include <filesystem>
#include <string_view>

namespace pk10 {

// Writes `bytes` to a temporary file beside `file`, flushes it to the disk
// (fsync), renames it over `file` and flushes the folder, so a reader sees
// either the old content or the new, never half a file, and a crash of the
// machine never leaves an empty file. Binary mode: the bytes land exactly as
// given. On failure writes the trace line "Can't open file <file>,error=<errno>\n"
// to standard error and returns false; `file` is left as it was (a full disk
// included), except when only the folder's flush failed after the rename.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// The diagnostic trace line for a file that could not be opened or written.
void TraceFileError(const std::filesystem::path& file, int error);

}  // namespace pk10
