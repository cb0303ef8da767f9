// The test helper that runs programs as child processes, checked with /bin/sh.

#include "support/ChildProcess.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;

ChildProcess Shell(const std::string& script, ChildOptions options = {}) {
    options.args.insert(options.args.begin(), {"-c", script, "sh"});
    return ChildProcess("/bin/sh", options);
}

TEST(ChildProcess, PassesArgumentsEnvironmentAndWorkingDirectory) {
    TempDir dir;
    setenv("PK10_CHILD_DROPPED", "x", 1);
    ChildOptions options;
    options.args = {"first arg", "second"};
    options.setEnv = {{"PK10_CHILD_VALUE", "a b=c"}};
    options.unsetEnv = {"PK10_CHILD_DROPPED"};
    options.workDir = dir.path();
    auto child = Shell(
        "echo \"$1|$2\"; echo \"$PK10_CHILD_VALUE\"; echo \"${PK10_CHILD_DROPPED-unset}\"; pwd; "
        "echo oops >&2; exit 3",
        options);
    EXPECT_EQ(child.ReadLine(10s).value_or("?"), "first arg|second");
    EXPECT_EQ(child.ReadLine(10s).value_or("?"), "a b=c");
    EXPECT_EQ(child.ReadLine(10s).value_or("?"), "unset");
    EXPECT_EQ(child.ReadLine(10s).value_or("?"), std::filesystem::canonical(dir.path()).string());
    const auto status = child.Wait(10s);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(status->ExitedWith(3)) << *status;
    EXPECT_EQ(child.Stderr(), "oops\n");
    EXPECT_FALSE(child.ReadLine(100ms).has_value()) << "no line after the end";
}

TEST(ChildProcess, ReadsLinesWithCrLfAndALastLineWithoutLineFeed) {
    auto child = Shell("printf 'one\\r\\ntwo\\nthree'");
    EXPECT_EQ(child.ReadLine(10s).value_or("?"), "one");
    EXPECT_EQ(child.ReadLine(10s).value_or("?"), "two");
    EXPECT_EQ(child.ReadLine(10s).value_or("?"), "three");
    EXPECT_FALSE(child.ReadLine(1s).has_value());
    ASSERT_TRUE(child.Wait(10s).has_value());
    EXPECT_EQ(child.Stdout(), "one\r\ntwo\nthree");
}

TEST(ChildProcess, FindsALineAmongOthers) {
    auto child = Shell("echo a; echo b; echo 'the marker line'; echo c");
    EXPECT_EQ(child.ReadLineContaining("marker", 10s).value_or("?"), "the marker line");
    EXPECT_EQ(child.ReadLine(10s).value_or("?"), "c");
}

TEST(ChildProcess, ReadLineTimesOutWhileTheChildIsSilent) {
    auto child = Shell("exec sleep 30");
    EXPECT_FALSE(child.ReadLine(100ms).has_value());
    EXPECT_TRUE(child.Running());
    EXPECT_FALSE(child.Wait(100ms).has_value());
    const auto status = child.Stop(SIGTERM, 10s);
    ASSERT_TRUE(status.has_value());
    EXPECT_FALSE(status->exited);
    EXPECT_EQ(status->signal, SIGTERM);
    EXPECT_FALSE(child.Running());
    EXPECT_FALSE(child.Signal(SIGTERM)) << "a reaped child takes no signal";
}

TEST(ChildProcess, WaitReturnsWhenALeftBehindProcessKeepsTheOutputOpen) {
    auto child = Shell("sleep 3 & echo bye");
    const auto status = child.Wait(10s);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(status->ExitedWith(0)) << *status;
    EXPECT_EQ(child.Stdout(), "bye\n");
}

TEST(ChildProcess, ABigOutputDoesNotBlockTheChild) {
    // Far more than a pipe holds, with nobody reading lines meanwhile.
    auto child = Shell("head -c 3000000 /dev/zero | tr '\\000' x; echo; echo done >&2");
    const auto status = child.Wait(30s);
    ASSERT_TRUE(status.has_value()) << "the child blocked on its output";
    EXPECT_TRUE(status->ExitedWith(0)) << *status;
    EXPECT_EQ(child.Stdout().size(), 3000001u);
    EXPECT_EQ(child.Stderr(), "done\n");
}

TEST(ChildProcess, TheDestructorEndsARunningChild) {
    pid_t pid = 0;
    {
        auto child = Shell("sleep 30");
        pid = child.pid();
        ASSERT_EQ(kill(pid, 0), 0);
    }
    EXPECT_NE(kill(pid, 0), 0) << "child " << pid << " outlived its object";
}

TEST(ChildProcess, AMissingProgramThrows) {
    EXPECT_THROW(ChildProcess("/nonexistent/program"), std::runtime_error);
    ChildOptions options;
    options.workDir = "/nonexistent/dir";
    EXPECT_THROW(ChildProcess("/bin/sh", options), std::runtime_error);
}

}  // namespace
}  // namespace pk10::test
