// The window run mode: the update check, then the main window until it closes.

#include "ui/RunWindow.h"

#include <QApplication>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "app/Application.h"
#include "app/SharedSelection.h"
#include "online/MakerServer.h"
#include "ui/AppIcon.h"
#include "ui/CPlanDlg.h"
#include "ui/WindowShell.h"

namespace pk10 {
namespace {

// Settings the web view needs before the QApplication exists.
void PrepareWebView() {
    // The web view shares OpenGL contexts with the rest of the window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#ifdef Q_OS_UNIX
    // Chromium's sandbox refuses to start for root; without this the strip
    // would stay blank when the program runs as root (containers, CI).
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
#endif
}

}  // namespace

int RunWindow(int argc, char** argv, const AppOptions& options) {
    PrepareWebView();
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationName));
    QApplication::setWindowIcon(ui::AppIcon());

    SharedSelection selection;
    ui::WindowShell shell(selection, ui::QtDesktop());
    Application app(options, shell);
    // Before the window exists; a newer version's message is modal here.
    app.CheckForUpdate();

    ui::CPlanDlg window(app, selection);
    shell.Attach(&window);
    app.InitialiseWindow();
    window.exec();
    // Closing the window has shut the application down already; this covers
    // an event loop that ended some other way.
    app.Shutdown();
    return 0;
}

}  // namespace pk10
