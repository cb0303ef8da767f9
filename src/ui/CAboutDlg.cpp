#include "ui/CAboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "ui/AppIcon.h"
#include "ui/DialogUnits.h"
#include "ui/PlanDlgTemplate.h"

namespace pk10::ui {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setFont(DialogFont());
    setWindowTitle(QString::fromUtf8(kAboutDlgCaption));
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(kAboutDlgWidth, kAboutDlgHeight));

    auto* icon = new QLabel(this);
    const QRect iconRect = units.ToPixels(11, 17, 20, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(AppIcon().pixmap(iconRect.size()));

    auto* text = new QLabel(QString::fromUtf8(kAboutDlgText), this);
    text->setTextFormat(Qt::PlainText);
    text->setGeometry(units.ToPixels(40, 10, 119, 8));

    auto* ok = new QPushButton(QString::fromUtf8(kAboutOkCaption), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(units.ToPixels(178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace pk10::ui
