#include <unistd.h>

#include "io/Console.h"

namespace pk10 {

bool StandardErrorIsConsole() {
    return isatty(STDERR_FILENO) == 1;
}

}  // namespace pk10
