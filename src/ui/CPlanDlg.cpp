#include "ui/CPlanDlg.h"

#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <memory>

#include "app/SharedSelection.h"
#include "ui/AppIcon.h"
#include "ui/CAboutDlg.h"
#include "ui/CSettingsDlg.h"
#include "ui/CStatsDlg.h"
#include "ui/CWebBrowser2.h"
#include "ui/DialogUnits.h"
#include "ui/PlanDlgTemplate.h"
#include "ui/QtSettingsStore.h"
#include "ui/StatsDlgTemplate.h"
#include "ui/WindowShell.h"

namespace pk10::ui {
namespace {

QPlainTextEdit* NewPane(QWidget* parent, bool readOnly) {
    auto* pane = new QPlainTextEdit(parent);
    pane->setReadOnly(readOnly);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setFocusPolicy(Qt::StrongFocus);
    return pane;
}

void ScrollToEnd(QPlainTextEdit* pane) {
    QScrollBar* bar = pane->verticalScrollBar();
    bar->setValue(bar->maximum());
}

// Sets a radio button's state as the application asks: that one button changes
// and the others of its group keep theirs, so a button the user checked stays
// checked. The group's exclusivity is lifted for the change, since an exclusive
// group would uncheck the others, and would refuse to leave none checked.
void SetRadioChecked(QAbstractButton* button, bool checked) {
    QButtonGroup* group = button->group();
    const bool exclusive = group != nullptr && group->exclusive();
    if (exclusive) {
        group->setExclusive(false);
    }
    button->setChecked(checked);
    if (exclusive) {
        group->setExclusive(true);
    }
}

// A click keeps the group's rule: the clicked button is the only one checked,
// even where the application had left a second one checked.
void UncheckTheOthers(QAbstractButton* clicked) {
    for (QAbstractButton* other : clicked->group()->buttons()) {
        if (other != clicked && other->isChecked()) {
            SetRadioChecked(other, false);
        }
    }
}

}  // namespace

CPlanDlg::CPlanDlg(WindowCommands& commands, SharedSelection& selection, QWidget* parent)
    : QDialog(parent), commands_(commands), selection_(selection) {
    setObjectName(QStringLiteral("102"));
    setFont(DialogFont());
    setWindowTitle(QString::fromUtf8(kPlanDlgCaption));
    setWindowIcon(AppIcon());
    // Title bar with the window menu, minimise and close; no maximise, fixed size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(DialogUnits(font()).ToPixels(kPlanDlgWidth, kPlanDlgHeight));

    groupA_ = new QButtonGroup(this);
    groupB_ = new QButtonGroup(this);
    CreateControls();
}

void CPlanDlg::CreateControls() {
    const DialogUnits units(font());
    // Created in the template's order, which is also the Tab order.
    for (const ControlTemplate& control : kPlanDlgControls) {
        QWidget* widget = CreateControl(control);
        widget->setObjectName(control.id < 0 ? QStringLiteral("static")
                                             : QString::number(control.id));
        widget->setGeometry(units.ToPixels(control.x, control.y, control.width, control.height));
    }
}

QWidget* CPlanDlg::CreateControl(const ControlTemplate& control) {
    const QString caption = QString::fromUtf8(control.caption);
    switch (control.kind) {
        case ControlKind::ReadOnlyPane:
        case ControlKind::EditablePane: {
            QPlainTextEdit* pane = NewPane(this, control.kind == ControlKind::ReadOnlyPane);
            (control.kind == ControlKind::ReadOnlyPane ? drawPane_ : planPane_) = pane;
            pane->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(pane, &QPlainTextEdit::customContextMenuRequested, this,
                    [this, pane](const QPoint& position) { ShowPaneMenu(pane, position); });
            return pane;
        }
        case ControlKind::LineEdit: {
            auto* field = new QLineEdit(this);
            field->setFocusPolicy(Qt::ClickFocus);
            (control.id == kSizeFieldId ? sizeField_ : spanField_) = field;
            return field;
        }
        case ControlKind::StaticText: {
            auto* label = new QLabel(caption, this);
            label->setTextFormat(Qt::PlainText);
            return label;
        }
        case ControlKind::PushButton: {
            auto* button = new QPushButton(caption, this);
            button->setAutoDefault(false);
            if (control.id == kReplanButtonId) {
                replanButton_ = button;
                connect(button, &QPushButton::clicked, this, [this] { commands_.RequestReplan(); });
            } else {
                connect(button, &QPushButton::clicked, this,
                        [this] { commands_.RequestPromoLink(); });
            }
            return button;
        }
        case ControlKind::Banner:
            banner_ = new CWebBrowser2(this);
            return banner_;
        case ControlKind::ModeButton:
        case ControlKind::PositionButton:
            break;
    }

    // Radio buttons: no Tab stop, grouped as the template says.
    auto* button = new QRadioButton(caption, this);
    button->setFocusPolicy(Qt::ClickFocus);
    (control.group == RadioGroup::A ? groupA_ : groupB_)->addButton(button);
    // Connected first, so the Position handler below sees the group settled.
    connect(button, &QRadioButton::clicked, this, [button] { UncheckTheOthers(button); });
    if (control.kind == ControlKind::ModeButton) {
        // The mode buttons only take part in their group; they send nothing.
        (control.id == kClassicModeId ? classicMode_ : smartMode_) = button;
        return button;
    }
    const int position = control.position;
    positionButtons_[static_cast<std::size_t>(position - 1)] = button;
    connect(button, &QRadioButton::toggled, this,
            [this, position](bool checked) { selection_.Set(position, checked); });
    // A click on the button that is already checked runs the handler too.
    connect(button, &QRadioButton::clicked, this, [this] { commands_.OnPositionSelected(); });
    return button;
}

QRadioButton* CPlanDlg::PositionButton(int position) const {
    if (position < 1 || position > 10) {
        return nullptr;
    }
    return positionButtons_[static_cast<std::size_t>(position - 1)];
}

void CPlanDlg::ShowDrawListing(const QString& text, bool scrollToEnd) {
    drawPane_->setPlainText(text);
    if (scrollToEnd) {
        ScrollToEnd(drawPane_);
    }
}

void CPlanDlg::ShowPlanText(const QString& text) {
    planPane_->setPlainText(text);
    ScrollToEnd(planPane_);
}

void CPlanDlg::ShowPlanPane(const BySlot<PlanBook>& books) {
    ShowPlanText(PaneText(PlanPaneText(books, selection_.Snapshot())));
}

void CPlanDlg::ShowCountFields(const QString& sizeText, const QString& spanText) {
    sizeField_->setText(sizeText);
    spanField_->setText(spanText);
}

void CPlanDlg::SetPositionChecked(int position, bool checked) {
    if (QRadioButton* button = PositionButton(position)) {
        SetRadioChecked(button, checked);
    }
}

void CPlanDlg::SetModeButtons(bool classicChecked, bool smartChecked) {
    SetRadioChecked(classicMode_, classicChecked);
    SetRadioChecked(smartMode_, smartChecked);
}

void CPlanDlg::SetReplanRunning(bool running) {
    replanButton_->setEnabled(!running);
}

void CPlanDlg::NavigateBanner(const QString& url) {
    banner_->Navigate(url);
}

void CPlanDlg::ShowStatistics(const StatsReport& report) {
    todayReport_ = report;
    if (statsDlg_ != nullptr) {
        statsDlg_->ShowToday(todayReport_);
    }
}

void CPlanDlg::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

CStatsDlg* CPlanDlg::StatsWindow() const {
    return statsDlg_.data();
}

CStatsDlg* CPlanDlg::ShowStats() {
    if (statsDlg_ == nullptr) {
        statsDlg_ = new CStatsDlg(this);
        statsDlg_->setAttribute(Qt::WA_DeleteOnClose);
        statsDlg_->ShowToday(todayReport_);
    }
    statsDlg_->show();
    statsDlg_->raise();
    statsDlg_->activateWindow();
    return statsDlg_;
}

void CPlanDlg::ShowSettings() {
    QtSettingsStore store(QString::fromUtf8(kServerSettingsFile));
    CSettingsDlg settings(commands_.Servers(), store, this);
    if (settings.exec() == QDialog::Accepted) {
        commands_.ChangeServers(settings.ResultsText().toStdString(),
                                settings.MakerText().toStdString());
    }
}

void CPlanDlg::done(int result) {
    if (statsDlg_ != nullptr) {
        // Stops its backtest; the window goes with this one.
        statsDlg_->close();
    }
    if (!shutDown_) {
        shutDown_ = true;
        // Stops the refresh worker and cuts the application off from the
        // window before the window goes away.
        commands_.Shutdown();
    }
    QDialog::done(result);
}

void CPlanDlg::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_F1) {
        // The About box; Linux dialogs have no window menu to hold it.
        ShowAbout();
        return;
    }
    if (key == Qt::Key_F2) {
        ShowStats();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        // A focused push button takes Enter; anywhere else (a Position button,
        // a count field) Enter ends the window like Esc.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            accept();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPlanDlg::AddWindowItems(QMenu& menu) {
    menu.addAction(QString::fromUtf8(kAboutMenuText), this, &CPlanDlg::ShowAbout);
    menu.addAction(QString::fromUtf8(kStatsMenuText), this, &CPlanDlg::ShowStats);
    menu.addAction(QString::fromUtf8(kSettingsMenuText), this, &CPlanDlg::ShowSettings);
}

void CPlanDlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    AddWindowItems(menu);
    menu.exec(event->globalPos());
}

void CPlanDlg::ShowPaneMenu(QPlainTextEdit* pane, const QPoint& position) {
    // The position is in the pane's viewport, as the edit menu expects it.
    const std::unique_ptr<QMenu> menu(pane->createStandardContextMenu(position));
    menu->addSeparator();
    AddWindowItems(*menu);
    menu->exec(pane->viewport()->mapToGlobal(position));
}

}  // namespace pk10::ui
