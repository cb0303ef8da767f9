#include "io/FileWrite.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

namespace pk10 {

void TraceFileError(const std::filesystem::path& file, int error) {
    std::fprintf(stderr, "Can't open file %s,error=%u\n", file.string().c_str(),
                 static_cast<unsigned>(error));
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path temp = file;
    temp += ".tmp";
    std::FILE* out = std::fopen(temp.string().c_str(), "wb");
    if (out == nullptr) {
        TraceFileError(file, errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    int error = written ? 0 : errno;
    if (std::fclose(out) != 0 && error == 0) {
        error = errno;
    }
    if (!written || error != 0) {
        TraceFileError(file, error != 0 ? error : EIO);
        std::remove(temp.string().c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        TraceFileError(file, ec.value());
        std::remove(temp.string().c_str());
        return false;
    }
    return true;
}

}  // namespace pk10
