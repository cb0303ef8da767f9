#pragma once
// The refresh worker: one thread that runs every piece of refresh work strictly
// one at a time, in the order it was queued, plus the refresh clock that queues
// a poll every period.
//
// The clock: the first tick comes `period` after Start(), then one every
// `period` (ticks keep their schedule; they do not drift with the work). A tick
// queues one poll, unless a poll is already queued or running at that moment,
// in which case the tick is skipped. A tick that falls while other work runs
// queues its poll behind the work queued before the tick.
//
// Stop() sets the abort flag (hand AbortFlag() to long transfers so they end
// early), drops the queued work, waits for the running piece to return and
// joins the thread. After Stop() no work runs and nothing more is queued.
//
// Thread safety: Start(), Post(), Stop(), the counters and AbortFlag() may be
// called from any thread. Stop() called from inside a piece of work only marks
// the worker stopped (the thread cannot join itself); the destructor, or a Stop()
// from another thread, joins it.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace pk10 {

class RefreshWorker {
  public:
    using Clock = std::chrono::steady_clock;
    using Work = std::function<void()>;

    // `poll` is the work each tick queues. `period` is the time between ticks.
    RefreshWorker(Work poll, std::chrono::milliseconds period);
    RefreshWorker(const RefreshWorker&) = delete;
    RefreshWorker& operator=(const RefreshWorker&) = delete;
    ~RefreshWorker();  // Stop()

    // Starts the thread and the clock. Only the first call counts; no call after Stop().
    void Start();
    // Queues `work` behind what is already queued; false (and nothing queued) once
    // stopping has begun. Work may be queued before Start(); it runs after it.
    bool Post(Work work);
    // Aborts, drops queued work, waits for the running piece and joins.
    void Stop();

    // True once Stop() has begun.
    bool Stopping() const { return abort_.load(); }
    // Set when Stop() begins; FetchOptions::abort points here.
    const std::atomic<bool>& AbortFlag() const { return abort_; }

    // Counters of the clock: ticks that queued a poll, ticks skipped because a
    // poll was queued or running, and polls that have finished running.
    std::uint64_t TicksQueued() const;
    std::uint64_t TicksSkipped() const;
    std::uint64_t PollsRun() const;

  private:
    struct Item {
        Work work;
        bool isPoll = false;
        Clock::time_point queuedAt;
    };

    void Run();
    // Runs one piece of work; an exception it throws is reported, not propagated.
    static void RunGuarded(const Work& work);
    // Settles every tick that is due by `now`: queues its poll or skips it.
    void SettleTicks(Clock::time_point now);

    const Work poll_;
    const Clock::duration period_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Item> queue_;
    bool started_ = false;
    Clock::time_point nextTick_{};
    // The span of the poll that ran last, to skip ticks that fell inside it.
    Clock::time_point lastPollStart_{};
    Clock::time_point lastPollEnd_{};
    std::uint64_t ticksQueued_ = 0;
    std::uint64_t ticksSkipped_ = 0;
    std::uint64_t pollsRun_ = 0;

    std::atomic<bool> abort_{false};
    std::mutex joinMutex_;
    std::thread thread_;
};

}  // namespace pk10
