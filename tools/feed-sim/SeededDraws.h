#pragma once
// Random car orders from a seed: the order of the k-th draw depends on the seed
// and k alone (a Mersenne Twister seeded from both, Fisher-Yates shuffle with
// unbiased picks), so a given seed gives the same draws on every run and machine.

#include "DrawSource.h"

namespace feedsim {

class SeededDraws : public DrawSource {
  public:
    explicit SeededDraws(std::uint64_t seed) : seed_(seed) {}
    CarOrder CarsOf(std::uint64_t k) const override;

  private:
    std::uint64_t seed_;
};

}  // namespace feedsim
