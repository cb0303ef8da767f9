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

// While it lives, the console shows the program's UTF-8 output as such and
// takes the progress bar's in-place redrawing (Windows); where the terminal
// already does (Linux) it does nothing. Its end flushes standard output and
// gives the console back its own code page and modes, so the shell the
// program ran in, and the programs run after it, see the console as before.
class Utf8Console {
  public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

  private:
    // What to give back; Linux's terminal needs nothing of it.
    [[maybe_unused]] unsigned previousCodePage_ = 0;  // 0: not changed
    [[maybe_unused]] unsigned long previousMode_ = 0;
    [[maybe_unused]] bool modeChanged_ = false;
};

}  // namespace pk10::cli
