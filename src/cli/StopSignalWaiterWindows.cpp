#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "cli/StopSignalWaiter.h"

namespace pk10 {
namespace {

// How long the handler of a closing console keeps Windows from ending the
// process while the program stops (Windows itself waits about 5 s).
constexpr auto kCloseGrace = std::chrono::milliseconds(4500);

// The signals that arrived and are not yet delivered.
struct SignalQueue {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<int> pending;
    bool closing = false;
};

// A console control handler gets no pointer of ours, so the queue of the
// waiter that receives the events sits in this one process-wide slot; one
// waiter lives at a time (main() makes it).
struct ActiveWaiter {
    std::mutex mutex;
    std::condition_variable gone;
    SignalQueue* queue = nullptr;
};

ActiveWaiter& Active() {
    static ActiveWaiter active;
    return active;
}

BOOL WINAPI OnConsoleControl(DWORD event) {
    ActiveWaiter& active = Active();
    std::unique_lock lock(active.mutex);
    if (active.queue == nullptr) {
        return FALSE;  // the next handler: Windows' own, which ends the process
    }
    {
        std::lock_guard queueLock(active.queue->mutex);
        active.queue->pending.push_back(event == CTRL_C_EVENT ? SIGINT : SIGTERM);
    }
    active.queue->arrived.notify_one();
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        // Windows ends the process when this returns: let the program stop first.
        active.gone.wait_for(lock, kCloseGrace, [&active] { return active.queue == nullptr; });
    }
    return TRUE;
}

}  // namespace

struct StopSignalWaiter::Platform {
    SignalQueue queue;
    std::thread thread;
};

StopSignalWaiter::StopSignalWaiter(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal)), platform_(std::make_unique<Platform>()) {
    SignalQueue& queue = platform_->queue;
    platform_->thread = std::thread([this, &queue] {
        std::unique_lock lock(queue.mutex);
        for (;;) {
            queue.arrived.wait(lock, [&queue] { return queue.closing || !queue.pending.empty(); });
            if (queue.closing) {
                return;
            }
            const int signal = queue.pending.front();
            queue.pending.pop_front();
            lock.unlock();
            Deliver(signal);
            lock.lock();
        }
    });
    ActiveWaiter& active = Active();
    std::lock_guard lock(active.mutex);
    active.queue = &queue;
    SetConsoleCtrlHandler(&OnConsoleControl, TRUE);
}

StopSignalWaiter::~StopSignalWaiter() {
    ActiveWaiter& active = Active();
    {
        std::lock_guard lock(active.mutex);
        SetConsoleCtrlHandler(&OnConsoleControl, FALSE);
        active.queue = nullptr;
    }
    active.gone.notify_all();
    SignalQueue& queue = platform_->queue;
    {
        std::lock_guard lock(queue.mutex);
        queue.closing = true;
    }
    queue.arrived.notify_one();
    platform_->thread.join();
}

std::thread ThreadWithoutSignals(std::function<void()> body) {
    return std::thread(std::move(body));
}

}  // namespace pk10
