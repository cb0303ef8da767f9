#pragma once
// Where the car orders of the published draws come from: the k-th draw that the
// server publishes (k = 0, 1, 2, ...) has the car order CarsOf(k), so the whole
// sequence is fixed once the source is made.

#include <cstdint>

#include "DrawText.h"

namespace feedsim {

class DrawSource {
  public:
    virtual ~DrawSource() = default;
    // The car order of the k-th published draw. Safe to call from any thread.
    virtual CarOrder CarsOf(std::uint64_t k) const = 0;
};

}  // namespace feedsim
