#include "app/MoneyFieldsReading.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace pk10 {
namespace {

std::string Trimmed(std::string_view text) {
    constexpr std::string_view kSpace = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(kSpace) - first + 1));
}

std::string WithoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

// The texts as they are read and kept.
MoneyTexts Normalised(const MoneyTexts& texts) {
    return {Trimmed(texts.odds), WithoutSpaces(texts.stakes), Trimmed(texts.bankroll)};
}

}  // namespace

std::optional<MoneyRules> MoneyReading::Rules() const {
    return Reads() ? std::optional<MoneyRules>(rules) : std::nullopt;
}

std::string MoneyReading::Problem() const {
    for (const auto& [name, problem] :
         {std::pair<const char*, const std::string*>{"赔率", &oddsProblem},
          std::pair<const char*, const std::string*>{"倍投", &stakesProblem},
          std::pair<const char*, const std::string*>{"本金", &bankrollProblem}}) {
        if (!problem->empty()) {
            return std::string(name) + ": " + *problem;
        }
    }
    return {};
}

MoneyReading ReadMoneyTexts(const MoneyTexts& texts) {
    const MoneyTexts read = Normalised(texts);
    MoneyReading reading;
    reading.oddsProblem = ReadOdds(read.odds, reading.rules.odds);
    reading.stakesProblem = ReadStakes(read.stakes, reading.rules.stakes);
    if (!read.bankroll.empty()) {
        std::int64_t value = 0;
        reading.bankrollProblem = ReadBankroll(read.bankroll, value);
        if (reading.bankrollProblem.empty()) {
            reading.rules.bankroll = value;
        }
    }
    return reading;
}

MoneyTexts LoadMoneyTexts(const SettingsStore& store) {
    const MoneyRules defaults;
    return {store.Read(kOddsSettingKey).value_or(OddsText(defaults.odds)),
            store.Read(kStakesSettingKey).value_or(StakesText(defaults.stakes)),
            store.Read(kBankrollSettingKey).value_or("")};
}

bool SaveMoneyTexts(SettingsStore& store, const MoneyTexts& texts) {
    if (!ReadMoneyTexts(texts).Reads()) {
        return false;
    }
    const MoneyTexts kept = Normalised(texts);
    bool written = store.Write(kOddsSettingKey, kept.odds);
    written = store.Write(kStakesSettingKey, kept.stakes) && written;
    return store.Write(kBankrollSettingKey, kept.bankroll) && written;
}

}  // namespace pk10
