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
#include <QString>
#include <array>

#include "app/SharedSelection.h"
#include "app/WindowCommands.h"

class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace pk10::ui {

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
    void ShowCountFields(const QString& sizeText, const QString& spanText);
    void SetPositionChecked(int position, bool checked);
    void SetModeButtons(bool classicChecked, bool smartChecked);
    void SetReplanRunning(bool running);
    void NavigateBanner(const QString& url);

    // Runs the About box (context menu item and F1).
    void ShowAbout();

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
};

}  // namespace pk10::ui
