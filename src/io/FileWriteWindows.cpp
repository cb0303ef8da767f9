// Whole-file writes on Windows: a temporary file beside the target, flushed with
// FlushFileBuffers, then moved over the target with MoveFileExW. Paths reach
// Windows as UTF-16, so a folder such as C:\Users\张三\pk10 works. Error numbers
// are GetLastError()'s.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>

#include "io/FileWrite.h"

namespace pk10 {
namespace {

// A reader that holds the old file open without FILE_SHARE_DELETE (a virus
// scanner, an editor) makes the move fail for a moment: it is tried again this
// many times, this long apart, before the failure is traced.
constexpr int kMoveAttempts = 10;
constexpr auto kMoveRetryDelay = std::chrono::milliseconds(50);

struct HandleCloser {
    HANDLE handle;
    ~HandleCloser() { CloseHandle(handle); }
};

// Writes `bytes` to a new file `path` and flushes it to the disk; 0, or the
// error of the step that failed.
DWORD WriteDurably(const std::filesystem::path& path, std::string_view bytes) {
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    const HandleCloser closer{handle};
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
        DWORD written = 0;
        if (WriteFile(handle, bytes.data(), chunk, &written, nullptr) == 0) {
            return GetLastError();
        }
        bytes.remove_prefix(written);
    }
    return FlushFileBuffers(handle) != 0 ? 0 : GetLastError();
}

bool HeldOpenByAReader(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

// Moves `from` over `to`, retrying while a reader holds `to`; 0, or the error of
// the last attempt.
DWORD ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    DWORD error = 0;
    for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
        if (attempt > 0) {
            std::this_thread::sleep_for(kMoveRetryDelay);
        }
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
            return 0;
        }
        error = GetLastError();
        if (!HeldOpenByAReader(error)) {
            break;
        }
    }
    return error;
}

// A name beside `file` that no other writer picks: the file's name, the process
// and a random number.
std::filesystem::path TemporaryBeside(const std::filesystem::path& file) {
    std::random_device random;
    std::filesystem::path temp = file;
    temp +=
        L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(random()) + L".tmp";
    return temp;
}

}  // namespace

std::string FileErrorText(const std::filesystem::path& file, int error) {
    const std::u8string name = file.u8string();
    return "Can't open file " + std::string(name.begin(), name.end()) +
           ",error=" + std::to_string(static_cast<unsigned>(error));
}

void TraceFileError(const std::filesystem::path& file, int error, ErrorSink* errors) {
    const std::string text = FileErrorText(file, error);
    std::fprintf(stderr, "%s\n", text.c_str());
    if (errors != nullptr) {
        errors->ReportError(text);
    }
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         ErrorSink* errors) {
    const std::filesystem::path temp = TemporaryBeside(file);
    if (const DWORD error = WriteDurably(temp, bytes); error != 0) {
        TraceFileError(file, static_cast<int>(error), errors);
        DeleteFileW(temp.c_str());
        return false;
    }
    if (const DWORD error = ReplaceFile(temp, file); error != 0) {
        TraceFileError(file, static_cast<int>(error), errors);
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace pk10
