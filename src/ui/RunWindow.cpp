// The window run mode: the update check, then the main window until it closes.

#include "ui/RunWindow.h"

#include <QApplication>
#include <iostream>

#include "app/ServerSettings.h"
#include "online/MakerServer.h"
#include "ui/AppIcon.h"
#include "ui/QtSettingsStore.h"
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

    // The servers saved in the settings dialog, where neither the command line
    // nor the environment named one.
    AppOptions chosen = options;
    const ui::QtSettingsStore saved(QString::fromUtf8(kServerSettingsFile));
    for (const std::string& message : ApplySavedServers(chosen, saved)) {
        std::cerr << "pk10plan: " << message << '\n';
    }
    ui::WindowSession session(chosen, ui::QtDesktop());
    session.window().exec();
    return 0;
}

}  // namespace pk10
