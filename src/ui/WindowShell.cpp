#include "ui/WindowShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QThread>
#include <memory>

#include "app/HeadlessShell.h"
#include "app/SharedSelection.h"
#include "ui/CPlanDlg.h"

namespace pk10::ui {
namespace {

bool OnWindowThread() {
    return QCoreApplication::instance() != nullptr &&
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Runs `call` on the window thread: now when already there, else queued on `context`.
void RunOnWindowThread(QObject* context, std::function<void()> call) {
    if (OnWindowThread()) {
        call();
    } else {
        QMetaObject::invokeMethod(context, std::move(call), Qt::QueuedConnection);
    }
}

}  // namespace

Desktop QtDesktop() {
    Desktop desktop;
    desktop.showMessage = [](const QString& caption, const QString& text) {
        QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok);
        box.exec();
    };
    desktop.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return desktop;
}

QString PaneText(const std::string& text) {
    return QString::fromStdString(WithUnixLineEnds(text));
}

WindowShell::WindowShell(SharedSelection& selection, Desktop desktop)
    : selection_(selection), desktop_(std::move(desktop)) {}

void WindowShell::Attach(CPlanDlg* dialog) {
    dialog_ = dialog;
}

void WindowShell::OnWindow(std::function<void(CPlanDlg&)> call) {
    const QPointer<CPlanDlg> dialog = dialog_;
    if (dialog.isNull()) {
        return;
    }
    RunOnWindowThread(dialog.data(), [dialog, call = std::move(call)] {
        if (!dialog.isNull()) {
            call(*dialog);
        }
    });
}

void WindowShell::ShowDrawListing(const std::string& text, bool scrollToEnd) {
    OnWindow([shown = PaneText(text), scrollToEnd](CPlanDlg& d) {
        d.ShowDrawListing(shown, scrollToEnd);
    });
}

bool WindowShell::IsPositionChecked(int position) const {
    return selection_.IsChecked(position);
}

void WindowShell::SetPositionChecked(int position, bool checked) {
    // The copy first, so a pane built right after this call sees the new state.
    selection_.Set(position, checked);
    OnWindow([position, checked](CPlanDlg& d) { d.SetPositionChecked(position, checked); });
}

void WindowShell::SetModeButtons(bool classicChecked, bool smartChecked) {
    OnWindow([classicChecked, smartChecked](CPlanDlg& d) {
        d.SetModeButtons(classicChecked, smartChecked);
    });
}

void WindowShell::ShowPlanText(const std::string& text) {
    OnWindow([shown = PaneText(text)](CPlanDlg& d) { d.ShowPlanText(shown); });
}

void WindowShell::ShowPlanPane(const BySlot<PlanBook>& books) {
    // A copy: the worker goes on changing its books while the call waits.
    OnWindow([books = std::make_shared<const BySlot<PlanBook>>(books)](CPlanDlg& d) {
        d.ShowPlanPane(*books);
    });
}

void WindowShell::ShowCountFields(const std::string& sizeText, const std::string& spanText) {
    OnWindow([size = QString::fromStdString(sizeText), span = QString::fromStdString(spanText)](
                 CPlanDlg& d) { d.ShowCountFields(size, span); });
}

void WindowShell::ShowMessage(const std::string& caption, const std::string& text) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || !desktop_.showMessage) {
        return;
    }
    RunOnWindowThread(app, [show = desktop_.showMessage, caption = QString::fromStdString(caption),
                            text = QString::fromStdString(text)] { show(caption, text); });
}

void WindowShell::OpenUrl(const std::string& url) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || !desktop_.openUrl) {
        return;
    }
    RunOnWindowThread(app, [open = desktop_.openUrl, address = QUrl(QString::fromStdString(url))] {
        open(address);
    });
}

void WindowShell::SetReplanRunning(bool running) {
    OnWindow([running](CPlanDlg& d) { d.SetReplanRunning(running); });
}

void WindowShell::NavigateBanner(const std::string& url) {
    OnWindow([address = QString::fromStdString(url)](CPlanDlg& d) { d.NavigateBanner(address); });
}

void WindowShell::ShowPlanStatistics(const StatsReport& report) {
    OnWindow([report](CPlanDlg& d) { d.ShowStatistics(report); });
}

}  // namespace pk10::ui
