#pragma once
// A program started as a child process, for tests that run real executables
// (feed-sim, pk10plan).
//
// The child gets the given arguments, the test's environment with the given
// changes, the given working directory and /dev/null as standard input. Its
// standard output and standard error are drained by a thread of this object from
// the start, so the child never blocks on a full pipe; the test reads stdout line
// by line with a time-out or takes everything collected so far. The destructor
// kills (SIGKILL) a child that is still running and reaps it.
//
// One object belongs to one test thread; its members are not meant to be called
// from several threads at once.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace pk10::test {

// How a child ended: through exit() with `code`, or by `signal`.
struct ExitStatus {
    bool exited = false;
    int code = -1;
    int signal = 0;

    bool ExitedWith(int expected) const { return exited && code == expected; }
    std::string Describe() const {
        return exited ? "exit status " + std::to_string(code)
                      : "signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
    }
};

inline std::ostream& operator<<(std::ostream& out, const ExitStatus& status) {
    return out << status.Describe();
}

struct ChildOptions {
    std::vector<std::string> args;              // after the program name
    std::map<std::string, std::string> setEnv;  // added to, or replacing, the test's
    std::vector<std::string> unsetEnv;          // removed from the test's environment
    std::filesystem::path workDir;              // empty: the test's working directory
};

class ChildProcess {
  public:
    using Millis = std::chrono::milliseconds;

    // Starts `program` (a path; not searched in PATH). Throws std::runtime_error
    // when it cannot be started, a missing program included.
    explicit ChildProcess(const std::string& program, const ChildOptions& options = {}) {
        int out[2] = {-1, -1};
        int err[2] = {-1, -1};
        if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0 ||
            pipe2(wake_, O_CLOEXEC) != 0) {
            const int error = errno;
            CloseAll({out[0], out[1], err[0], err[1], wake_[0], wake_[1]});
            throw std::runtime_error(std::string("pipe: ") + std::strerror(error));
        }

        std::vector<std::string> argStrings{program};
        argStrings.insert(argStrings.end(), options.args.begin(), options.args.end());
        std::vector<std::string> envStrings = MakeEnvironment(options);
        std::vector<char*> argv = Pointers(argStrings);
        std::vector<char*> envp = Pointers(envStrings);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        const std::string dir = options.workDir.string();
        if (!dir.empty()) {
            posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
        }

        // The child starts with no blocked signal and default handling of the
        // signals that tests send or that a test runner may have changed.
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attr, &none);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int s : {SIGINT, SIGTERM, SIGPIPE, SIGHUP, SIGCHLD, SIGUSR1, SIGUSR2}) {
            sigaddset(&defaults, s);
        }
        posix_spawnattr_setsigdefault(&attr, &defaults);
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

        const int rc =
            posix_spawn(&pid_, program.c_str(), &actions, &attr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
        close(out[1]);
        close(err[1]);
        if (rc != 0) {
            CloseAll({out[0], err[0], wake_[0], wake_[1]});
            throw std::runtime_error("cannot start " + program + ": " + std::strerror(rc));
        }
        outFd_ = out[0];
        errFd_ = err[0];
        reader_ = std::thread([this] { Drain(); });
    }

    // Starts `program` with `args` and nothing else changed.
    ChildProcess(const std::string& program, std::vector<std::string> args)
        : ChildProcess(program, WithArgs(std::move(args))) {}

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    ~ChildProcess() {
        if (!status_) {
            kill(pid_, SIGKILL);
            int raw = 0;
            while (waitpid(pid_, &raw, 0) < 0 && errno == EINTR) {
            }
        }
        const char byte = 1;
        [[maybe_unused]] const auto written = write(wake_[1], &byte, 1);
        reader_.join();
        CloseAll({outFd_, errFd_, wake_[0], wake_[1]});
    }

    pid_t pid() const { return pid_; }

    // The next line of standard output without its "\n" (and a "\r" before it).
    // A last line without "\n" counts once the output has ended. Nothing when no
    // line came within `timeout` or the output ended.
    std::optional<std::string> ReadLine(Millis timeout) {
        std::unique_lock lock(mutex_);
        const auto ready = [this] {
            return out_.find('\n', outPos_) != std::string::npos || outEnded_;
        };
        if (!changed_.wait_for(lock, timeout, ready)) {
            return std::nullopt;
        }
        const auto end = out_.find('\n', outPos_);
        if (end == std::string::npos && outPos_ >= out_.size()) {
            return std::nullopt;
        }
        std::string line =
            out_.substr(outPos_, end == std::string::npos ? std::string::npos : end - outPos_);
        outPos_ = end == std::string::npos ? out_.size() : end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return line;
    }

    // Reads lines until one contains `text` and returns it; nothing when none
    // came within `timeout` (measured over the whole search).
    std::optional<std::string> ReadLineContaining(const std::string& text, Millis timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto left =
                std::chrono::duration_cast<Millis>(deadline - std::chrono::steady_clock::now());
            auto line = ReadLine(std::max(left, Millis(0)));
            if (!line || line->find(text) != std::string::npos) {
                return line;
            }
        }
    }

    // Sends `signal`; false when the child has already been reaped.
    bool Signal(int signal) { return !status_ && kill(pid_, signal) == 0; }

    // Waits until the child ends, then up to a second more until its output
    // pipes are drained (a process the child left behind may keep them open).
    // Nothing when it is still running after `timeout`.
    std::optional<ExitStatus> Wait(Millis timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!TryReap()) {
            if (std::chrono::steady_clock::now() >= deadline) {
                return std::nullopt;
            }
            std::this_thread::sleep_for(Millis(5));
        }
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, Millis(1000), [this] { return outEnded_ && errEnded_; });
        return status_;
    }

    // Sends `signal` and waits; a child still running after `timeout` is killed
    // and nothing is returned.
    std::optional<ExitStatus> Stop(int signal = SIGTERM, Millis timeout = Millis(10000)) {
        Signal(signal);
        auto status = Wait(timeout);
        if (!status) {
            Signal(SIGKILL);
            Wait(Millis(5000));
        }
        return status;
    }

    // False once the child has ended (it is reaped then).
    bool Running() { return !TryReap(); }

    // Everything the child wrote so far (all of it once Wait has returned).
    std::string Stdout() const {
        std::lock_guard lock(mutex_);
        return out_;
    }
    std::string Stderr() const {
        std::lock_guard lock(mutex_);
        return err_;
    }

  private:
    // Reaps the child if it has ended; true once it has.
    bool TryReap() {
        if (status_) {
            return true;
        }
        int raw = 0;
        pid_t done = -1;
        do {
            done = waitpid(pid_, &raw, WNOHANG);
        } while (done < 0 && errno == EINTR);
        if (done < 0) {
            throw std::runtime_error(std::string("waitpid: ") + std::strerror(errno));
        }
        if (done != pid_) {
            return false;
        }
        ExitStatus status;
        status.exited = WIFEXITED(raw);
        status.code = status.exited ? WEXITSTATUS(raw) : -1;
        status.signal = WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
        status_ = status;
        return true;
    }

    static ChildOptions WithArgs(std::vector<std::string> args) {
        ChildOptions options;
        options.args = std::move(args);
        return options;
    }

    static std::vector<char*> Pointers(std::vector<std::string>& strings) {
        std::vector<char*> pointers;
        for (std::string& s : strings) {
            pointers.push_back(s.data());
        }
        pointers.push_back(nullptr);
        return pointers;
    }

    static std::vector<std::string> MakeEnvironment(const ChildOptions& options) {
        std::map<std::string, std::string> env;
        for (char** entry = environ; entry && *entry; ++entry) {
            const std::string text = *entry;
            const auto eq = text.find('=');
            if (eq != std::string::npos) {
                env[text.substr(0, eq)] = text.substr(eq + 1);
            }
        }
        for (const std::string& name : options.unsetEnv) {
            env.erase(name);
        }
        for (const auto& [name, value] : options.setEnv) {
            env[name] = value;
        }
        std::vector<std::string> strings;
        for (const auto& [name, value] : env) {
            strings.push_back(name + "=" + value);
        }
        return strings;
    }

    static void CloseAll(std::initializer_list<int> fds) {
        for (int fd : fds) {
            if (fd >= 0) {
                close(fd);
            }
        }
    }

    // The reader thread: copies both pipes into the buffers until both end or
    // the destructor wakes it.
    void Drain() {
        bool outOpen = true;
        bool errOpen = true;
        char buffer[4096];
        while (outOpen || errOpen) {
            pollfd fds[3] = {{outOpen ? outFd_ : -1, POLLIN, 0},
                             {errOpen ? errFd_ : -1, POLLIN, 0},
                             {wake_[0], POLLIN, 0}};
            if (poll(fds, 3, -1) < 0) {
                if (errno == EINTR) {
                    continue;
                }
                break;
            }
            if (fds[2].revents != 0) {
                break;
            }
            for (int i = 0; i < 2; ++i) {
                if (fds[i].revents == 0) {
                    continue;
                }
                const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
                if (n < 0 && errno == EINTR) {
                    continue;
                }
                std::lock_guard lock(mutex_);
                if (n > 0) {
                    (i == 0 ? out_ : err_).append(buffer, static_cast<std::size_t>(n));
                } else {
                    (i == 0 ? outOpen : errOpen) = false;
                    (i == 0 ? outEnded_ : errEnded_) = true;
                }
                changed_.notify_all();
            }
        }
        std::lock_guard lock(mutex_);
        outEnded_ = true;
        errEnded_ = true;
        changed_.notify_all();
    }

    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    int wake_[2] = {-1, -1};
    std::thread reader_;
    std::optional<ExitStatus> status_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string out_;
    std::string err_;
    std::size_t outPos_ = 0;
    bool outEnded_ = false;
    bool errEnded_ = false;
};

}  // namespace pk10::test
