#include "io/FileWrite.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace pk10 {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What a flush to the disk found: the flushed path and what the written file
// held at that moment.
struct Flush {
    std::string path;
    std::string content;
    bool operator==(const Flush&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Flush& f) {
        return out << f.path << " while the file held \"" << f.content << "\"";
    }
};

// A crash of the machine cannot run in a test: instead every fsync of this test
// program is recorded, then carried out.
struct FlushLog {
    std::filesystem::path watched;
    std::vector<Flush> flushes;
};
FlushLog& Flushes() {
    static FlushLog log;
    return log;
}

}  // namespace
}  // namespace pk10

extern "C" int fsync(int fd) {
    using Real = int (*)(int);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "fsync"));
    pk10::FlushLog& log = pk10::Flushes();
    if (!log.watched.empty()) {
        std::error_code ec;
        const auto path = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), ec);
        log.flushes.push_back({path.string(), pk10::ReadAll(log.watched)});
    }
    return real(fd);
}

namespace pk10 {
namespace {

TEST(WriteFileAtomically, FlushesTheFileBeforeTheRenameAndTheFolderAfterIt) {
    test::TempDir dir;
    const auto file = dir / "data1.txt";
    ASSERT_TRUE(WriteFileAtomically(file, "previous"));
    Flushes().watched = file;
    EXPECT_TRUE(WriteFileAtomically(file, "newest"));
    Flushes().watched.clear();
    const std::string folder = std::filesystem::canonical(dir.path()).string();
    ASSERT_EQ(Flushes().flushes.size(), 2U);
    // The temporary file: a name of this write's own, recognisable after a crash.
    const std::regex temp(folder + "/data1\\.txt\\.tmp-" + std::to_string(::getpid()) +
                          "-[0-9a-f]{8}");
    EXPECT_TRUE(std::regex_match(Flushes().flushes[0].path, temp)) << Flushes().flushes[0].path;
    EXPECT_EQ(Flushes().flushes[0].content, "previous");
    EXPECT_EQ(Flushes().flushes[1], (Flush{folder, "newest"}));
}

TEST(WriteFileAtomically, NeverWritesThroughALinkBesideTheFile) {
    test::TempDir dir;
    const auto file = dir / "data1.txt";
    std::ofstream(dir / "victim") << "untouched";
    std::filesystem::create_symlink(dir / "victim", dir / "data1.txt.tmp");
    EXPECT_TRUE(WriteFileAtomically(file, "newest"));
    EXPECT_EQ(ReadAll(dir / "victim"), "untouched");
    EXPECT_FALSE(std::filesystem::is_symlink(file));
    EXPECT_EQ(ReadAll(file), "newest");
}

TEST(WriteFileAtomically, FailsWithTheTraceWhenTheFolderIsMissing) {
    test::TempDir dir;
    const auto file = dir / "missing" / "data1.txt";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteFileAtomically(file, "x"));
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(trace,
              "Can't open file " + file.string() + ",error=" + std::to_string(ENOENT) + "\n");
}

// A tiny tmpfs mounted over a temporary folder: a disk that fills up for real.
class FullDisk : public testing::Test {
  protected:
    void SetUp() override {
        if (::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=16k") != 0) {
            GTEST_SKIP() << "cannot mount a 16 KiB tmpfs (" << std::strerror(errno)
                         << "): the full-disk test needs root";
        }
        mounted = true;
    }
    void TearDown() override {
        if (mounted) {
            ::umount2(dir.path().c_str(), MNT_DETACH);
        }
    }

    test::TempDir dir;
    bool mounted = false;
};

TEST_F(FullDisk, LeavesThePreviousFileWholeAndGivesTheTrace) {
    const auto file = dir / "data1.txt";
    ASSERT_TRUE(WriteFileAtomically(file, "previous"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteFileAtomically(file, std::string(64 * 1024, 'x')));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Can't open file " + file.string() + ",error=" + std::to_string(ENOSPC) + "\n");
    EXPECT_EQ(ReadAll(file), "previous");
    // The temporary file is gone, so its space is free for the next write.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(WriteFileAtomically(file, std::string(8 * 1024, 'y')));
}

TEST(WriteFileAtomically, AnErrorSinkHearsTheTraceLineText) {
    struct Heard : ErrorSink {
        void ReportError(const std::string& text) override { lines.push_back(text); }
        std::vector<std::string> lines;
    } sink;
    test::TempDir dir;
    const auto file = dir / "missing" / "data1.txt";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteFileAtomically(file, "x", &sink));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), sink.lines.at(0) + "\n");
    EXPECT_EQ(sink.lines, std::vector<std::string>{FileErrorText(file, ENOENT)});
}

}  // namespace
}  // namespace pk10
