// A stop of the real headless run while its standard output is a pipe that
// nobody reads, filled: SIGTERM still ends the process, with status 0.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "e2e/Pk10Run.h"
#include "support/FeedServer.h"
#include "support/TempDir.h"

extern char** environ;

namespace pk10 {
namespace {

using namespace std::chrono_literals;

// Whether a thread of process `pid` is blocked in write() to its standard
// output (the kernel lists the system call a thread is in: 1 is write).
bool BlockedWritingStdout(pid_t pid) {
    std::error_code ec;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, ec)) {
        std::ifstream in(task.path() / "syscall");
        std::string number;
        std::string fd;
        if (in >> number >> fd && number == "1" && fd == "0x1") {
            return true;
        }
    }
    return false;
}

// The exit status of `pid` once it has ended within `timeout`; -1 otherwise.
int WaitForExit(pid_t pid, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        int raw = 0;
        if (waitpid(pid, &raw, WNOHANG) == pid) {
            return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        }
        std::this_thread::sleep_for(20ms);
    }
    return -1;
}

TEST(HeadlessStop, SigtermEndsARunWhoseOutputNobodyReads) {
    for (const bool json : {false, true}) {
        test::FeedServer server;
        test::TempDir dir;
        int out[2];
        ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
        // One page: the start-up's output alone fills it.
        fcntl(out[1], F_SETPIPE_SZ, 4096);

        std::vector<std::string> args = {
            test::Pk10Binary(), "--headless",  "--positions",      "all",
            "--refresh-ms",     "100",         "--results-server", server.base(),
            "--maker-server",   server.base(), "--data-dir",       (dir / "data").string()};
        if (json) {
            args.push_back("--json");
        }
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attr, &none);
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
        close(out[1]);

        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (!BlockedWritingStdout(pid) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(20ms);
        }
        EXPECT_TRUE(BlockedWritingStdout(pid)) << "json " << json;
        kill(pid, SIGTERM);
        const int status = WaitForExit(pid, 10s);
        if (status < 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        EXPECT_EQ(status, 0) << "json " << json;
        close(out[0]);
    }
}

}  // namespace
}  // namespace pk10
