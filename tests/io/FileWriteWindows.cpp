// Whole-file writes on Windows: UTF-16 paths, and a reader holding the old file
// open while the new one is moved over it.

#include <windows.h>
// windows.h spells ReplaceFileW "ReplaceFile"; pk10::ReplaceFile is ours.
#undef ReplaceFile

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "io/FileWrite.h"
#include "io/PathText.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Holds `file` open the way an editor or a virus scanner may: reading, others
// allowed to read, but neither to delete nor to rename it.
class HeldOpen {
  public:
    explicit HeldOpen(const fs::path& file)
        : handle_(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() { Release(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

  private:
    HANDLE handle_;
};

TEST(WriteFileAtomicallyOnWindows, WritesIntoAFolderWithAChineseName) {
    test::TempDir dir;
    const fs::path folder = dir.path() / PathFromUtf8("张三的数据");
    fs::create_directories(folder);
    const fs::path file = folder / "data1.txt";
    ASSERT_TRUE(WriteFileAtomically(file, "466281 08 07\r\n"));
    ASSERT_TRUE(WriteFileAtomically(file, "466282 01 02\r\n"));
    EXPECT_EQ(Read(file), "466282 01 02\r\n");
    EXPECT_EQ(EntriesIn(folder), 1U) << "no temporary file left";
    EXPECT_EQ(FileErrorText(file, 5), "Can't open file " + PathUtf8(file) + ",error=5");
}

TEST(WriteFileAtomicallyOnWindows, AReaderThatLetsGoSoonDoesNotStopTheWrite) {
    test::TempDir dir;
    const fs::path file = dir / "data1.txt";
    ASSERT_TRUE(WriteFileAtomically(file, "old"));
    HeldOpen reader(file);
    ASSERT_TRUE(reader.held());
    std::thread release([&reader] {
        std::this_thread::sleep_for(150ms);
        reader.Release();
    });
    const bool written = WriteFileAtomically(file, "new");
    release.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(Read(file), "new");
    EXPECT_EQ(EntriesIn(dir.path()), 1U);
}

TEST(WriteFileAtomicallyOnWindows, AReaderThatHoldsOnLeavesTheOldFileWholeAndGivesTheTrace) {
    test::TempDir dir;
    const fs::path file = dir / "data1.txt";
    ASSERT_TRUE(WriteFileAtomically(file, "old"));
    const HeldOpen reader(file);
    ASSERT_TRUE(reader.held());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteFileAtomically(file, "new"));
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(trace.rfind("Can't open file " + PathUtf8(file) + ",error=", 0), 0U) << trace;
    EXPECT_EQ(Read(file), "old");
    EXPECT_EQ(EntriesIn(dir.path()), 1U) << "the temporary file is removed";
}

TEST(RemoveStrayTempFilesOnWindows, RemovesWhatAProcessThatHasEndedLeft) {
    test::TempDir dir;
    const std::string own = "data1.txt.tmp-" + std::to_string(GetCurrentProcessId()) + "-0000abcd";
    // Windows never gives a process an odd id.
    const std::string ended = "data1.txt.tmp-4294967-0000abcd";
    for (const std::string& name : {own, ended}) {
        std::ofstream(dir / name) << "half";
    }
    RemoveStrayTempFiles(dir.path());
    EXPECT_TRUE(fs::exists(dir / own));
    EXPECT_FALSE(fs::exists(dir / ended));
}

}  // namespace
}  // namespace pk10
