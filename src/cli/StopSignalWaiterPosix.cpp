#include "cli/StopSignalWaiter.h"

#include <pthread.h>

#include <cerrno>
#include <utility>

namespace pk10 {

StopSignalWaiter::StopSignalWaiter(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal)) {
    sigemptyset(&stopSignals_);
    sigaddset(&stopSignals_, SIGINT);
    sigaddset(&stopSignals_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals_, &previousMask_);
    thread_ = std::thread([this] { Wait(); });
}

StopSignalWaiter::~StopSignalWaiter() {
    closing_.store(true);
    // Wake the waiting thread with a signal aimed at it alone; it sees closing_
    // and ends without calling onSignal_.
    pthread_kill(thread_.native_handle(), SIGTERM);
    thread_.join();
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

void StopSignalWaiter::Wait() {
    for (;;) {
        int signal = 0;
        const int rc = sigwait(&stopSignals_, &signal);
        if (closing_.load()) {
            return;
        }
        if (rc == 0) {
            signalled_.store(true);
            if (onSignal_) {
                onSignal_(signal);
            }
        }
    }
}

}  // namespace pk10
