// Whole-file writes on Linux: open(2) with O_EXCL and O_NOFOLLOW, fsync(2) of
// the file, rename(2), fsync(2) of the folder.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "io/FileWrite.h"
#include "io/FileWritePlatform.h"

namespace pk10 {
namespace file_write {
namespace {

constexpr int kTempNameTries = 100;

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

long CurrentProcessId() {
    return static_cast<long>(::getpid());
}

bool ProcessRunning(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void RemoveQuietly(const std::filesystem::path& path) {
    ::unlink(path.c_str());
}

}  // namespace file_write

std::string FileErrorReason(int error) {
    return std::strerror(error);
}

int ReplaceFile(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path temp;
    if (const int error = file_write::WriteDurably(file, temp, bytes); error != 0) {
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
    return file_write::SyncFolder(file.parent_path());
}

}  // namespace pk10
