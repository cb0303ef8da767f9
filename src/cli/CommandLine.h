#pragma once
// The command line and the console of a command-line program, as UTF-8 text.
// One implementation file per platform (CommandLinePosix.cpp,
// CommandLineWindows.cpp). Call from main() before any other thread exists.

#include <optional>
#include <string>
#include <vector>

namespace pk10::cli {

// The arguments after the program's name, in UTF-8. On Linux these are main()'s
// own; on Windows the command line is read as UTF-16 and converted once, so a
// folder such as C:\Users\张三\pk10 arrives whole whatever the ANSI code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The environment variable `name` in UTF-8; nothing when it is not set.
std::optional<std::string> EnvironmentVariable(const std::string& name);

// Makes the console show the program's UTF-8 output as such, and take the
// progress bar's in-place redrawing (Windows); nothing where the terminal already
// does (Linux).
void UseUtf8Console();

}  // namespace pk10::cli
