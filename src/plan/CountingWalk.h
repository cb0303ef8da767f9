#pragma once
// A walk that only counts hits, for the multiplier search.
//
// Everything a walk reads that does not depend on the multiplier is computed
// once per history: the car each examined draw brings at the Position, the
// seed of the span that would start after it (already multiplied by 314 and
// 618), and what the filler digits add to any set of product digits. A number
// set is a 10-bit mask indexed by the car's last digit (car 10 is bit 0), built
// from the product's digits without any text. The counts, and the state a walk
// leaves behind, are exactly those of PlanEngine::WalkPositionPlan.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "draws/DrawHistory.h"
#include "plan/PlanState.h"
#include "plan/WalkVariant.h"

namespace pk10 {

// What a walk reads from one draw line: its period and, per digit view, the
// digits without spaces (as DrawDigitsOf gives them) and their value.
struct DrawReading {
    std::int32_t period = 0;
    std::array<std::array<char, 30>, 2> digits{};  // by view: first seven, all ten
    std::array<std::size_t, 2> length{};
    std::array<std::int32_t, 2> value{};

    static DrawReading Of(std::string_view line);
    std::string_view Digits(DigitView view) const;
    std::int32_t Value(DigitView view) const;
};

// Readings kept by line text, so a line is read once while it stays in the history.
class DrawReadings {
  public:
    const DrawReading& Of(const std::string& line);

  private:
    std::unordered_map<std::string, DrawReading> readings_;
};

struct WalkCount {
    std::int32_t hits = 0;
    int lastClose = -1;          // index into the examined draws of the last close; -1 for none
    int closeBefore = -1;        // the close before it; -1 for none
    bool lastHit = false;        // whether the last close was a hit
    std::int32_t lineCount = 0;  // lines the line-writing walk would have written
};

// The lines of a walk that its callers read: the latest closed span's (empty
// when no span closed) and the open span's.
struct LastWalkLines {
    std::string closed;
    std::string open;
};

class CountingWalk {
  public:
    // For every set of distinct product digits (fewer than the plan size, or
    // exactly that many), the number set after the filler has been taken into
    // account.
    using Completion = std::array<std::uint16_t, 1024>;
    static Completion CompletionOf(std::string_view filler, std::int32_t size);

    // Nothing when the counting walk cannot stand in for the line-writing one:
    // an unknown Position, fewer than two draws, or an examined draw whose
    // number at the Position is not a car "01".."10" (the line-writing walk's
    // substring test then differs from set membership).
    // `completion`, when given, is CompletionOf the Position's filler and `size`;
    // `readings`, when given, keeps the lines read.
    static std::optional<CountingWalk> Build(const DrawHistory& history, const PlanState& state,
                                             int position, std::int32_t span, std::int32_t size,
                                             const Completion* completion = nullptr,
                                             DrawReadings* readings = nullptr);

    // The walk's count for one multiplier.
    WalkCount Count(std::int32_t multiplier) const;

    // The last two lines the line-writing walk with `multiplier` writes, made
    // from its count and the Position's filler digits.
    LastWalkLines LastLines(const WalkCount& count, std::int32_t multiplier,
                            std::string_view filler) const;

    // Leaves the cursor, seed, digits and line count as the line-writing walk
    // with that multiplier would have left them (after its PrepareWalk).
    void LeaveEndState(const WalkCount& count, DrawHistory& history, PlanState& state) const;

    // What the search over many multipliers needs: the variant, the seed of
    // the first span, each examined draw's re-seed (oldest first) and car.
    const WalkVariant& variant() const { return *variant_; }
    std::int32_t span() const { return span_; }
    std::int32_t size() const { return size_; }
    std::int32_t firstSeed() const { return seed_; }
    const std::vector<std::int32_t>& reseeds() const { return reseeds_; }
    const std::vector<std::uint16_t>& carBits() const { return carBits_; }
    // A set of product digits completed from the Position's filler.
    std::uint16_t Completed(std::uint16_t productSet) const { return completed_[productSet]; }

  private:
    struct Draw {
        std::uint16_t carBit;     // the car at the Position, as a mask bit
        std::uint32_t reseed314;  // re-seed * 314
        std::uint32_t reseed618;  // re-seed * 618
    };
    // The number set of a derivation: the first `size_` distinct digits of the
    // product(s), completed from the filler.
    std::uint16_t Derive(bool twin, std::uint32_t factor314, std::uint32_t factor618,
                         std::uint32_t multiplier) const;
    template <class LaterSet>
    WalkCount CountWith(std::uint16_t firstNumbers, LaterSet laterSet) const;

    const WalkVariant* variant_ = nullptr;
    std::int32_t span_ = 0;
    std::int32_t size_ = 0;
    std::vector<Draw> draws_;  // examined draws, oldest first
    Completion completed_{};
    std::vector<std::int32_t> reseeds_;
    std::vector<std::uint16_t> carBits_;
    std::vector<std::int32_t> periods_;  // each examined draw's stored period
    std::uint32_t first314_ = 0;
    std::uint32_t first618_ = 0;
    // What PrepareWalk leaves, and the digits of the newest examined draw.
    std::int32_t seed_ = 0;
    std::int32_t seedPeriod_ = 0;
    std::string seedDigits_;
    std::string newestDigits_;
};

}  // namespace pk10
