#include "io/FileOpen.h"

namespace pk10 {

std::FILE* OpenFileForReading(const std::filesystem::path& path, int& error) {
    // The UTF-16 path as it is; fopen would take it through the ANSI code page.
    // The C runtime keeps the system's error code of a failed open in _doserrno.
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    error = file == nullptr ? static_cast<int>(_doserrno) : 0;
    return file;
}

}  // namespace pk10
