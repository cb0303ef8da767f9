#include "app/RefreshWorker.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <utility>

namespace pk10 {

RefreshWorker::RefreshWorker(Work poll, std::chrono::milliseconds period)
    : poll_(std::move(poll)), period_(std::max(period, std::chrono::milliseconds(1))) {}

RefreshWorker::~RefreshWorker() {
    Stop();
}

void RefreshWorker::Start() {
    std::lock_guard lock(mutex_);
    if (started_ || abort_.load()) {
        return;
    }
    started_ = true;
    nextTick_ = Clock::now() + period_;
    thread_ = std::thread([this] { Run(); });
}

bool RefreshWorker::Post(Work work) {
    {
        std::lock_guard lock(mutex_);
        if (abort_.load()) {
            return false;
        }
        queue_.push_back(Item{std::move(work), false, Clock::now()});
    }
    wake_.notify_one();
    return true;
}

void RefreshWorker::Stop() {
    {
        std::lock_guard lock(mutex_);
        abort_.store(true);
        queue_.clear();
    }
    wake_.notify_all();
    std::lock_guard joinLock(joinMutex_);
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) {
        thread_.join();
    }
}

std::uint64_t RefreshWorker::TicksQueued() const {
    std::lock_guard lock(mutex_);
    return ticksQueued_;
}

std::uint64_t RefreshWorker::TicksSkipped() const {
    std::lock_guard lock(mutex_);
    return ticksSkipped_;
}

std::uint64_t RefreshWorker::PollsRun() const {
    std::lock_guard lock(mutex_);
    return pollsRun_;
}

void RefreshWorker::SettleTicks(Clock::time_point now) {
    while (nextTick_ <= now) {
        const Clock::time_point tick = nextTick_;
        nextTick_ += period_;
        const bool pollWasRunning = lastPollStart_ <= tick && tick <= lastPollEnd_;
        // Work queued after the tick stays behind its poll.
        const auto behind = std::find_if(queue_.begin(), queue_.end(),
                                         [tick](const Item& item) { return item.queuedAt > tick; });
        const bool pollWasQueued =
            std::any_of(queue_.begin(), behind, [](const Item& item) { return item.isPoll; });
        if (pollWasRunning || pollWasQueued) {
            ++ticksSkipped_;
            continue;
        }
        queue_.insert(behind, Item{poll_, true, tick});
        ++ticksQueued_;
    }
}

void RefreshWorker::RunGuarded(const Work& work) {
    if (!work) {
        return;
    }
    // A piece of work that throws must not take the worker, and with it every
    // later refresh, down: report it and go on with the next piece.
    try {
        work();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pk10plan: refresh work failed: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "pk10plan: refresh work failed\n");
    }
}

void RefreshWorker::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (abort_.load()) {
            return;
        }
        SettleTicks(Clock::now());
        if (queue_.empty()) {
            wake_.wait_until(lock, nextTick_);
            continue;
        }
        Item item = std::move(queue_.front());
        queue_.pop_front();
        const Clock::time_point started = Clock::now();
        lock.unlock();
        RunGuarded(item.work);
        lock.lock();
        if (item.isPoll) {
            lastPollStart_ = started;
            lastPollEnd_ = Clock::now();
            ++pollsRun_;
        }
    }
}

}  // namespace pk10
