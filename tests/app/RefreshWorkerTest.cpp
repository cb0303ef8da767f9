// The refresh worker: strict one-at-a-time order, the clock and its skipped
// ticks, and a stop that aborts and drops queued work.

#include "app/RefreshWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pk10 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// What ran, in which order, and whether two pieces ever overlapped.
class Journal {
  public:
    // Wraps a piece of work so that its start and end are recorded.
    RefreshWorker::Work Piece(std::string name, std::function<void()> body = {}) {
        return [this, name, body] {
            Enter(name);
            if (body) {
                body();
            }
            Leave(name);
        };
    }

    std::vector<std::string> Events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    bool Overlapped() const { return overlapped_.load(); }

    // Waits until `count` events are recorded; false after `timeout`.
    bool WaitForEvents(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return events_.size() >= count; });
    }

  private:
    void Enter(const std::string& name) {
        if (active_.fetch_add(1) != 0) {
            overlapped_ = true;
        }
        Record("start " + name);
    }
    void Leave(const std::string& name) {
        Record("end " + name);
        active_.fetch_sub(1);
    }
    void Record(std::string event) {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(event));
        }
        changed_.notify_all();
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
    std::atomic<int> active_{0};
    std::atomic<bool> overlapped_{false};
};

// A gate that a piece of work waits at until the test opens it.
class Gate {
  public:
    void Open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        opened_.notify_all();
    }
    void Pass() {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

TEST(RefreshWorker, RunsQueuedWorkOneAtATimeInOrder) {
    Journal journal;
    RefreshWorker worker(journal.Piece("poll"), 1h);
    // Queued from several threads at once; each thread's own order must hold.
    std::vector<std::thread> posters;
    for (int t = 0; t < 4; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                worker.Post(journal.Piece(std::to_string(t) + "." + std::to_string(i),
                                          [] { std::this_thread::yield(); }));
            }
        });
    }
    worker.Start();
    for (auto& poster : posters) {
        poster.join();
    }
    ASSERT_TRUE(journal.WaitForEvents(200, 10s));
    worker.Stop();
    EXPECT_FALSE(journal.Overlapped());
    const std::vector<std::string> events = journal.Events();
    std::vector<int> nextOf(4, 0);
    for (std::size_t i = 0; i < events.size(); i += 2) {
        ASSERT_EQ(events[i].rfind("start ", 0), 0U) << events[i];
        ASSERT_EQ(events[i + 1], "end " + events[i].substr(6)) << "piece " << i / 2;
        const int thread = events[i][6] - '0';
        EXPECT_EQ(events[i].substr(8), std::to_string(nextOf[thread]++)) << events[i];
    }
}

TEST(RefreshWorker, ReplanQueuedDuringAPollRunsAfterIt) {
    Journal journal;
    Gate pollGate;
    std::promise<void> pollStarted;
    std::atomic<bool> first{true};
    RefreshWorker worker(journal.Piece("poll",
                                       [&] {
                                           if (first.exchange(false)) {
                                               pollStarted.set_value();
                                               pollGate.Pass();
                                           }
                                       }),
                         20ms);
    worker.Start();
    ASSERT_EQ(pollStarted.get_future().wait_for(10s), std::future_status::ready);
    ASSERT_TRUE(worker.Post(journal.Piece("replan")));
    pollGate.Open();
    ASSERT_TRUE(journal.WaitForEvents(4, 10s));
    worker.Stop();

    const std::vector<std::string> events = journal.Events();
    EXPECT_FALSE(journal.Overlapped());
    ASSERT_GE(events.size(), 4U);
    EXPECT_EQ(events[0], "start poll");
    EXPECT_EQ(events[1], "end poll");
    EXPECT_EQ(events[2], "start replan");
    EXPECT_EQ(events[3], "end replan");
}

TEST(RefreshWorker, NoTickBeforeTheFirstPeriod) {
    std::promise<Clock::time_point> firstPoll;
    std::atomic<bool> first{true};
    RefreshWorker worker(
        [&] {
            if (first.exchange(false)) {
                firstPoll.set_value(Clock::now());
            }
        },
        300ms);
    const Clock::time_point started = Clock::now();
    worker.Start();
    auto future = firstPoll.get_future();
    ASSERT_EQ(future.wait_for(10s), std::future_status::ready);
    EXPECT_GE(future.get() - started, 300ms);
    worker.Stop();
}

TEST(RefreshWorker, TicksDuringARunningPollAreSkipped) {
    Journal journal;
    std::atomic<int> polls{0};
    // The first poll lasts about ten periods; every tick meanwhile is skipped.
    RefreshWorker worker(journal.Piece("poll",
                                       [&] {
                                           if (polls.fetch_add(1) == 0) {
                                               std::this_thread::sleep_for(200ms);
                                           }
                                       }),
                         20ms);
    worker.Start();
    ASSERT_TRUE(journal.WaitForEvents(4, 10s));  // two polls
    worker.Stop();
    EXPECT_FALSE(journal.Overlapped());
    EXPECT_GE(worker.TicksSkipped(), 5U);
    EXPECT_EQ(worker.PollsRun(), static_cast<std::uint64_t>(polls.load()));
    EXPECT_LE(worker.PollsRun(), worker.TicksQueued());
}

TEST(RefreshWorker, ATickDuringOtherWorkQueuesOnePollBehindIt) {
    Journal journal;
    Gate longWork;
    RefreshWorker worker(journal.Piece("poll"), 20ms);
    worker.Post(journal.Piece("startup", [&] { longWork.Pass(); }));
    worker.Start();
    std::this_thread::sleep_for(150ms);  // several ticks while the start-up work runs
    worker.Post(journal.Piece("replan"));
    longWork.Open();
    ASSERT_TRUE(journal.WaitForEvents(6, 10s));
    worker.Stop();

    const std::vector<std::string> events = journal.Events();
    ASSERT_GE(events.size(), 6U);
    EXPECT_EQ(events[0], "start startup");
    EXPECT_EQ(events[1], "end startup");
    // The first tick came before the re-plan was queued, so its poll runs first.
    EXPECT_EQ(events[2], "start poll");
    EXPECT_EQ(events[4], "start replan");
    // One poll for all the ticks during the start-up work: the others were skipped.
    EXPECT_GE(worker.TicksSkipped(), 2U);
    EXPECT_FALSE(journal.Overlapped());
}

TEST(RefreshWorker, StopAbortsTheRunningPieceAndDropsQueuedWork) {
    Journal journal;
    RefreshWorker worker(journal.Piece("poll"), 1h);
    std::promise<void> running;
    // Stands for a transfer that ends only when the abort flag is set.
    worker.Post(journal.Piece("transfer", [&] {
        running.set_value();
        while (!worker.AbortFlag().load()) {
            std::this_thread::sleep_for(1ms);
        }
    }));
    for (int i = 0; i < 5; ++i) {
        worker.Post(journal.Piece("queued"));
    }
    worker.Start();
    ASSERT_EQ(running.get_future().wait_for(10s), std::future_status::ready);

    const Clock::time_point stopAt = Clock::now();
    worker.Stop();
    EXPECT_LT(Clock::now() - stopAt, 1s);
    EXPECT_TRUE(worker.Stopping());
    EXPECT_EQ(journal.Events(), (std::vector<std::string>{"start transfer", "end transfer"}));
    EXPECT_FALSE(worker.Post(journal.Piece("after stop")));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(journal.Events().size(), 2U);
}

TEST(RefreshWorker, StopBeforeStartAndTwiceIsHarmless) {
    std::atomic<int> polls{0};
    std::atomic<bool> workRan{false};
    RefreshWorker worker([&polls] { ++polls; }, 1ms);
    ASSERT_TRUE(worker.Post([&workRan] { workRan = true; }));
    worker.Stop();
    worker.Start();  // starts nothing once stopped
    EXPECT_FALSE(worker.Post([&workRan] { workRan = true; }));
    // Fifty periods: a worker that had come back to life would have polled and
    // run the work queued before Stop() by now.
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(polls.load(), 0);
    EXPECT_FALSE(workRan.load());
    worker.Stop();
    worker.Stop();
    EXPECT_EQ(worker.PollsRun(), 0U);
}

TEST(RefreshWorker, StopFromInsideAPieceOfWorkDoesNotDeadlock) {
    std::promise<void> done;
    RefreshWorker worker([] {}, 1h);
    worker.Post([&] {
        worker.Stop();
        done.set_value();
    });
    worker.Post([] { ADD_FAILURE() << "queued work ran after Stop()"; });
    worker.Start();
    ASSERT_EQ(done.get_future().wait_for(10s), std::future_status::ready);
    worker.Stop();
}

TEST(RefreshWorker, AThrowingPieceDoesNotStopTheWorker) {
    std::promise<void> after;
    RefreshWorker worker([] {}, 1h);
    worker.Post([] { throw std::runtime_error("boom"); });
    worker.Post([&] { after.set_value(); });
    worker.Start();
    EXPECT_EQ(after.get_future().wait_for(10s), std::future_status::ready);
}

}  // namespace
}  // namespace pk10
