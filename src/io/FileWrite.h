#pragma once
// Whole-file writes for records that outside readers may look at while we run.

#include <filesystem>
#include <string>
#include <string_view>

#include "io/ErrorSink.h"

namespace pk10 {

// Writes `bytes` to a temporary file beside `file`, flushes it to the disk
// (fsync), renames it over `file` and flushes the folder, so a reader sees
// either the old content or the new, never half a file, and a crash of the
// machine never leaves an empty file. The temporary file has a name of its own,
// "<file>.tmp-<pid>-<8 hex digits>", created anew (never an existing file, never
// through a link), so two writers of one file never mix their bytes. Binary
// mode: the bytes land exactly as given. On failure writes the trace line "Can't open file
// <file>,error=<errno>\n" to standard error and returns false; `file` is left as it was (a full
// disk included), except when only the folder's flush failed after the rename. `errors`, when
// given, also hears the trace line's text. On Windows the file is flushed with
// FlushFileBuffers and moved over `file` with MoveFileExW (write-through), a move
// refused while a reader holds the old file open is tried again for about half a
// second, and the error numbers are the system's error codes (GetLastError).
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         ErrorSink* errors = nullptr);

// WriteFileAtomically without the trace: 0, or the error number of the step that
// failed.
int ReplaceFile(const std::filesystem::path& file, std::string_view bytes);

// The text of an error number of ReplaceFile, for a message.
std::string FileErrorReason(int error);

// Removes the temporary files that writes left in `folder` when their program
// ended before the rename: those whose pid is not running, or that are older
// than ten minutes. A write in progress in another live run is left alone.
// Errors are passed over: a stray file left now is taken at the next start.
void RemoveStrayTempFiles(const std::filesystem::path& folder);

// The text of the trace line for a file, without its line end:
// "Can't open file <file>,error=<error>".
std::string FileErrorText(const std::filesystem::path& file, int error);

// The diagnostic trace line for a file that could not be opened or written, on
// standard error; `errors`, when given, also hears its text.
void TraceFileError(const std::filesystem::path& file, int error, ErrorSink* errors = nullptr);

}  // namespace pk10
