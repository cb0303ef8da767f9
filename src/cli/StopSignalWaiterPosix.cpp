#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <thread>
#include <utility>

#include "cli/StopSignalWaiter.h"

namespace pk10 {

struct StopSignalWaiter::Platform {
    sigset_t stopSignals{};
    sigset_t previousMask{};
    std::atomic<bool> closing{false};
    std::thread thread;
};

StopSignalWaiter::StopSignalWaiter(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal)), platform_(std::make_unique<Platform>()) {
    Platform& p = *platform_;
    sigemptyset(&p.stopSignals);
    sigaddset(&p.stopSignals, SIGINT);
    sigaddset(&p.stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &p.stopSignals, &p.previousMask);
    p.thread = std::thread([this, &p] {
        for (;;) {
            int signal = 0;
            const int rc = sigwait(&p.stopSignals, &signal);
            if (p.closing.load()) {
                return;
            }
            if (rc == 0) {
                Deliver(signal);
            }
        }
    });
}

StopSignalWaiter::~StopSignalWaiter() {
    Platform& p = *platform_;
    p.closing.store(true);
    // Wake the waiting thread with a signal aimed at it alone; it sees closing
    // and ends without calling onSignal_.
    pthread_kill(p.thread.native_handle(), SIGTERM);
    p.thread.join();
    pthread_sigmask(SIG_SETMASK, &p.previousMask, nullptr);
}

std::thread ThreadWithoutSignals(std::function<void()> body) {
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &previous);
    std::thread thread(std::move(body));
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return thread;
}

}  // namespace pk10
