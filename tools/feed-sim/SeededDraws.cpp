#include "SeededDraws.h"

#include <random>
#include <utility>

namespace feedsim {
namespace {

// A uniform pick from 0..n-1 by rejection, free of modulo bias.
std::uint32_t UniformBelow(std::mt19937& engine, std::uint32_t n) {
    const std::uint64_t range = 1ULL << 32;
    const std::uint64_t limit = range - range % n;
    for (;;) {
        const std::uint64_t value = engine();
        if (value < limit) {
            return static_cast<std::uint32_t>(value % n);
        }
    }
}

}  // namespace

CarOrder SeededDraws::CarsOf(std::uint64_t k) const {
    std::seed_seq sequence{static_cast<std::uint32_t>(seed_),
                           static_cast<std::uint32_t>(seed_ >> 32), static_cast<std::uint32_t>(k),
                           static_cast<std::uint32_t>(k >> 32)};
    std::mt19937 engine(sequence);
    CarOrder cars{};
    for (std::size_t i = 0; i < cars.size(); ++i) {
        cars[i] = static_cast<std::uint8_t>(i + 1);
    }
    for (std::size_t i = cars.size() - 1; i > 0; --i) {
        const std::uint32_t j = UniformBelow(engine, static_cast<std::uint32_t>(i + 1));
        std::swap(cars[i], cars[j]);
    }
    return cars;
}

}  // namespace feedsim
