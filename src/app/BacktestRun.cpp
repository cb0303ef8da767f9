#include "app/BacktestRun.h"

#include <utility>

namespace pk10 {

BacktestRun::~BacktestRun() {
    Join();
}

void BacktestRun::Start(std::filesystem::path file, DrawWindow window, Progress progress,
                        Done done) {
    Join();
    cancel_ = false;
    thread_ = std::jthread([this, file = std::move(file), window, progress = std::move(progress),
                            done = std::move(done)] {
        BacktestOutcome outcome;
        const DrawFileReading draws = ReadDrawFile(file, window);
        if (!draws.error.empty()) {
            outcome.error = draws.error;
        } else {
            BacktestOptions options;
            options.progress = [&progress, last = std::chrono::steady_clock::time_point{}](
                                   const BacktestProgress& step) mutable {
                const auto now = std::chrono::steady_clock::now();
                if (step.merged > 0 && step.merged < step.toMerge &&
                    now - last < kProgressInterval) {
                    return;
                }
                last = now;
                progress(step);
            };
            options.cancel = &cancel_;
            outcome.result = RunBacktest(draws.newestFirst, options);
        }
        done(std::move(outcome));
    });
}

void BacktestRun::Cancel() {
    cancel_ = true;
}

void BacktestRun::Join() {
    Cancel();
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace pk10
