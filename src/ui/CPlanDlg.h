#pragma once
// The main window: the banner strip, the command and mode buttons, the ten
// Position buttons, the two count fields and the two panes, laid out from the
// window template in dialog units. Every control keeps its numeric ID as its
// object name.
//
// The window is a thin layer: a click goes to WindowCommands, and the
// application changes what the window shows through WindowShell, which calls
// the public operations below on the window thread. Closing the window (close
// box, Esc, Enter outside a push button or a pane) first shuts the application
// down, so nothing of it runs once the window is gone.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <array>

#include "app/SharedSelection.h"
#include "app/WindowCommands.h"
#include "stats/PlanStats.h"

class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace pk10::ui {

class CStatsDlg;
class CWebBrowser2;
struct ControlTemplate;

class CPlanDlg : public QDialog {
    Q_OBJECT

  public:
    // `selection` is kept in step with the Position buttons' check states.
    CPlanDlg(WindowCommands& commands, SharedSelection& selection, QWidget* parent = nullptr);

    // Window-thread operations, reached through WindowShell.
    void ShowDrawListing(const QString& text, bool scrollToEnd);
    void ShowPlanText(const QString& text);
    // The plan pane of `books` for the Position buttons checked now.
    void ShowPlanPane(const BySlot<PlanBook>& books);
    void ShowCountFields(const QString& sizeText, const QString& spanText);
    void SetPositionChecked(int position, bool checked);
    void SetModeButtons(bool classicChecked, bool smartChecked);
    void SetReplanRunning(bool running);
    void NavigateBanner(const QString& url);
    // Keeps the statistics of today's books for the statistics window.
    void ShowStatistics(const StatsReport& report);

    // Runs the About box (context menu item and F1).
    void ShowAbout();
    // Opens the statistics window, or raises it when open (context menu item
    // and F2). Closing the main window closes it.
    CStatsDlg* ShowStats();
    // The open statistics window; null when none is open.
    CStatsDlg* StatsWindow() const;
    // Runs the settings dialog of the servers (context menu item); on OK the
    // saved addresses go to the application, which uses them from the next
    // refresh on.
    void ShowSettings();

    QRadioButton* PositionButton(int position) const;
    CWebBrowser2* Banner() const { return banner_; }

  public slots:
    void done(int result) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void CreateControls();
    QWidget* CreateControl(const ControlTemplate& control);
    // The About, statistics and settings items, at the end of `menu`.
    void AddWindowItems(QMenu& menu);
    // A pane's menu: Qt's edit menu, a separator and the window's items.
    void ShowPaneMenu(QPlainTextEdit* pane, const QPoint& position);

    WindowCommands& commands_;
    SharedSelection& selection_;
    bool shutDown_ = false;

    QPlainTextEdit* drawPane_ = nullptr;
    QPlainTextEdit* planPane_ = nullptr;
    QLineEdit* sizeField_ = nullptr;
    QLineEdit* spanField_ = nullptr;
    QRadioButton* classicMode_ = nullptr;
    QRadioButton* smartMode_ = nullptr;
    QPushButton* replanButton_ = nullptr;
    CWebBrowser2* banner_ = nullptr;
    QButtonGroup* groupA_ = nullptr;
    QButtonGroup* groupB_ = nullptr;
    std::array<QRadioButton*, 10> positionButtons_{};
    QPointer<CStatsDlg> statsDlg_;
    StatsReport todayReport_;
};

}  // namespace pk10::ui
