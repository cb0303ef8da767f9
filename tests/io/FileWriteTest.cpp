#include "io/FileWrite.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "support/TempDir.h"

namespace pk10 {
namespace {

TEST(WriteFileAtomically, FailsWithTheTraceWhenTheFolderIsMissing) {
    test::TempDir dir;
    const auto file = dir / "missing" / "data1.txt";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteFileAtomically(file, "x"));
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(trace,
              "Can't open file " + file.string() + ",error=" + std::to_string(ENOENT) + "\n");
}

}  // namespace
}  // namespace pk10
