#pragma once
// Replays recorded draws: the file lists them newest first; they are published
// oldest first, and after the newest one the replay starts again from the oldest.

#include <string>
#include <vector>

#include "DrawSource.h"

namespace feedsim {

class ReplayDraws : public DrawSource {
  public:
    // `oldestFirst` must not be empty.
    explicit ReplayDraws(std::vector<CarOrder> oldestFirst);
    CarOrder CarsOf(std::uint64_t k) const override;
    std::size_t size() const { return cars_.size(); }

  private:
    std::vector<CarOrder> cars_;
};

struct LoadedDraws {
    std::vector<CarOrder> oldestFirst;
    std::string error;  // empty on success
};

// Reads a draws file: one draw line per line, newest first; lines starting with
// '#' and blank lines are skipped, a CR before the LF is allowed. Any other line
// that is not a well-formed draw line, an unreadable file or a file without a
// draw gives an error naming the file (and the line).
LoadedDraws LoadDrawsFile(const std::string& path);

}  // namespace feedsim
