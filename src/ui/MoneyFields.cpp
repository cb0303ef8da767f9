#include "ui/MoneyFields.h"

#include <QLineEdit>
#include <QSettings>

namespace pk10::ui {
namespace {

constexpr const char* kOddsKey = "money/odds";
constexpr const char* kStakesKey = "money/stakes";
constexpr const char* kBankrollKey = "money/bankroll";

QSettings Settings() {
    return QSettings(QStringLiteral("pk10plan"), QStringLiteral("statistics"));
}

struct Reading {
    MoneyRules rules;
    QString oddsProblem;
    QString stakesProblem;
    QString bankrollProblem;
};

Reading Read(const QLineEdit& odds, const QLineEdit& stakes, const QLineEdit& bankroll) {
    Reading reading;
    reading.oddsProblem =
        QString::fromStdString(ReadOdds(odds.text().trimmed().toStdString(), reading.rules.odds));
    reading.stakesProblem = QString::fromStdString(
        ReadStakes(stakes.text().remove(QLatin1Char(' ')).toStdString(), reading.rules.stakes));
    const QString bankrollText = bankroll.text().trimmed();
    if (!bankrollText.isEmpty()) {
        std::int64_t value = 0;
        reading.bankrollProblem =
            QString::fromStdString(ReadBankroll(bankrollText.toStdString(), value));
        reading.rules.bankroll = value;
    }
    return reading;
}

void Mark(QLineEdit& field, const QString& problem) {
    field.setStyleSheet(problem.isEmpty() ? QString()
                                          : QStringLiteral("QLineEdit { background: #ffd6d6; }"));
    field.setToolTip(problem);
}

}  // namespace

MoneyFields::MoneyFields(QWidget* page) : QObject(page) {
    const QSettings settings = Settings();
    const MoneyRules defaults;
    odds_ = new QLineEdit(
        settings.value(QString::fromUtf8(kOddsKey), QString::fromStdString(OddsText(defaults.odds)))
            .toString(),
        page);
    stakes_ = new QLineEdit(settings
                                .value(QString::fromUtf8(kStakesKey),
                                       QString::fromStdString(StakesText(defaults.stakes)))
                                .toString(),
                            page);
    bankroll_ = new QLineEdit(settings.value(QString::fromUtf8(kBankrollKey)).toString(), page);
    bankroll_->setPlaceholderText(QString::fromUtf8("不限"));
    for (QLineEdit* field : {odds_, stakes_, bankroll_}) {
        connect(field, &QLineEdit::textChanged, this, [this] {
            Check();
            emit changed();
        });
    }
    Check();
}

std::optional<MoneyRules> MoneyFields::Rules() const {
    const Reading reading = Read(*odds_, *stakes_, *bankroll_);
    if (!reading.oddsProblem.isEmpty() || !reading.stakesProblem.isEmpty() ||
        !reading.bankrollProblem.isEmpty()) {
        return std::nullopt;
    }
    return reading.rules;
}

QString MoneyFields::Problem() const {
    const Reading reading = Read(*odds_, *stakes_, *bankroll_);
    for (const auto& [name, problem] :
         {std::pair{"赔率", reading.oddsProblem}, std::pair{"倍投", reading.stakesProblem},
          std::pair{"本金", reading.bankrollProblem}}) {
        if (!problem.isEmpty()) {
            return QString::fromUtf8(name) + QStringLiteral(": ") + problem;
        }
    }
    return {};
}

void MoneyFields::Save() const {
    if (!Rules()) {
        return;
    }
    QSettings settings = Settings();
    settings.setValue(QString::fromUtf8(kOddsKey), odds_->text().trimmed());
    settings.setValue(QString::fromUtf8(kStakesKey), stakes_->text().remove(QLatin1Char(' ')));
    settings.setValue(QString::fromUtf8(kBankrollKey), bankroll_->text().trimmed());
}

void MoneyFields::Check() {
    const Reading reading = Read(*odds_, *stakes_, *bankroll_);
    Mark(*odds_, reading.oddsProblem);
    Mark(*stakes_, reading.stakesProblem);
    Mark(*bankroll_, reading.bankrollProblem);
}

}  // namespace pk10::ui
