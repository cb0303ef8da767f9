#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <memory>

#include "cli/CommandLine.h"

namespace pk10::cli {
namespace {

std::string Utf8Of(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();  // the terminating NUL
    return utf8;
}

std::wstring WideOf(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (size <= 1) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), size);
    wide.pop_back();
    return wide;
}

struct LocalFreeDeleter {
    void operator()(wchar_t** p) const { LocalFree(p); }
};

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalFreeDeleter> wide(
        CommandLineToArgvW(GetCommandLineW(), &count));
    if (!wide) {
        // Without the wide command line, the runtime's own (ANSI) arguments.
        return std::vector<std::string>(argv + 1, argv + argc);
    }
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
        args.push_back(Utf8Of(wide.get()[i]));
    }
    return args;
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
    const std::wstring wideName = WideOf(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) {
        // Not set; a variable set to nothing reads as the empty text, as on Linux.
        return GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt
                                                        : std::optional<std::string>("");
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    value.resize(length < size ? length : 0);
    return Utf8Of(value.c_str());
}

void UseUtf8Console() {
    SetConsoleOutputCP(CP_UTF8);
    // The progress bar redraws its line with "\r" and erases its end with ESC [K.
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode) != 0) {
        SetConsoleMode(error, mode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

}  // namespace pk10::cli
