#include "win/RunWindow.h"

#include <commctrl.h>

#include "app/Application.h"
#include "app/SharedSelection.h"
#include "win/PlanDialog.h"
#include "win/WinShell.h"

namespace pk10::win {

int RunWindow(HINSTANCE instance, const AppOptions& options) {
    // Loads common controls 6, which the manifest asks for, before any dialog.
    INITCOMMONCONTROLSEX controls{
        sizeof(INITCOMMONCONTROLSEX),
        ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    SharedSelection selection;
    WinShell shell(selection);
    Application app(options, shell);
    // Before the window exists; a newer version's message is modal here.
    app.CheckForUpdate();
    PlanDialog dialog(app, selection, shell);
    dialog.Run(instance, [&app] { app.InitialiseWindow(); });
    // Closing the window has shut the application down already; this covers
    // a window that could not be created.
    app.Shutdown();
    return 0;
}

}  // namespace pk10::win
