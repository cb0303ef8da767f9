#include "plan/CountingWalk.h"

#include <array>

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

constexpr std::array<std::uint8_t, 1024> kBitCount = [] {
    std::array<std::uint8_t, 1024> counts{};
    for (unsigned i = 1; i < counts.size(); ++i) {
        counts[i] = static_cast<std::uint8_t>(counts[i / 2] + (i & 1u));
    }
    return counts;
}();

// The mask bits of the two decimal digits of 0..99: low digit first.
struct DigitPair {
    std::uint16_t low;
    std::uint16_t high;
};
constexpr std::array<DigitPair, 100> kDigitPairs = [] {
    std::array<DigitPair, 100> pairs{};
    for (unsigned i = 0; i < pairs.size(); ++i) {
        pairs[i] = DigitPair{DigitBit(i % 10), DigitBit(i / 10)};
    }
    return pairs;
}();

// Running state of "the first n distinct digits": `seen` holds every digit so
// far, `kept` the largest prefix set that still has at most n digits. Because
// the count of distinct digits grows by at most one per digit, `kept` is exactly
// the set of the first n distinct digits (or all of them when there are fewer).
struct FirstDistinct {
    std::uint32_t seen = 0;
    std::uint32_t kept = 0;
    std::uint32_t n = 0;

    // Once n distinct digits are kept, no later digit can change the set.
    bool Full() const { return kBitCount[kept] >= n; }

    void Add(std::uint32_t bit) {
        seen |= bit;
        kept = kBitCount[seen] <= n ? seen : kept;
    }

    // The decimal digits of the product's magnitude, most significant first (a
    // "-" sign is dropped by the derivation anyway).
    void AddProduct(std::uint32_t product) {
        std::uint32_t value = (product & 0x80000000u) != 0 ? 0u - product : product;
        std::uint16_t bits[10];
        int length = 0;
        while (value >= 100) {
            const std::uint32_t rest = value / 100;
            const DigitPair& pair = kDigitPairs[value - rest * 100];
            bits[length++] = pair.low;
            bits[length++] = pair.high;
            value = rest;
        }
        const DigitPair& top = kDigitPairs[value];
        bits[length++] = top.low;
        if (value >= 10) {
            bits[length++] = top.high;
        }
        while (length > 0) {
            Add(bits[--length]);
        }
    }
};

// The first n distinct digits of the product(s) as a set; empty when n <= 0.
std::uint16_t ProductDigitSet(bool twin, std::uint32_t factor314, std::uint32_t factor618,
                              std::uint32_t multiplier, std::int32_t n) {
    if (n <= 0) {
        return 0;
    }
    FirstDistinct digits;
    digits.n = static_cast<std::uint32_t>(n);
    digits.AddProduct(factor314 * multiplier);
    if (twin && !digits.Full()) {
        digits.AddProduct(factor618 * multiplier);
    }
    return static_cast<std::uint16_t>(digits.kept);
}

std::size_t ViewIndex(DigitView view) {
    return view == DigitView::FirstSeven ? 0 : 1;
}

}  // namespace

ProductSetRows::ProductSetRows(const DrawHistory& history, std::int32_t size) : size_(size) {
    if (history.oldest >= 0 && history.oldest < kHistorySlots) {
        // The seed that PrepareWalk takes from the oldest draw.
        const std::string& oldest = history.lines[static_cast<std::size_t>(history.oldest)];
        const auto seed = static_cast<std::uint32_t>(DecimalValue(SeedDigitsOf(oldest)));
        seed314_ = seed * kSingleFactor;
        seed618_ = seed * kTwinFactor;
    }
    for (std::int32_t i = history.oldest - 2; i >= 0 && i < kWalkSlots; --i) {
        const std::string& line = history.walkLines[static_cast<std::size_t>(i)];
        for (DigitView view : {DigitView::FirstSeven, DigitView::AllTen}) {
            const auto reseed = static_cast<std::uint32_t>(DecimalValue(DrawDigitsOf(line, view)));
            reseed314_[ViewIndex(view)].push_back(reseed * kSingleFactor);
            reseed618_[ViewIndex(view)].push_back(reseed * kTwinFactor);
        }
        ++drawCount_;
    }
}

const std::uint16_t* ProductSetRows::Row(DigitView view, PlanForm form, std::int32_t m) {
    if (m < 0 || m >= kMultipliers) {
        return nullptr;
    }
    const std::size_t v = ViewIndex(view);
    const bool twin = form == PlanForm::Twin;
    Table& table = tables_[v * 2 + (twin ? 1 : 0)];
    if (table.filled.empty()) {
        table.filled.assign(kMultipliers, 0);
        table.sets.resize(static_cast<std::size_t>(kMultipliers) * drawCount_);
    }
    const auto at = static_cast<std::size_t>(m);
    std::uint16_t* row = table.sets.data() + at * drawCount_;
    if (table.filled[at] == 0) {
        for (std::size_t e = 0; e < drawCount_; ++e) {
            row[e] = ProductDigitSet(twin, reseed314_[v][e], reseed618_[v][e],
                                     static_cast<std::uint32_t>(m), size_);
        }
        table.filled[at] = 1;
    }
    return row;
}

std::optional<std::uint16_t> ProductSetRows::FirstSet(PlanForm form, std::int32_t m,
                                                      std::uint32_t seed314) {
    if (m < 0 || m >= kMultipliers || seed314 != seed314_) {
        return std::nullopt;
    }
    const bool twin = form == PlanForm::Twin;
    Table& table = firstTables_[twin ? 1 : 0];
    if (table.filled.empty()) {
        table.filled.assign(kMultipliers, 0);
        table.sets.resize(kMultipliers);
    }
    const auto at = static_cast<std::size_t>(m);
    if (table.filled[at] == 0) {
        table.sets[at] =
            ProductDigitSet(twin, seed314_, seed618_, static_cast<std::uint32_t>(m), size_);
        table.filled[at] = 1;
    }
    return table.sets[at];
}

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
    walk.seedDigits_ = SeedDigitsOf(history.lines[at]);
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
    // character of the filler stands for car 10. Filler characters are distinct;
    // a digit the product already gave is skipped.
    const std::string filler =
        UniqueChars(WithoutChar(state.FillerDigits[SlotOfPosition(position)], '-'));
    for (std::uint32_t productSet = 0; productSet < walk.completed_.size(); ++productSet) {
        std::uint32_t numbers = productSet;
        std::int32_t count = kBitCount[productSet];
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
        walk.completed_[productSet] = static_cast<std::uint16_t>(numbers);
    }
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
        result.lastClose = e;
        examined = 0;
        numbers = laterSet(e);
    }
    return result;
}

WalkCount CountingWalk::Count(std::int32_t multiplier, ProductSetRows* rows) const {
    const auto m = static_cast<std::uint32_t>(multiplier);
    std::optional<std::uint16_t> firstSet;
    const std::uint16_t* row = nullptr;
    if (rows != nullptr && rows->size() == size_ && rows->drawCount() == draws_.size()) {
        firstSet = rows->FirstSet(variant_->firstForm, multiplier, first314_);
        row = rows->Row(variant_->view, variant_->laterForm, multiplier);
    }
    const std::uint16_t first =
        firstSet ? completed_[*firstSet]
                 : Derive(variant_->firstForm == PlanForm::Twin, first314_, first618_, m);
    if (row != nullptr) {
        return CountWith(first, [&](int e) { return completed_[row[e]]; });
    }
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
