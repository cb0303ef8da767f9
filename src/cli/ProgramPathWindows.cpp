#include <windows.h>

#include <string>

#include "cli/ProgramPath.h"

namespace pk10 {

std::filesystem::path RunningProgramPath() {
    // The buffer grows until the whole path fits (a path may exceed MAX_PATH).
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer);
        }
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace pk10
