#include "io/FileOpen.h"

#include <cerrno>

namespace pk10 {

std::FILE* OpenFileForReading(const std::filesystem::path& path, int& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    error = file == nullptr ? errno : 0;
    return file;
}

}  // namespace pk10
