#include "plan/CountingWalk.h"

#include <array>
#include <bit>
#include <utility>

#include "plan/Decimal.h"
#include "plan/NumberDerivation.h"
#include "plan/PlanLineText.h"
#include "plan/ProductDigitSet.h"

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

DrawReading DrawReading::Of(std::string_view line) {
    DrawReading reading;
    reading.period = DecimalValue(Mid(line, 0, kPeriodLength));
    for (const DigitView view : {DigitView::FirstSeven, DigitView::AllTen}) {
        const std::size_t v = view == DigitView::FirstSeven ? 0 : 1;
        // The view is at most 30 characters long.
        for (const char c : DigitViewText(line, view)) {
            if (c != ' ') {
                reading.digits[v][reading.length[v]++] = c;
            }
        }
        reading.value[v] = DecimalValue(reading.Digits(view));
    }
    return reading;
}

std::string_view DrawReading::Digits(DigitView view) const {
    const std::size_t v = view == DigitView::FirstSeven ? 0 : 1;
    return {digits[v].data(), length[v]};
}

std::int32_t DrawReading::Value(DigitView view) const {
    return value[view == DigitView::FirstSeven ? 0 : 1];
}

const DrawReading& DrawReadings::Of(const std::string& line) {
    // Lines leave the history as new ones come; past this many kept readings
    // they are all read afresh.
    constexpr std::size_t kKeptReadings = 512;
    if (const auto found = readings_.find(line); found != readings_.end()) {
        return found->second;
    }
    if (readings_.size() >= kKeptReadings) {
        readings_.clear();
    }
    return readings_.emplace(line, DrawReading::Of(line)).first->second;
}

CountingWalk::Completion CountingWalk::CompletionOf(std::string_view fillerDigits,
                                                    std::int32_t size) {
    // "-" signs vanish before the unique characters are taken; any other
    // character of the filler stands for car 10. Filler characters are distinct;
    // a digit the product already gave is skipped.
    const std::string filler = UniqueChars(WithoutChar(fillerDigits, '-'));
    Completion completion{};
    for (std::uint32_t productSet = 0; productSet < completion.size(); ++productSet) {
        std::uint32_t numbers = productSet;
        auto count = static_cast<std::int32_t>(BitCount10(productSet));
        for (std::size_t i = 0; i < filler.size() && count < size; ++i) {
            const char c = filler[i];
            const bool digit = c >= '0' && c <= '9';
            const std::uint16_t bit = DigitBit(digit ? static_cast<unsigned>(c - '0') : 0u);
            if (digit && (productSet & bit) != 0) {
                continue;
            }
            numbers |= bit;
            ++count;
        }
        completion[productSet] = static_cast<std::uint16_t>(numbers);
    }
    return completion;
}

std::optional<CountingWalk> CountingWalk::Build(const DrawHistory& history, const PlanState& state,
                                                int position, std::int32_t span, std::int32_t size,
                                                const Completion* completion,
                                                DrawReadings* readings) {
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
    walk.seedDigits_ = SeedDigitsOf(history.lines[at]);
    walk.seed_ = DecimalValue(walk.seedDigits_);
    walk.first314_ = static_cast<std::uint32_t>(walk.seed_) * kSingleFactor;
    walk.first618_ = static_cast<std::uint32_t>(walk.seed_) * kTwinFactor;

    // The walk examines oldest-2 down to 0; the draw after the seed draw is skipped.
    const auto examined = static_cast<std::size_t>(oldest - 1);
    for (auto* vector : {&walk.reseeds_, &walk.periods_}) {
        vector->reserve(examined);
    }
    walk.carBits_.reserve(examined);
    walk.draws_.reserve(examined);
    for (std::int32_t i = oldest - 2; i >= 0; --i) {
        const std::string& line = history.walkLines[static_cast<std::size_t>(i)];
        DrawReading local;
        const DrawReading& reading =
            readings != nullptr ? readings->Of(line) : (local = DrawReading::Of(line));
        const std::string_view digits = reading.Digits(variant->view);
        const std::uint16_t bit = CarBit(Mid(digits, variant->numberAt, 2));
        if (bit == 0) {
            return std::nullopt;
        }
        const std::int32_t reseed = reading.Value(variant->view);
        walk.reseeds_.push_back(reseed);
        walk.carBits_.push_back(bit);
        walk.periods_.push_back(reading.period);
        walk.draws_.push_back(Draw{bit, static_cast<std::uint32_t>(reseed) * kSingleFactor,
                                   static_cast<std::uint32_t>(reseed) * kTwinFactor});
        if (i == 0) {
            walk.newestDigits_ = digits;
        }
    }

    walk.completed_ = completion != nullptr
                          ? *completion
                          : CompletionOf(state.FillerDigits[SlotOfPosition(position)], size);
    return walk;
}

std::uint16_t CountingWalk::Derive(bool twin, std::uint32_t factor314, std::uint32_t factor618,
                                   std::uint32_t multiplier) const {
    return completed_[ProductDigitSet(twin, factor314, factor618, multiplier, size_)];
}

template <class LaterSet>
WalkCount CountingWalk::CountWith(std::uint16_t firstNumbers, LaterSet laterSet) const {
    std::uint16_t numbers = firstNumbers;
    WalkCount result;
    result.lineCount = 1;  // the open line
    std::int32_t examined = 0;
    const int drawCount = static_cast<int>(draws_.size());
    for (int e = 0; e < drawCount; ++e) {
        ++examined;
        const bool hit = (numbers & draws_[static_cast<std::size_t>(e)].carBit) != 0;
        if (!hit && examined != span_) {
            continue;
        }
        result.hits += hit ? 1 : 0;
        ++result.lineCount;
        result.closeBefore = result.lastClose;
        result.lastClose = e;
        result.lastHit = hit;
        examined = 0;
        numbers = laterSet(e);
    }
    return result;
}

WalkCount CountingWalk::Count(std::int32_t multiplier) const {
    const auto m = static_cast<std::uint32_t>(multiplier);
    const std::uint16_t first =
        Derive(variant_->firstForm == PlanForm::Twin, first314_, first618_, m);
    const bool laterTwin = variant_->laterForm == PlanForm::Twin;
    const int last = static_cast<int>(draws_.size()) - 1;
    return CountWith(first, [&](int e) -> std::uint16_t {
        if (e == last) {
            return 0;  // the open span's numbers are never tested
        }
        const Draw& draw = draws_[static_cast<std::size_t>(e)];
        return Derive(laterTwin, draw.reseed314, draw.reseed618, m);
    });
}

LastWalkLines CountingWalk::LastLines(const WalkCount& count, std::int32_t multiplier,
                                      std::string_view filler) const {
    // The span starting after examined draw `close` (-1: the first span): its
    // start period and its numbers.
    auto spanAfter = [&](int close) {
        const bool first = close < 0;
        const auto at = static_cast<std::size_t>(first ? 0 : close);
        const std::int32_t start = first ? seedPeriod_ : WrapAdd(periods_[at], 1);
        const std::string numbers =
            DerivePlanNumbers(first ? variant_->firstForm : variant_->laterForm,
                              first ? seed_ : reseeds_[at], multiplier, size_, filler);
        return std::pair(start, numbers);
    };
    LastWalkLines lines;
    if (count.lastClose >= 0) {
        const auto [start, numbers] = spanAfter(count.closeBefore);
        const auto close = static_cast<std::size_t>(count.lastClose);
        // The car as it stands in the draw; only cars "01".."10" reach a count.
        const std::uint16_t bit = carBits_[close];
        const unsigned car = bit == 1 ? 10 : static_cast<unsigned>(std::countr_zero(bit));
        const char drawn[2] = {static_cast<char>('0' + car / 10),
                               static_cast<char>('0' + car % 10)};
        lines.closed =
            ClosedPlanLine(variant_->title, start, span_, count.lastClose - count.closeBefore,
                           numbers, std::string_view(drawn, 2), count.lastHit);
    }
    const auto [start, numbers] = spanAfter(count.lastClose);
    lines.open = OpenPlanLine(variant_->title, start, span_, numbers);
    return lines;
}

void CountingWalk::LeaveEndState(const WalkCount& count, DrawHistory& history,
                                 PlanState& state) const {
    history.cursor = 0;  // every walk from a prepared cursor ends at draw 0
    state.scratch.SeedPeriod = seedPeriod_;
    state.scratch.DrawDigits = draws_.empty() ? seedDigits_ : newestDigits_;
    state.scratch.PlanSeed =
        count.lastClose < 0 ? seed_ : reseeds_[static_cast<std::size_t>(count.lastClose)];
    state.scratch.WorkLineCount = count.lineCount;
    state.scratch.HitCount = 0;
}

}  // namespace pk10
