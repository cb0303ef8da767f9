#pragma once
// The window run mode on Windows: the update check, then the main window until it closes.

#include <windows.h>

#include "app/AppOptions.h"

namespace pk10::win {

// Returns the program's exit status once the window has closed and the
// refresh worker has stopped.
int RunWindow(HINSTANCE instance, const AppOptions& options);

}  // namespace pk10::win
