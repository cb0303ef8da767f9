#pragma once
// The statistics window's fields of the odds, the stakes and the bankroll, read
// and kept by app/MoneyFieldsReading; a field that does not read is shaded and
// its tooltip says why, and Rules() gives nothing until all three read. The
// texts that read are kept in the "statistics" settings file for the next start.
//
// Window thread only.

#include <QObject>
#include <QString>
#include <optional>

#include "app/MoneyFieldsReading.h"
#include "stats/Money.h"

class QLineEdit;
class QWidget;

namespace pk10::ui {

class MoneyFields : public QObject {
    Q_OBJECT

  public:
    // The fields are children of `page`, filled from the kept values (else the defaults).
    explicit MoneyFields(QWidget* page);

    QLineEdit* odds() const { return odds_; }
    QLineEdit* stakes() const { return stakes_; }
    QLineEdit* bankroll() const { return bankroll_; }

    // The rules the fields hold; nothing while one of them does not read.
    std::optional<MoneyRules> Rules() const;
    // Why the first field that does not read is refused; empty when all read.
    QString Problem() const;
    // Keeps the current texts for the next start, when all three read.
    void Save() const;

  signals:
    // A field was edited; Rules() may have changed.
    void changed();

  private:
    MoneyTexts Texts() const;
    void Check();

    QLineEdit* odds_ = nullptr;
    QLineEdit* stakes_ = nullptr;
    QLineEdit* bankroll_ = nullptr;
};

}  // namespace pk10::ui
