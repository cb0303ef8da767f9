#pragma once
// Whether the program's standard error is a console (a terminal), where a
// progress bar redrawn in place makes sense. One implementation file per
// platform (ConsolePosix.cpp, ConsoleWindows.cpp).

namespace pk10 {

bool StandardErrorIsConsole();

}  // namespace pk10
