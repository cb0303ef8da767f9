#include "ui/CSettingsDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/AppIcon.h"
#include "ui/DialogUnits.h"

namespace pk10::ui {
namespace {

// The layout, in dialog units, as the Windows window's template has it.
constexpr int kWidth = 260;
constexpr int kHeight = 100;
constexpr int kLabelX = 7;
constexpr int kLabelWidth = 72;
constexpr int kFieldX = 80;
constexpr int kFieldWidth = 173;

}  // namespace

CSettingsDlg::CSettingsDlg(const ServerFields& shown, SettingsStore& store, QWidget* parent)
    : QDialog(parent), shown_(shown), store_(store) {
    setObjectName(QStringLiteral("130"));
    setFont(DialogFont());
    setWindowTitle(QStringLiteral("设置"));
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(kWidth, kHeight));

    results_ = AddField(kResultsServerLabel, shown.results, 7, 1301);
    maker_ = AddField(kMakerServerLabel, shown.maker, 33, 1302);

    reason_ = new QLabel(this);
    reason_->setObjectName(QStringLiteral("1305"));
    reason_->setTextFormat(Qt::PlainText);
    reason_->setWordWrap(true);
    reason_->setStyleSheet(QStringLiteral("color: #c00000"));
    reason_->setGeometry(units.ToPixels(kLabelX, 59, kWidth - 2 * kLabelX, 16));

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(units.ToPixels(149, 79, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSettingsDlg::accept);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(units.ToPixels(203, 79, 50, 14));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* CSettingsDlg::AddField(const char* label, const ServerField& field, int y, int id) {
    const DialogUnits units(font());
    auto* name = new QLabel(QString::fromUtf8(label), this);
    name->setGeometry(units.ToPixels(kLabelX, y + 2, kLabelWidth, 8));
    auto* edit = new QLineEdit(QString::fromUtf8(field.address), this);
    edit->setObjectName(QString::number(id));
    edit->setGeometry(units.ToPixels(kFieldX, y, kFieldWidth, 12));
    edit->setEnabled(field.fixedBy.empty());
    edit->setPlaceholderText(QString::fromUtf8(kDefaultServer));
    name->setBuddy(edit);
    auto* note = new QLabel(QString::fromUtf8(FixedServerNote(field)), this);
    note->setObjectName(QString::number(id + 2));
    note->setTextFormat(Qt::PlainText);
    note->setGeometry(units.ToPixels(kFieldX, y + 14, kFieldWidth, 8));
    return edit;
}

QString CSettingsDlg::ResultsText() const {
    return results_->text();
}

QString CSettingsDlg::MakerText() const {
    return maker_->text();
}

void CSettingsDlg::accept() {
    const std::string reason =
        SaveServerFields(shown_, ResultsText().toStdString(), MakerText().toStdString(), store_);
    if (!reason.empty()) {
        reason_->setText(QString::fromUtf8(reason));
        return;
    }
    QDialog::accept();
}

}  // namespace pk10::ui
