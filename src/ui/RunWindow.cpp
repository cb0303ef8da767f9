// The window run mode: the update check, then the main window until it closes.

#include "ui/RunWindow.h"

#include <QApplication>

#include "online/MakerServer.h"
#include "ui/AppIcon.h"
#include "ui/QtTranslations.h"
#include "ui/WindowSession.h"

namespace pk10 {

int RunWindow(int argc, char** argv, const AppOptions& options) {
    // The web view shares OpenGL contexts with the rest of the window; set
    // before the QApplication exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationName));
    QApplication::setWindowIcon(ui::AppIcon());
    ui::InstallQtTranslations(qtApp);

    ui::WindowSession session(options, ui::QtDesktop());
    session.window().exec();
    return 0;
}

}  // namespace pk10
