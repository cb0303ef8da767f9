#pragma once
// The statistics window's three money fields (odds, stakes, bankroll) as
// texts: read with the same readers as `pk10plan --backtest --odds/--stakes/
// --bankroll`, and kept between runs. A window holds the edit controls and
// shades a field whose problem is not empty; what the texts mean lives here.
//
// The odds and the bankroll are read trimmed, the stakes without their spaces;
// an empty bankroll means no bankroll.

#include <optional>
#include <string>

#include "app/SettingsStore.h"
#include "stats/Money.h"

namespace pk10 {

// The settings file (a QSettings file name, a registry key) and its keys.
inline constexpr const char* kStatsSettingsFile = "statistics";
inline constexpr const char* kOddsSettingKey = "money/odds";
inline constexpr const char* kStakesSettingKey = "money/stakes";
inline constexpr const char* kBankrollSettingKey = "money/bankroll";

// Shown in the empty bankroll field.
inline constexpr const char* kNoBankrollText = "不限";

struct MoneyTexts {
    std::string odds;
    std::string stakes;
    std::string bankroll;
    bool operator==(const MoneyTexts&) const = default;
};

struct MoneyReading {
    MoneyRules rules;
    // Why each field does not read; empty when it does.
    std::string oddsProblem;
    std::string stakesProblem;
    std::string bankrollProblem;

    bool Reads() const {
        return oddsProblem.empty() && stakesProblem.empty() && bankrollProblem.empty();
    }
    // The rules while all three read.
    std::optional<MoneyRules> Rules() const;
    // The first field that does not read, named: "赔率: ..."; empty when all read.
    std::string Problem() const;
};

MoneyReading ReadMoneyTexts(const MoneyTexts& texts);

// The kept texts, each the default (the default rules, no bankroll) when none is kept.
MoneyTexts LoadMoneyTexts(const SettingsStore& store);
// Keeps the texts as read (trimmed, stakes without spaces) when all three read;
// false when they do not read or could not be kept.
bool SaveMoneyTexts(SettingsStore& store, const MoneyTexts& texts);

}  // namespace pk10
