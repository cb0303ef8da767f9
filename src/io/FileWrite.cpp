#include "io/FileWrite.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <system_error>

namespace pk10 {
namespace {

// Writes all of `bytes` to `fd`; 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

constexpr const char* kTempMark = ".tmp-";
constexpr int kTempNameTries = 100;
constexpr int kRandomDigits = 8;
// A temporary file this old is a stray even when its pid names a live process
// (a reused pid): a write of one of our files takes well under a second.
constexpr auto kStrayAge = std::chrono::minutes(10);

// "<file>.tmp-<pid>-<8 hex digits>", the name of one write's temporary file.
std::filesystem::path TempName(const std::filesystem::path& file, std::random_device& random) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%s%ld-%08x", kTempMark, static_cast<long>(::getpid()),
                  static_cast<unsigned>(random()));
    std::filesystem::path temp = file;
    temp += suffix;
    return temp;
}

// Creates a temporary file of a name that did not exist beside `file`, never
// through a link; the descriptor, or -1 with errno set.
int CreateTempFile(const std::filesystem::path& file, std::filesystem::path& temp) {
    std::random_device random;
    for (int tries = 0; tries < kTempNameTries; ++tries) {
        temp = TempName(file, random);
        const int fd =
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// The pid in the name of a temporary file that a write made, or nothing when
// `name` is not such a name.
std::optional<long> TempFilePid(const std::string& name) {
    constexpr std::size_t kMaxPidDigits = 9;
    const std::size_t mark = name.rfind(kTempMark);
    if (mark == std::string::npos || mark == 0) {
        return std::nullopt;
    }
    const std::string rest = name.substr(mark + std::char_traits<char>::length(kTempMark));
    const std::size_t dash = rest.find('-');
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const std::string pid = rest.substr(0, dash);
    const std::string random = rest.substr(dash + 1);
    const bool wellFormed = !pid.empty() && pid.size() <= kMaxPidDigits &&
                            pid.find_first_not_of("0123456789") == std::string::npos &&
                            random.size() == static_cast<std::size_t>(kRandomDigits) &&
                            random.find_first_not_of("0123456789abcdef") == std::string::npos;
    return wellFormed ? std::optional(std::stol(pid)) : std::nullopt;
}

bool ProcessRunning(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Writes `bytes` to a new temporary file beside `file` (its name in `temp`) and
// flushes it to the disk; 0, or the errno of the step that failed.
int WriteDurably(const std::filesystem::path& file, std::filesystem::path& temp,
                 std::string_view bytes) {
    const int fd = CreateTempFile(file, temp);
    if (fd < 0) {
        const int error = errno;
        temp.clear();
        return error;
    }
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

// Flushes the folder's entries, so that a rename inside it survives a crash of
// the machine; 0, or the errno of the step that failed.
int SyncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const int error = ::fsync(fd) != 0 ? errno : 0;
    ::close(fd);
    return error;
}

}  // namespace

std::string FileErrorText(const std::filesystem::path& file, int error) {
    return "Can't open file " + file.string() +
           ",error=" + std::to_string(static_cast<unsigned>(error));
}

void TraceFileError(const std::filesystem::path& file, int error, ErrorSink* errors) {
    const std::string text = FileErrorText(file, error);
    std::fprintf(stderr, "%s\n", text.c_str());
    if (errors != nullptr) {
        errors->ReportError(text);
    }
}

int ReplaceFile(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path temp;
    if (const int error = WriteDurably(file, temp, bytes); error != 0) {
        if (!temp.empty()) {
            ::unlink(temp.c_str());
        }
        return error;
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    return SyncFolder(file.parent_path());
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         ErrorSink* errors) {
    if (const int error = ReplaceFile(file, bytes); error != 0) {
        TraceFileError(file, error, errors);
        return false;
    }
    return true;
}

void RemoveStrayTempFiles(const std::filesystem::path& folder) {
    std::error_code ec;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::optional<long> pid = TempFilePid(it->path().filename().string());
        if (!pid) {
            continue;
        }
        std::error_code statError;
        const auto written = std::filesystem::last_write_time(it->path(), statError);
        const bool old = !statError && now - written > kStrayAge;
        if (old || !ProcessRunning(*pid)) {
            ::unlink(it->path().c_str());
        }
    }
}

}  // namespace pk10
