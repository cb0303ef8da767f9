#include "StopSignalWatcher.h"

#include <pthread.h>
#include <signal.h>

namespace feedsim {
namespace {

// SIGUSR1 only wakes the watcher when it is being closed.
sigset_t WatchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGUSR1);
    return set;
}

}  // namespace

StopSignalWatcher::StopSignalWatcher(std::function<void()> onStop) : onStop_(std::move(onStop)) {
    const sigset_t set = WatchedSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    thread_ = std::thread([this, set] {
        for (;;) {
            int signal = 0;
            if (sigwait(&set, &signal) != 0) {
                continue;
            }
            if (signal == SIGUSR1) {
                if (closing_) {
                    return;
                }
                continue;
            }
            signalled_ = true;
            onStop_();
            return;
        }
    });
}

StopSignalWatcher::~StopSignalWatcher() {
    closing_ = true;
    if (!signalled_) {
        pthread_kill(thread_.native_handle(), SIGUSR1);
    }
    thread_.join();
}

}  // namespace feedsim
