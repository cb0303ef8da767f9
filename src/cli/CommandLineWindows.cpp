#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <iostream>
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

Utf8Console::Utf8Console() {
    previousCodePage_ = GetConsoleOutputCP();  // 0 without a console
    if (previousCodePage_ != 0 && previousCodePage_ != CP_UTF8) {
        SetConsoleOutputCP(CP_UTF8);
    } else {
        previousCodePage_ = 0;
    }
    // The progress bar redraws its line with "\r" and erases its end with ESC [K.
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode) != 0) {
        const DWORD wanted = mode | ENABLE_PROCESSED_OUTPUT | ENABLE_VIRTUAL_TERMINAL_PROCESSING;
        if (wanted != mode && SetConsoleMode(error, wanted) != 0) {
            previousMode_ = mode;
            modeChanged_ = true;
        }
    }
}

Utf8Console::~Utf8Console() {
    // What is still buffered is written in UTF-8 before the code page goes back.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    if (modeChanged_) {
        SetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), previousMode_);
    }
    if (previousCodePage_ != 0) {
        SetConsoleOutputCP(previousCodePage_);
    }
}

}  // namespace pk10::cli
