#pragma once
// Sharing a loop of independent tasks among a fixed number of threads.
//
// Starting and joining a thread costs tens of microseconds on an idle machine,
// and on a busy one the join can wait a whole time slice for the helper to be
// scheduled; callers share only work far larger than that.

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

namespace pk10 {

// Runs task(i) for every i < count; index i runs on thread i % threads, the
// calling thread being thread 0, so the work each thread gets is fixed.
template <class Task>
void ForEachIndex(std::size_t count, int threads, const Task& task) {
    const std::size_t stride = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::max(threads, 1)), 1, count == 0 ? 1 : count);
    auto run = [&](std::size_t from) {
        for (std::size_t i = from; i < count; i += stride) {
            task(i);
        }
    };
    std::vector<std::jthread> helpers;
    for (std::size_t t = 1; t < stride; ++t) {
        helpers.emplace_back(run, t);
    }
    run(0);
}

}  // namespace pk10
