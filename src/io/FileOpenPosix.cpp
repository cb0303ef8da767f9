#include "io/FileOpen.h"

namespace pk10 {

std::FILE* OpenFileForReading(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "rb");
}

}  // namespace pk10
