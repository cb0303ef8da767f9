#include "ui/MoneyFields.h"

#include <QLineEdit>

#include "ui/QtSettingsStore.h"

namespace pk10::ui {
namespace {

QtSettingsStore Store() {
    return QtSettingsStore(QString::fromUtf8(kStatsSettingsFile));
}

void Mark(QLineEdit& field, const std::string& problem) {
    field.setStyleSheet(problem.empty() ? QString()
                                        : QStringLiteral("QLineEdit { background: #ffd6d6; }"));
    field.setToolTip(QString::fromStdString(problem));
}

}  // namespace

MoneyFields::MoneyFields(QWidget* page) : QObject(page) {
    const MoneyTexts kept = LoadMoneyTexts(Store());
    odds_ = new QLineEdit(QString::fromStdString(kept.odds), page);
    stakes_ = new QLineEdit(QString::fromStdString(kept.stakes), page);
    bankroll_ = new QLineEdit(QString::fromStdString(kept.bankroll), page);
    bankroll_->setPlaceholderText(QString::fromUtf8(kNoBankrollText));
    for (QLineEdit* field : {odds_, stakes_, bankroll_}) {
        connect(field, &QLineEdit::textChanged, this, [this] {
            Check();
            emit changed();
        });
    }
    Check();
}

MoneyTexts MoneyFields::Texts() const {
    return {odds_->text().toStdString(), stakes_->text().toStdString(),
            bankroll_->text().toStdString()};
}

std::optional<MoneyRules> MoneyFields::Rules() const {
    return ReadMoneyTexts(Texts()).Rules();
}

QString MoneyFields::Problem() const {
    return QString::fromStdString(ReadMoneyTexts(Texts()).Problem());
}

void MoneyFields::Save() const {
    QtSettingsStore store = Store();
    SaveMoneyTexts(store, Texts());
}

void MoneyFields::Check() {
    const MoneyReading reading = ReadMoneyTexts(Texts());
    Mark(*odds_, reading.oddsProblem);
    Mark(*stakes_, reading.stakesProblem);
    Mark(*bankroll_, reading.bankrollProblem);
}

}  // namespace pk10::ui
