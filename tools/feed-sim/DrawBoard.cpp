#include "DrawBoard.h"

#include <algorithm>
#include <cmath>

namespace feedsim {

DrawBoard::DrawBoard(const DrawSource& source, const BoardSettings& settings,
                     Clock::time_point start)
    : source_(source),
      settings_{settings.firstPeriod, settings.initial,
                std::max<std::size_t>(settings.keep, static_cast<std::size_t>(settings.initial)),
                settings.intervalSeconds},
      start_(start) {
    // No other thread can see the board yet, so the lock is not needed here.
    PublishLocked(static_cast<std::uint64_t>(std::max(settings_.initial, 0)));
}

std::uint32_t DrawBoard::PeriodOf(std::uint64_t k) const {
    return static_cast<std::uint32_t>((settings_.firstPeriod + k % kPeriodModulus) %
                                      kPeriodModulus);
}

void DrawBoard::PublishLocked(std::uint64_t count) {
    // Draws that would fall off the kept list at once need not be made at all.
    if (count > settings_.keep) {
        published_ += count - settings_.keep;
        count = settings_.keep;
    }
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t k = published_++;
        lines_.push_front(FormatDrawLine(PeriodOf(k), source_.CarsOf(k)));
    }
    while (lines_.size() > settings_.keep) {
        lines_.pop_back();
    }
}

BoardView DrawBoard::Read(Clock::time_point now, bool publishOne, std::size_t count) {
    std::lock_guard lock(mutex_);
    if (settings_.intervalSeconds > 0 && now > start_) {
        const double elapsed = std::chrono::duration<double>(now - start_).count();
        const auto due =
            static_cast<std::uint64_t>(std::floor(elapsed / settings_.intervalSeconds));
        if (due > clockPublished_) {
            PublishLocked(due - clockPublished_);
            clockPublished_ = due;
        }
    }
    if (publishOne) {
        PublishLocked(1);
    }
    BoardView view;
    view.published = published_;
    const std::size_t n = count == 0 ? lines_.size() : std::min(count, lines_.size());
    view.lines.assign(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(n));
    return view;
}

}  // namespace feedsim
