#include "app/OutputWriter.h"

#include <thread>
#include <utility>

#include "cli/StopSignalWaiter.h"

namespace pk10 {

OutputWriter::OutputWriter(std::ostream& out, std::size_t maxPending, Clock::duration grace)
    : maxPending_(maxPending), grace_(grace) {
    // The thread takes no signal: a stop signal meant for the program's own
    // waiter must not end the process through this thread's default handling.
    ThreadWithoutSignals([state = state_, &out] { Run(state, out); }).detach();
}

OutputWriter::~OutputWriter() {
    Finish();
    std::unique_lock lock(state_->mutex);
    state_->closing = true;
    state_->changed.notify_all();
    // An idle thread sees `closing` and ends; wait for that so the stream is no
    // longer used. One stuck in a write keeps its share of the state and is left behind.
    if (state_->Idle()) {
        state_->changed.wait(lock, [this] { return state_->done; });
    }
}

void OutputWriter::Write(std::string text) {
    std::unique_lock lock(state_->mutex);
    state_->changed.wait(
        lock, [this] { return state_->stopWaiting || state_->pendingBytes <= maxPending_; });
    state_->pendingBytes += text.size();
    state_->queue.push_back(std::move(text));
    state_->changed.notify_all();
}

void OutputWriter::StopWaiting() {
    std::lock_guard lock(state_->mutex);
    if (!state_->stopWaiting) {
        state_->stopWaiting = true;
        state_->stopDeadline = Clock::now() + grace_;
    }
    state_->changed.notify_all();
}

bool OutputWriter::Finish() {
    std::unique_lock lock(state_->mutex);
    state_->changed.wait(lock, [this] { return state_->Idle() || state_->stopWaiting; });
    if (!state_->Idle()) {
        state_->changed.wait_until(lock, state_->stopDeadline, [this] { return state_->Idle(); });
    }
    return state_->Idle();
}

void OutputWriter::Run(const std::shared_ptr<State>& state, std::ostream& out) {
    std::unique_lock lock(state->mutex);
    for (;;) {
        state->changed.wait(lock, [&] { return state->closing || !state->queue.empty(); });
        if (state->queue.empty()) {
            break;
        }
        std::string text = std::move(state->queue.front());
        state->queue.pop_front();
        state->writing = true;
        lock.unlock();
        out << text;
        out.flush();
        lock.lock();
        state->writing = false;
        state->pendingBytes -= text.size();
        state->changed.notify_all();
    }
    state->done = true;
    state->changed.notify_all();
}

}  // namespace pk10
