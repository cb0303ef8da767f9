#pragma once
// The Shell of the window run mode. Calls may come from any thread and return
// at once: those that change the window are carried out on the window thread
// (directly when the caller is on it, otherwise as queued calls that Qt drops
// if the window is gone first). The Position selection is read from the
// thread-safe copy that the window keeps in step with its buttons.
//
// The message box and the browser are reached through Desktop, so tests can
// watch them; a message asked for on the window thread is modal and returns
// once dismissed, one asked for from another thread is shown later on the
// window thread and the caller does not wait for it (a worker must never wait
// on the window thread, which may be waiting for the worker to stop).

#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>
#include <string>

#include "app/SharedSelection.h"
#include "app/Shell.h"

namespace pk10::ui {

class CPlanDlg;

struct Desktop {
    std::function<void(const QString& caption, const QString& text)> showMessage;
    std::function<void(const QUrl& url)> openUrl;
};

// The real desktop: a modal QMessageBox owned by no window, and QDesktopServices.
Desktop QtDesktop();

class WindowShell : public Shell {
  public:
    WindowShell(SharedSelection& selection, Desktop desktop);

    // Connects the window; on the window thread, before any other thread uses the shell.
    void Attach(CPlanDlg* dialog);

    void ShowDrawListing(const std::string& text, bool scrollToEnd) override;
    bool IsPositionChecked(int position) const override;
    void SetPositionChecked(int position, bool checked) override;
    void SetModeButtons(bool classicChecked, bool smartChecked) override;
    void ShowPlanText(const std::string& text) override;
    // The text is built on the window thread, from the selection as it is then.
    void ShowPlanPane(const BySlot<PlanBook>& books) override;
    void ShowCountFields(const std::string& sizeText, const std::string& spanText) override;
    void ShowMessage(const std::string& caption, const std::string& text) override;
    void OpenUrl(const std::string& url) override;
    void SetReplanRunning(bool running) override;
    void NavigateBanner(const std::string& url) override;
    void ShowPlanStatistics(const StatsReport& report) override;

  private:
    // Runs `call` on the window, on the window thread; nothing before Attach().
    void OnWindow(std::function<void(CPlanDlg&)> call);

    SharedSelection& selection_;
    const Desktop desktop_;
    // Null before Attach() and once the window is gone.
    QPointer<CPlanDlg> dialog_;
};

// A pane text as the window shows it: UTF-8 decoded, CR LF line ends as LF.
QString PaneText(const std::string& text);

}  // namespace pk10::ui
