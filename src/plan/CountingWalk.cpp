#include "plan/CountingWalk.h"

#include "plan/Decimal.h"
#include "plan/NumberDerivation.h"

namespace pk10 {
namespace {

constexpr std::uint16_t DigitBit(unsigned digit) {
    return static_cast<std::uint16_t>(1u << digit);
}

// The car of a two-character number "01".."10", as its mask bit; 0 otherwise.
std::uint16_t CarBit(std::string_view number) {
    if (number.size() != 2) {
        return 0;
    }
    if (number == "10") {
        return DigitBit(0);
    }
    if (number[0] == '0' && number[1] >= '1' && number[1] <= '9') {
        return DigitBit(static_cast<unsigned>(number[1] - '0'));
    }
    return 0;
}

}  // namespace

std::optional<CountingWalk> CountingWalk::Build(const DrawHistory& history, const PlanState& state,
                                                int position, std::int32_t span,
                                                std::int32_t size) {
    const WalkVariant* variant = VariantOfPosition(position);
    const std::int32_t oldest = history.oldest;
    if (variant == nullptr || oldest < 1 || oldest >= kHistorySlots) {
        return std::nullopt;
    }
    CountingWalk walk;
    walk.variant_ = variant;
    walk.span_ = span;
    walk.size_ = size;

    // The same reads as PrepareWalk from the oldest draw.
    const auto at = static_cast<std::size_t>(oldest);
    walk.seedPeriod_ = DecimalValue(Mid(history.walkLines[at], 0, kPeriodLength));
    walk.seedDigits_ = WithoutChar(WithoutChar(Mid(history.lines[at], 7, 20), ' '), '0');
    walk.seed_ = DecimalValue(walk.seedDigits_);
    walk.first314_ = static_cast<std::uint32_t>(walk.seed_) * kSingleFactor;
    walk.first618_ = static_cast<std::uint32_t>(walk.seed_) * kTwinFactor;

    // The walk examines oldest-2 down to 0; the draw after the seed draw is skipped.
    for (std::int32_t i = oldest - 2; i >= 0; --i) {
        const std::string digits =
            DrawDigitsOf(history.walkLines[static_cast<std::size_t>(i)], variant->view);
        const std::uint16_t bit = CarBit(Mid(digits, variant->numberAt, 2));
        if (bit == 0) {
            return std::nullopt;
        }
        const std::int32_t reseed = DecimalValue(digits);
        walk.reseeds_.push_back(reseed);
        walk.draws_.push_back(Draw{bit, static_cast<std::uint32_t>(reseed) * kSingleFactor,
                                   static_cast<std::uint32_t>(reseed) * kTwinFactor});
        if (i == 0) {
            walk.newestDigits_ = digits;
        }
    }

    // "-" signs vanish before the unique characters are taken; any other
    // character of the filler stands for car 10.
    const std::string filler =
        UniqueChars(WithoutChar(state.FillerDigits[SlotOfPosition(position)], '-'));
    for (char c : filler) {
        const bool digit = c >= '0' && c <= '9';
        walk.filler_.push_back(
            FillerChar{digit, DigitBit(digit ? static_cast<unsigned>(c - '0') : 0u)});
    }
    return walk;
}

std::uint16_t CountingWalk::Derive(bool twin, std::uint32_t factor314, std::uint32_t factor618,
                                   std::uint32_t multiplier) const {
    const std::int32_t wanted = size_;
    if (wanted <= 0) {
        return 0;
    }
    std::uint16_t seen = 0;
    std::int32_t count = 0;
    // Adds the decimal digits of a product, most significant first, until the
    // set holds `wanted` numbers. Returns true when it is full.
    auto addProduct = [&](std::uint32_t product) {
        // The digits of the magnitude (a "-" sign is dropped anyway).
        std::uint32_t value = (product & 0x80000000u) != 0 ? 0u - product : product;
        unsigned digits[10];
        int length = 0;
        do {
            digits[length++] = value % 10u;
            value /= 10u;
        } while (value != 0);
        while (length > 0) {
            const std::uint16_t bit = DigitBit(digits[--length]);
            if ((seen & bit) == 0) {
                seen = static_cast<std::uint16_t>(seen | bit);
                if (++count == wanted) {
                    return true;
                }
            }
        }
        return false;
    };
    if (addProduct(factor314 * multiplier)) {
        return seen;
    }
    if (twin && addProduct(factor618 * multiplier)) {
        return seen;
    }
    // Filler characters are distinct; a digit the product already gave is skipped.
    std::uint16_t numbers = seen;
    for (const FillerChar& c : filler_) {
        if (c.digit && (seen & c.bit) != 0) {
            continue;
        }
        numbers = static_cast<std::uint16_t>(numbers | c.bit);
        if (++count == wanted) {
            break;
        }
    }
    return numbers;
}

WalkCount CountingWalk::Count(std::int32_t multiplier) const {
    const auto m = static_cast<std::uint32_t>(multiplier);
    const bool laterTwin = variant_->laterForm == PlanForm::Twin;
    std::uint16_t numbers = Derive(variant_->firstForm == PlanForm::Twin, first314_, first618_, m);
    WalkCount result;
    result.lineCount = 1;  // the open line
    std::int32_t examined = 0;
    const int drawCount = static_cast<int>(draws_.size());
    for (int e = 0; e < drawCount; ++e) {
        const Draw& draw = draws_[static_cast<std::size_t>(e)];
        ++examined;
        const bool hit = (numbers & draw.carBit) != 0;
        if (!hit && examined != span_) {
            continue;
        }
        result.hits += hit ? 1 : 0;
        ++result.lineCount;
        result.lastClose = e;
        examined = 0;
        if (e + 1 < drawCount) {  // the open span's numbers are never tested
            numbers = Derive(laterTwin, draw.reseed314, draw.reseed618, m);
        }
    }
    return result;
}

void CountingWalk::LeaveEndState(const WalkCount& count, DrawHistory& history,
                                 PlanState& state) const {
    history.cursor = 0;  // every walk from a prepared cursor ends at draw 0
    state.SeedPeriod = seedPeriod_;
    state.DrawDigits = draws_.empty() ? seedDigits_ : newestDigits_;
    state.PlanSeed =
        count.lastClose < 0 ? seed_ : reseeds_[static_cast<std::size_t>(count.lastClose)];
    state.WorkLineCount = count.lineCount;
    state.HitCount = 0;
}

}  // namespace pk10
