#pragma once
// What the window tests share: a WindowCommands that records the window's
// calls, a desktop that records messages and opened addresses, and lookups of
// the window's controls by object name.

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QThread>
#include <QUrl>
#include <string>
#include <vector>

#include "app/WindowCommands.h"
#include "ui/CPlanDlg.h"
#include "ui/WindowShell.h"

namespace pk10::test {

class RecordingCommands : public WindowCommands {
  public:
    void OnPositionSelected() override { calls.push_back("select"); }
    void RequestReplan() override { calls.push_back("replan"); }
    void RequestPromoLink() override { calls.push_back("promo"); }
    ServerFields Servers() const override { return servers; }
    void ChangeServers(const std::string& results, const std::string& maker) override {
        calls.push_back("servers " + results + " " + maker);
    }
    void Shutdown() override { calls.push_back("shutdown"); }
    std::vector<std::string> calls;
    ServerFields servers;
};

// Records what would reach the user's desktop, and on which thread.
struct RecordingDesktop {
    ui::Desktop Desktop() {
        ui::Desktop desktop;
        desktop.showMessage = [this](const QString& caption, const QString& text) {
            onWindowThread = QThread::currentThread() == qApp->thread();
            messages.push_back(caption + QStringLiteral(": ") + text);
        };
        desktop.openUrl = [this](const QUrl& url) {
            onWindowThread = QThread::currentThread() == qApp->thread();
            opened.push_back(url.toString());
        };
        return desktop;
    }
    std::vector<QString> messages;
    std::vector<QString> opened;
    bool onWindowThread = false;
};

template <class Widget>
Widget* Control(const QWidget& window, int id) {
    return window.findChild<Widget*>(QString::number(id));
}

inline QString PlanPaneText(const QWidget& window) {
    return Control<QPlainTextEdit>(window, 1001)->toPlainText();
}

}  // namespace pk10::test
