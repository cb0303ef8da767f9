#include "io/FileWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

// Writes `bytes` to a new file `path` and flushes it to the disk; 0, or the errno
// of the step that failed.
int WriteDurably(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno;
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

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         ErrorSink* errors) {
    std::filesystem::path temp = file;
    temp += ".tmp";
    if (const int error = WriteDurably(temp, bytes); error != 0) {
        TraceFileError(file, error, errors);
        ::unlink(temp.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        TraceFileError(file, ec.value(), errors);
        ::unlink(temp.c_str());
        return false;
    }
    if (const int error = SyncFolder(file.parent_path()); error != 0) {
        TraceFileError(file, error, errors);
        return false;
    }
    return true;
}

}  // namespace pk10
