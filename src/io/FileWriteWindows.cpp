// Whole-file writes on Windows: a new temporary file beside the target
// (CREATE_NEW: never an existing file, never through a link), FlushFileBuffers,
// then MoveFileExW over the target, write-through. Paths reach Windows as UTF-16,
// so a folder such as C:\Users\张三\pk10 works. Error numbers are GetLastError()'s.

#include <windows.h>
// windows.h spells ReplaceFileW "ReplaceFile"; pk10::ReplaceFile is ours.
#undef ReplaceFile

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "io/FileWrite.h"
#include "io/FileWritePlatform.h"

namespace pk10 {
namespace file_write {
namespace {

constexpr int kTempNameTries = 100;
// A reader that holds the old file open without FILE_SHARE_DELETE (a virus
// scanner, an editor) makes the move fail for a moment: it is tried again this
// many times, this long apart, before the failure is traced.
constexpr int kMoveAttempts = 10;
constexpr auto kMoveRetryDelay = std::chrono::milliseconds(50);

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (ok()) {
            CloseHandle(handle_);
        }
    }
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// Writes `bytes` to a new temporary file beside `file` (its name in `temp`) and
// flushes it to the disk; 0, or the error of the step that failed (`temp` is
// empty when no file was made).
DWORD WriteDurably(const std::filesystem::path& file, std::filesystem::path& temp,
                   std::string_view bytes) {
    std::random_device random;
    for (int tries = 0; tries < kTempNameTries; ++tries) {
        temp = TempName(file, random);
        const Handle handle(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!handle.ok()) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
                continue;
            }
            temp.clear();
            return error;
        }
        while (!bytes.empty()) {
            const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
            DWORD written = 0;
            if (WriteFile(handle.get(), bytes.data(), chunk, &written, nullptr) == 0) {
                return GetLastError();
            }
            bytes.remove_prefix(written);
        }
        return FlushFileBuffers(handle.get()) != 0 ? 0 : GetLastError();
    }
    temp.clear();
    return ERROR_FILE_EXISTS;
}

bool HeldOpenByAReader(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

// Moves `from` over `to`, trying again while a reader holds `to`; 0, or the
// error of the last attempt.
DWORD MoveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
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
        if (!HeldOpenByAReader(error) ||
            (GetFileAttributesW(to.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            break;  // a folder of that name is no reader: waiting changes nothing
        }
    }
    return error;
}

}  // namespace

long CurrentProcessId() {
    return static_cast<long>(GetCurrentProcessId());
}

bool ProcessRunning(long pid) {
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) != 0 && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

void RemoveQuietly(const std::filesystem::path& path) {
    DeleteFileW(path.c_str());
}

}  // namespace file_write

std::string FileErrorReason(int error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 && text != nullptr ? std::wstring(text, length) : L"";
    LocalFree(text);
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.')) {
        message.pop_back();
    }
    if (message.empty()) {
        return "error " + std::to_string(error);
    }
    const int size = WideCharToMultiByte(
        CP_UTF8, 0, message.data(), static_cast<int>(message.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, message.data(), static_cast<int>(message.size()), utf8.data(),
                        size, nullptr, nullptr);
    return utf8;
}

int ReplaceFile(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path temp;
    if (const DWORD error = file_write::WriteDurably(file, temp, bytes); error != 0) {
        if (!temp.empty()) {
            DeleteFileW(temp.c_str());
        }
        return static_cast<int>(error);
    }
    if (const DWORD error = file_write::MoveOver(temp, file); error != 0) {
        DeleteFileW(temp.c_str());
        return static_cast<int>(error);
    }
    return 0;
}

}  // namespace pk10
