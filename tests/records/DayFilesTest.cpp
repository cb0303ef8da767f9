#include "records/DayFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "FakePlanView.h"
#include "RecordsTestSupport.h"
#include "io/PathText.h"
#include "records/GbkCodec.h"
#include "records/PlanBlock.h"
#include "support/FileErrors.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

namespace fs = std::filesystem;
using test::FakePlanView;
using test::PlanEngineRig;
using test::ReadBytes;
using test::WriteBytes;

const std::string kOpen = "冠军计划733009-733011期<01 02 >";
const std::string kOpenGbk =
    "\xb9\xda\xbe\xfc\xbc\xc6\xbb\xae"
    "733009-733011\xc6\xda<01 02 >";
const std::string kHit = "亚军计划733001-733003期<01 05 >  733003期开 05\u3000中 ";
const std::string kHitGbk =
    "\xd1\xc7\xbe\xfc\xbc\xc6\xbb\xae"
    "733001-733003\xc6\xda<01 05 >  733003\xc6\xda\xbf\xaa 05"
    "\xa1\xa1\xd6\xd0 ";

std::string Trace(const fs::path& file, int error) {
    return "Can't open file " + PathUtf8(file) + ",error=" + std::to_string(error);
}

// Position and file tag, in PositionOrder.
const struct {
    int position;
    const char* tag;
} kTags[] = {{1, "h1"}, {4, "h2"}, {5, "h3"}, {2, "h3b"}, {3, "h5b"},
             {6, "h6"}, {7, "h7"}, {8, "h8"}, {9, "h9"},  {10, "h10"}};

class DayFilesTest : public ::testing::Test {
  protected:
    DayFiles MakeFiles(CalendarDate date = {2016, 1, 5}) {
        DayFiles files([date] { return date; });
        files.SetWorkDir(dir.path());
        return files;
    }
    fs::path FileOf(int position, const std::string& date = "20160105") const {
        return dir.path() / "data" /
               (date + std::string(DayFileTag(SlotOfPosition(position))) + ".txt");
    }
    // The start-up stages of the per-day files.
    void StartDay(DayFiles& files, PlanEngineRig& rig) {
        files.PrepareDayFiles(rig.engine, view);
        files.LoadDayFiles(rig.state.books);
    }
    PlanBook& BookOf(PlanEngineRig& rig, int position) {
        return rig.state.books[SlotOfPosition(position)];
    }

    test::TempDir dir;
    FakePlanView view;
};

TEST_F(DayFilesTest, NamesTenFilesFromTheDateAndTheTags) {
    PlanEngineRig rig(0);
    DayFiles files = MakeFiles();
    ASSERT_FALSE(fs::exists(dir.path() / "data"));
    files.PrepareDayFiles(rig.engine, view);
    EXPECT_TRUE(fs::is_directory(dir.path() / "data"));
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const auto& expected = kTags[slot - 1];
        ASSERT_EQ(PositionOfSlot(slot), expected.position);
        EXPECT_EQ(files.files()[slot].tag, expected.tag) << "slot " << slot;
        EXPECT_EQ(files.files()[slot].path,
                  dir.path() / "data" / ("20160105" + std::string(expected.tag) + ".txt"))
            << "slot " << slot;
        EXPECT_TRUE(files.files()[slot].fresh) << "slot " << slot;
    }
}

TEST_F(DayFilesTest, PreparingSetsTheStartupSelectionAndEmptiesEveryBook) {
    PlanEngineRig rig(0);
    view.Select({2, 7});
    rig.state.scratch.WorkBook[17] = "scratch";
    for (PlanBook& book : rig.state.books) {
        book[0] = "old<";
        book[399] = "old";
    }
    DayFiles files = MakeFiles();
    files.PrepareDayFiles(rig.engine, view);
    EXPECT_EQ(view.events,
              (std::vector<std::string>{"check 1 on", "check 4 off", "check 5 off", "check 2 off",
                                        "check 3 off", "modes classic=0 smart=1"}));
    EXPECT_TRUE(view.IsPositionChecked(7)) << "Positions 6 to 10 are left as they are";
    EXPECT_EQ(rig.state.scratch.WorkBook, PlanBook{});
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_EQ(rig.state.books[slot], PlanBook{}) << "slot " << slot;
    }
}

TEST_F(DayFilesTest, OnlyPositionsWhoseFileRestoresSomethingAreNotMadeAfresh) {
    fs::create_directories(dir.path() / "data");
    WriteBytes(FileOf(3), kOpenGbk + "<br>");  // a sound file
    WriteBytes(FileOf(1), "");                 // an empty file
    fs::create_directories(FileOf(2));         // a folder of that name
    std::error_code noLinks;                   // Windows makes links only for the privileged
    fs::create_symlink(dir.path() / "nowhere", FileOf(7), noLinks);  // a dangling link
    WriteBytes(FileOf(9), "no separator");                           // damaged beyond use
    WriteBytes(FileOf(4), "<br>");                                   // no plan line (server down)
    WriteBytes(FileOf(5), "  <br>\r\n<br>");                         // blank entries only
    PlanEngineRig rig;
    DayFiles files = MakeFiles();
    testing::internal::CaptureStderr();
    files.PrepareDayFiles(rig.engine, view);
    std::vector<std::string> traces{Trace(FileOf(2), test::kErrorIsAFolder)};
    if (!noLinks) {
        traces.push_back(Trace(FileOf(7), test::kErrorNoSuchFile));
    }
    EXPECT_EQ(test::Lines(testing::internal::GetCapturedStderr()), traces);
    for (int position = 1; position <= 10; ++position) {
        const PlanBook& book = BookOf(rig, position);
        EXPECT_EQ(files.files()[SlotOfPosition(position)].fresh, position != 3)
            << "Position " << position;
        if (position == 3) {
            EXPECT_EQ(book, PlanBook{}) << "read back later, by LoadDayFiles";
            continue;
        }
        EXPECT_TRUE(book[0].empty()) << "Position " << position;
        for (int slot = 1; slot <= 5; ++slot) {
            EXPECT_NE(book[static_cast<std::size_t>(slot)].find('<'), std::string::npos)
                << "Position " << position << " slot " << slot;
        }
        EXPECT_EQ(book[5].find("期开"), std::string::npos) << "slot 5 holds the open plan";
        EXPECT_TRUE(book[6].empty()) << "Position " << position;
    }
}

TEST_F(DayFilesTest, FileIsThePlanBlockInGbkNewestFirst) {
    PlanEngineRig rig(0);
    DayFiles files = MakeFiles();
    files.PrepareDayFiles(rig.engine, view);
    PlanBook& book = BookOf(rig, 2);
    book[1] = kHit + "\r\n";
    book[2] = kOpen;
    files.WriteDayFiles(rig.state.books);
    EXPECT_EQ(ReadBytes(FileOf(2)), kOpenGbk + "<br>" + kHitGbk + "\r\n<br><br>");
    EXPECT_FALSE(fs::exists(FileOf(2).string() + ".tmp"));
}

TEST_F(DayFilesTest, TextThatGbkCannotHoldIsWrittenAsQuestionMarks) {
    PlanEngineRig rig(0);
    DayFiles files = MakeFiles();
    files.PrepareDayFiles(rig.engine, view);
    PlanBook& book = BookOf(rig, 1);
    book[0] =
        "a\xff"
        "b<";
    book[1] = "x😀<";
    book[2] = kOpen;
    files.WriteDayFiles(rig.state.books);
    EXPECT_EQ(ReadBytes(FileOf(1)), kOpenGbk + "<br>x?<<br>a?b<<br>");
}

std::string Repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

// Books without plan lines, or with one only in slot 0 or past slot 255: every
// Position but 1 always writes slot 0.
TEST_F(DayFilesTest, SlotZeroRulePerPosition) {
    const struct {
        const char* name;
        std::vector<std::pair<int, std::string>> slots;
        std::string positionOne;
        std::string others;
    } cases[] = {
        {"empty book", {}, "", "<br>"},
        {"slot 0 without a plan line", {{0, "note"}, {1, "<bracket first"}}, "", "note<br>"},
        {"plan line only in slot 0", {{0, "x<"}}, "x<<br>", "x<<br>"},
        {"plan line past slot 255", {{0, "note"}, {256, kOpen}, {399, kOpen}}, "", "note<br>"},
        {"plan line in slot 255",
         {{0, "a<"}, {255, "z<"}, {300, "y<"}},
         "z<<br>" + Repeat("<br>", 254) + "a<<br>",
         "z<<br>" + Repeat("<br>", 254) + "a<<br>"},
    };
    for (const auto& c : cases) {
        PlanEngineRig rig(0);
        DayFiles files = MakeFiles();
        files.PrepareDayFiles(rig.engine, view);
        for (PlanBook& book : rig.state.books) {
            for (const auto& [slot, text] : c.slots) {
                book[static_cast<std::size_t>(slot)] = text;
            }
        }
        files.WriteDayFiles(rig.state.books);
        for (int position = 1; position <= 10; ++position) {
            EXPECT_EQ(ReadBytes(FileOf(position)), position == 1 ? c.positionOne : c.others)
                << c.name << ", Position " << position;
        }
    }
}

// Books of every shape the engine leaves: passed plans ending with CR LF, empty
// slots and texts that are not plan lines between plan lines, a full 256 slots.
BySlot<PlanBook> VariedBooks() {
    BySlot<PlanBook> books;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        PlanBook& book = books[slot];
        book[0] = slot % 2 == 0 ? "note of slot 0" : "";
        const int top = slot == kSlotCount ? 255 : 3 + slot;
        for (int i = 1; i < top; ++i) {
            book[static_cast<std::size_t>(i)] = kHit + std::to_string(i);
        }
        book[2] += "\r\n";
        book[3] = "";
        book[4] = "<not a plan line";
        book[5] = "a bare\nline feed<";
        book[static_cast<std::size_t>(top)] = kOpen;
    }
    return books;
}

TEST_F(DayFilesTest, EveryBookRoundTripsThroughItsFile) {
    const BySlot<PlanBook> written = VariedBooks();
    std::vector<std::string> bytes;
    {
        PlanEngineRig rig(0);
        DayFiles files = MakeFiles();
        StartDay(files, rig);
        files.WriteDayFiles(written);
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            bytes.push_back(ReadBytes(files.files()[slot].path));
        }
    }
    PlanEngineRig rig(0);
    DayFiles files = MakeFiles();
    StartDay(files, rig);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_FALSE(files.files()[slot].fresh) << "slot " << slot;
        EXPECT_EQ(rig.state.books[slot], written[slot]) << "slot " << slot;
    }
    files.WriteDayFiles(rig.state.books);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_EQ(ReadBytes(files.files()[slot].path), bytes[static_cast<std::size_t>(slot - 1)])
            << "slot " << slot;
    }
}

TEST_F(DayFilesTest, SecondStartOnTheSameDayRestoresEveryBook) {
    BySlot<PlanBook> firstBooks;
    {
        PlanEngineRig rig;
        DayFiles files = MakeFiles();
        StartDay(files, rig);
        for (PlanBook& book : rig.state.books) {
            ASSERT_FALSE(book[5].empty());
            book[5] += "\r\n";  // passed unsettled, then a new running line
            book[6] = kOpen;
        }
        files.WriteDayFiles(rig.state.books);
        firstBooks = rig.state.books;
    }
    // Another multiplier: a plan made afresh would differ from the saved one.
    PlanEngineRig rig(30, 7);
    for (PlanBook& book : rig.state.books) {
        book[9] = "left from before";
    }
    DayFiles files = MakeFiles();
    StartDay(files, rig);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_FALSE(files.files()[slot].fresh) << "slot " << slot;
        EXPECT_EQ(rig.state.books[slot], firstBooks[slot]) << "slot " << slot;
    }
}

TEST_F(DayFilesTest, DeletingOneFileRemakesOnlyThatPosition) {
    BySlot<PlanBook> firstBooks;
    {
        PlanEngineRig rig;
        DayFiles files = MakeFiles();
        StartDay(files, rig);
        files.WriteDayFiles(rig.state.books);
        firstBooks = rig.state.books;
    }
    fs::remove(FileOf(3));
    PlanEngineRig remade(30, 7);
    remade.engine.RefreshPositionBook(3);

    PlanEngineRig rig(30, 7);
    DayFiles files = MakeFiles();
    StartDay(files, rig);
    for (int position = 1; position <= 10; ++position) {
        const int slot = SlotOfPosition(position);
        EXPECT_EQ(files.files()[slot].fresh, position == 3) << "Position " << position;
        EXPECT_EQ(rig.state.books[slot],
                  position == 3 ? remade.state.books[slot] : firstBooks[slot])
            << "Position " << position;
    }
}

TEST_F(DayFilesTest, MissingDataDirectoryIsCreatedAgainWhenWriting) {
    PlanEngineRig rig;
    DayFiles files = MakeFiles();
    StartDay(files, rig);
    fs::remove_all(dir.path() / "data");
    files.WriteDayFiles(rig.state.books);
    for (int position = 1; position <= 10; ++position) {
        EXPECT_TRUE(fs::is_regular_file(FileOf(position))) << "Position " << position;
    }
}

TEST_F(DayFilesTest, DataThatIsAFileGivesOneTraceLinePerFileAndTheRunGoesOn) {
    WriteBytes(dir.path() / "data", "not a folder");
    PlanEngineRig rig;
    DayFiles files = MakeFiles();
    testing::internal::CaptureStderr();
    StartDay(files, rig);
    files.WriteDayFiles(rig.state.books);
    const std::vector<std::string> traces = test::Lines(testing::internal::GetCapturedStderr());

    std::vector<std::string> expected;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        EXPECT_TRUE(files.files()[slot].fresh) << "slot " << slot;
        EXPECT_FALSE(rig.state.books[slot][5].empty()) << "plans are still made, slot " << slot;
        expected.push_back(Trace(files.files()[slot].path, test::kErrorNotAFolder));
    }
    EXPECT_EQ(traces, expected);
    EXPECT_EQ(ReadBytes(dir.path() / "data"), "not a folder");
}

TEST_F(DayFilesTest, DayFileThatIsAFolderIsTracedAndTheOthersAreHandled) {
    fs::create_directories(FileOf(2));
    BySlot<PlanBook> firstBooks;
    {
        PlanEngineRig rig;
        DayFiles files = MakeFiles();
        testing::internal::CaptureStderr();
        StartDay(files, rig);
        files.WriteDayFiles(rig.state.books);
        EXPECT_EQ(test::Lines(testing::internal::GetCapturedStderr()),
                  (std::vector<std::string>{Trace(FileOf(2), test::kErrorIsAFolder),
                                            Trace(FileOf(2), test::kErrorIsAFolder)}));
        EXPECT_NE(BookOf(rig, 2)[5].find('<'), std::string::npos)
            << "restores nothing, so made afresh";
        firstBooks = rig.state.books;
    }
    // A second start restores every other book and makes Position 2's again.
    PlanEngineRig rig(30, 7);
    DayFiles files = MakeFiles();
    testing::internal::CaptureStderr();
    StartDay(files, rig);
    EXPECT_EQ(test::Lines(testing::internal::GetCapturedStderr()),
              std::vector<std::string>{Trace(FileOf(2), test::kErrorIsAFolder)});
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (PositionOfSlot(slot) != 2) {
            EXPECT_EQ(rig.state.books[slot], firstBooks[slot]) << "slot " << slot;
        }
    }
    EXPECT_NE(BookOf(rig, 2)[5].find('<'), std::string::npos);
    EXPECT_TRUE(fs::is_directory(FileOf(2)));
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.path() / "data")) {
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }
}

std::string EntriesNewestFirst(const std::vector<std::string>& newestFirst) {
    std::string bytes;
    for (const std::string& entry : newestFirst) {
        bytes += entry + "<br>";
    }
    return bytes;
}

TEST_F(DayFilesTest, DamagedFilesLoadWhatIsSound) {
    // 500 short plan lines, newest first: "E499<" ... "E0<".
    std::vector<std::string> many;
    for (int i = 499; i >= 0; --i) {
        many.push_back("E" + std::to_string(i) + "<");
    }
    std::vector<std::string> newest256(many.begin(), many.begin() + 256);
    // Over 2 MB of 100-byte entries: only the start of the file is read.
    std::vector<std::string> huge;
    for (int i = 0; i < 21000; ++i) {
        huge.push_back("L" + std::to_string(i) + std::string(95, '<'));
    }
    const std::vector<std::string> hugeNewest(huge.begin(), huge.begin() + 256);
    const std::string junk(3 << 20, '\xff');

    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> newestFirst;  // what the book holds, newest first
    } cases[] = {
        {"empty file", "", {}},
        {"no separator", "text with no separator", {}},
        {"text after the last separator", kOpenGbk + "<br><br>\r\n", {kOpen, ""}},
        {"entry that is not GBK", "b<<br>\xff\xfe<br>a<<br>", {"b<", "a<"}},
        {"character cut off by a separator", "\xb9<br>x<<br>", {"x<"}},
        {"more than 400 entries", EntriesNewestFirst(many), newest256},
        {"huge file", EntriesNewestFirst(huge), hugeNewest},
        {"megabytes of junk", junk, {}},
        {"junk after a sound entry", "a<<br>" + junk + "<br>", {"a<"}},
        {"many entries that are not GBK", "a<<br>" + Repeat("\xff<br>", 300000), {"a<"}},
    };
    for (const auto& c : cases) {
        fs::create_directories(dir.path() / "data");
        WriteBytes(FileOf(1), c.bytes);
        PlanEngineRig rig(0);
        DayFiles files = MakeFiles();
        StartDay(files, rig);
        PlanBook expected;
        for (std::size_t i = 0; i < c.newestFirst.size(); ++i) {
            expected[c.newestFirst.size() - 1 - i] = c.newestFirst[i];
        }
        EXPECT_EQ(BookOf(rig, 1), expected) << c.name;
        files.WriteDayFiles(rig.state.books);
        EXPECT_EQ(ReadBytes(FileOf(1)), *Utf8ToGbk(PlanBlock(expected, false))) << c.name;
        fs::remove_all(dir.path() / "data");
    }
}

}  // namespace
}  // namespace pk10

namespace pk10 {
namespace {

// Midnight passes: the new day's files are made as a start-up would make them
// (a file a second run left for that day is read back, the others begin
// afresh), and the previous day's files stay as they were.
TEST_F(DayFilesTest, RollingOverStartsTheNewDayAndLeavesThePreviousOne) {
    CalendarDate today{2016, 1, 5};
    DayFiles files([&today] { return today; });
    files.SetWorkDir(dir.path());
    PlanEngineRig rig;
    StartDay(files, rig);
    EXPECT_FALSE(files.RollOverToToday(rig.engine)) << "the same day";
    for (PlanBook& book : rig.state.books) {
        book[6] = kOpen;
    }
    files.WriteDayFiles(rig.state.books);
    const std::string yesterday = ReadBytes(FileOf(2));
    WriteBytes(FileOf(2, "20160106"), EntriesNewestFirst({kOpenGbk, kHitGbk}));
    view.events.clear();

    today = {2016, 1, 6};
    ASSERT_TRUE(files.RollOverToToday(rig.engine));
    PlanEngineRig fresh;
    for (int position = 1; position <= 10; ++position) {
        fresh.engine.RefreshPositionBook(position);
    }
    EXPECT_EQ(files.dateText(), "20160106");
    for (int position = 1; position <= 10; ++position) {
        const int slot = SlotOfPosition(position);
        EXPECT_EQ(files.files()[slot].path, FileOf(position, "20160106"));
        if (position == 2) {
            EXPECT_EQ(BookOf(rig, 2)[0], kHit);
            EXPECT_EQ(BookOf(rig, 2)[1], kOpen);
            EXPECT_EQ(BookOf(rig, 2)[2], "");
        } else {
            EXPECT_EQ(rig.state.books[slot], fresh.state.books[slot]) << "Position " << position;
        }
    }
    files.WriteDayFiles(rig.state.books);
    EXPECT_EQ(ReadBytes(FileOf(2)), yesterday);
    EXPECT_TRUE(view.events.empty()) << "the user's selection and modes stay";
}

}  // namespace
}  // namespace pk10
