#include "DrawText.h"

#include <cstdio>

namespace feedsim {

std::string FormatPeriod(std::uint32_t period) {
    char text[16];
    std::snprintf(text, sizeof text, "%06u", static_cast<unsigned>(period % kPeriodModulus));
    return text;
}

std::string FormatDrawLine(std::uint32_t period, const CarOrder& cars) {
    std::string line = FormatPeriod(period);
    for (const std::uint8_t car : cars) {
        line += ' ';
        line += static_cast<char>('0' + car / 10);
        line += static_cast<char>('0' + car % 10);
    }
    return line;
}

std::optional<CarOrder> ParseDrawLineCars(const std::string& line) {
    constexpr std::size_t kLength = 36;
    if (line.size() != kLength) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < 6; ++i) {
        if (line[i] < '0' || line[i] > '9') {
            return std::nullopt;
        }
    }
    CarOrder cars{};
    unsigned seen = 0;
    for (std::size_t place = 0; place < cars.size(); ++place) {
        const std::size_t at = 6 + 3 * place;
        const char tens = line[at + 1];
        const char ones = line[at + 2];
        if (line[at] != ' ' || tens < '0' || tens > '1' || ones < '0' || ones > '9') {
            return std::nullopt;
        }
        const int car = (tens - '0') * 10 + (ones - '0');
        if (car < 1 || car > 10 || (seen & (1U << car)) != 0) {
            return std::nullopt;
        }
        seen |= 1U << car;
        cars[place] = static_cast<std::uint8_t>(car);
    }
    return cars;
}

}  // namespace feedsim
