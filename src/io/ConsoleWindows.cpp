#include <windows.h>

#include "io/Console.h"

namespace pk10 {

bool StandardErrorIsConsole() {
    // A console handle has a console mode; a pipe or a file has none.
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace pk10
