#pragma once
// Qt's own texts (the edit menu of the panes, the buttons of message boxes and
// file dialogs) in Chinese, like the rest of the window.

class QCoreApplication;

namespace pk10::ui {

// Installs Qt's Simplified Chinese translations (qtbase_zh_CN from Qt's
// translations folder) on `app`; false when they are not installed, in which
// case Qt's texts stay in English.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace pk10::ui
