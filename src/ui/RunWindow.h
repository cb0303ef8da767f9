#pragma once
// Runs the program with its window; returns the process exit status.
// No Qt in this header: main() includes it.

#include "app/AppOptions.h"

namespace pk10 {

int RunWindow(int argc, char** argv, const AppOptions& options);

}  // namespace pk10
