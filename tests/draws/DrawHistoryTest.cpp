#include "draws/DrawHistory.h"

#include <gtest/gtest.h>

#include "DrawsTestSupport.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

DrawHistory HistoryOf(const std::vector<std::string>& draws) {
    DrawHistory history;
    FillHistory(history, draws);
    return history;
}

TEST(DrawListing, ShowsTheOldestOfTheKSlotsFirstAndEmptySlotsAsEmptyLines) {
    const auto draws = test::Draws(10);
    const DrawHistory history = HistoryOf(draws);
    std::string expected;
    for (int i = 0; i < 10; ++i) {
        expected += "\r\n";
    }
    for (int i = 9; i >= 0; --i) {
        expected += draws[static_cast<std::size_t>(i)] + "\r\n";
    }
    EXPECT_EQ(DrawListing(history, 20), expected);
    EXPECT_EQ(DrawListing(history, 1), draws[0] + "\r\n");
    EXPECT_EQ(DrawListing(history, 0), "");
    EXPECT_EQ(DrawListing(DrawHistory{}, 3), "\r\n\r\n\r\n");
}

TEST(ExportNewestDraw, WritesExactlyTheNewestLineOverWhatWasThere) {
    test::TempDir dir;
    const auto file = dir / "data1.txt";
    {
        std::ofstream old(file);
        old << "an older and much longer content\nwith two lines\n";
    }
    const auto draws = test::Draws(3);
    EXPECT_TRUE(ExportNewestDraw(HistoryOf(draws), file));
    EXPECT_EQ(test::ReadFile(file), draws[0]);
    EXPECT_TRUE(ExportNewestDraw(DrawHistory{}, file));
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(test::ReadFile(file), "");
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ExportNewestDraw, AnUnwritableTargetGivesTheTraceLineAndChangesNothing) {
    test::TempDir dir;
    // Tests run as root, so a directory in the file's place stands for "not writable".
    const auto file = dir / "data1.txt";
    std::filesystem::create_directory(file);
    const DrawHistory history = HistoryOf(test::Draws(2));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(ExportNewestDraw(history, file));
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(trace.rfind("Can't open file " + file.string() + ",error=", 0), 0U) << trace;
    EXPECT_EQ(trace.back(), '\n');
    EXPECT_TRUE(std::filesystem::is_directory(file));
    // No temporary file is left behind: the folder holds only the folder data1.txt.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace pk10
