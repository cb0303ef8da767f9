#include "io/FileOpen.h"

namespace pk10 {

std::FILE* OpenFileForReading(const std::filesystem::path& path) {
    // The UTF-16 path as it is; fopen would take it through the ANSI code page.
    return _wfopen(path.c_str(), L"rb");
}

}  // namespace pk10
