#pragma once
// Writes text to an output stream on a thread of its own, so that a caller never
// waits on the stream itself: a pipe nobody reads blocks only this thread.
//
// Write() queues the text and returns; it waits only while more than
// `maxPending` bytes are queued (a slow reader slows the writers down, as a
// direct write would), and never once StopWaiting() has been called. Texts are
// written whole, in the order they were queued, each followed by a flush.
//
// Finish() waits until everything queued has been written; once StopWaiting()
// has been called it waits at most `grace` after that call, so a stop is never
// held up by a reader that has gone away. The destructor joins the thread when
// it is idle and otherwise leaves it behind (detached): a thread stuck in a
// write can be neither woken nor joined. The stream must then outlive the
// process's last use of it (standard output does). The destructor first waits
// like Finish().
//
// Thread-safe: every member may be called from any thread.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

namespace pk10 {

class OutputWriter {
  public:
    using Clock = std::chrono::steady_clock;

    explicit OutputWriter(std::ostream& out, std::size_t maxPending = std::size_t{1} << 20,
                          Clock::duration grace = std::chrono::milliseconds(500));
    OutputWriter(const OutputWriter&) = delete;
    OutputWriter& operator=(const OutputWriter&) = delete;
    ~OutputWriter();

    void Write(std::string text);
    // From now on Write() never waits, and Finish() waits at most `grace` more.
    void StopWaiting();
    // True once everything queued has been written; false when the grace after
    // StopWaiting() ran out first.
    bool Finish();

  private:
    // Shared with the thread, which may outlive the writer.
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<std::string> queue;
        std::size_t pendingBytes = 0;
        bool writing = false;
        bool closing = false;
        bool stopWaiting = false;
        bool done = false;  // the thread no longer uses the stream
        Clock::time_point stopDeadline{};
        bool Idle() const { return queue.empty() && !writing; }
    };

    static void Run(const std::shared_ptr<State>& state, std::ostream& out);

    const std::size_t maxPending_;
    const Clock::duration grace_;
    const std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace pk10
