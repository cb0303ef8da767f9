// Today's ledger of settled plans in a real temporary folder: only plans that
// were running and then settled count, a restart on the same day keeps them
// (a damaged row left out), and a new day starts afresh. (A place where the
// file cannot be written is among the headless run's file faults.)

#include <gtest/gtest.h>

#include <fstream>

#include "stats/SettledPlansCsv.h"
#include "stats/TodaySettledPlans.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

const std::string kClosed = "冠军计划733001-733003期<01 02 03 04 05 06 >  733001期开 01\u3000中 ";
const std::string kRunning = "冠军计划733002-733004期<01 02 03 04 05 06 >";
const std::string kNext = "冠军计划733004-733006期<01 02 03 04 05 06 >";

// Slot 1 (Position 1) as a fresh start-up book: a closed walk line, then the running line.
BySlot<PlanBook> FreshBooks() {
    BySlot<PlanBook> books;
    books[1][1] = kClosed;
    books[1][2] = kRunning;
    return books;
}

// The running line hit at 733003, then the next one.
void SettleRunning(BySlot<PlanBook>& books) {
    books[1][2] += "  733003期开 02\u3000中 ";
    books[1][3] = kNext;
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(TodaySettledPlans, CountsOnlyPlansThatRanAndKeepsThemOverARestart) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "data");
    BySlot<PlanBook> books = FreshBooks();
    {
        TodaySettledPlans today(dir.path());
        today.NoteRunning(books);
        today.Settle("20160105", books);  // the start-up's recompute settles nothing
        EXPECT_EQ(today.Report().total.settled, 0);
        SettleRunning(books);
        today.Settle("20160105", books);
        ASSERT_EQ(today.Report().OfPosition(1).hits, 1);
        EXPECT_EQ(today.today().plans[0].closePeriod, 733003);
        EXPECT_EQ(today.today().plans[0].PeriodIndex(), 2);
    }
    const std::filesystem::path file = dir / "data" / "20160105settled.csv";
    EXPECT_EQ(ReadAll(file), SettledPlansCsv({*ReadSettledLine(books[1][2], 1)}));

    // A restart on the same day, with a damaged row added to the file.
    std::ofstream(file, std::ios::app) << "1,733004,garbage\n";
    TodaySettledPlans restarted(dir.path());
    restarted.NoteRunning(books);
    restarted.Settle("20160105", books);
    EXPECT_EQ(restarted.Report().OfPosition(1).settled, 1);
    EXPECT_EQ(restarted.Report().total.hits, 1);

    // Midnight: the next day starts empty, in a file of its own.
    restarted.Settle("20160106", books);
    EXPECT_EQ(restarted.Report().total.settled, 0);
    EXPECT_EQ(ReadAll(dir / "data" / "20160106settled.csv"), SettledPlansCsv({}));
}

}  // namespace
}  // namespace pk10
