// The JSON events of the headless run: one object per line, and what the
// "plans" event reads from the books.

#include "app/JsonEventShell.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "io/IsoLocalTime.h"

namespace pk10 {
namespace {

using nlohmann::json;

const auto kMoment = std::chrono::system_clock::from_time_t(1394370317);

std::vector<json> Events(const std::string& out) {
    std::vector<json> events;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        events.push_back(json::parse(line));  // throws on a line that is not JSON
    }
    return events;
}

TEST(JsonEventShell, EveryEventIsOneLineLedByTypeAndTime) {
    std::ostringstream out;
    JsonEventShell shell(out, {1}, [] { return kMoment; });
    shell.ShowPlanText("\r\n正在连接服务器，请稍等片刻！！");
    shell.ShowDrawListing("512040 03 01 02 04 05 06 07 08 09 10\r\n", true);
    shell.ShowCountFields("6", "3");
    shell.ShowMessage("升级", "新版本\r\n\xff");
    shell.OpenUrl("http://promo.example/");
    shell.NavigateBanner("http://maker.example/add/pk10add.html");
    shell.ReportError("Can't open file data1.txt,error=21");
    shell.OnDrawMerged("512041 03 01 02 04 05 06 07 08 09 10");
    shell.OnPlansRecomputed(BySlot<PlanBook>{});
    shell.ShowPlanStatistics(ReportOfBooks(BySlot<PlanBook>{}));

    shell.FinishOutput();
    const std::vector<json> events = Events(out.str());
    const std::vector<std::string> types = {"message", "open",  "banner", "error",
                                            "draw",    "plans", "stats"};
    ASSERT_EQ(events.size(), types.size()) << out.str();
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(out.str().find("{\"type\":\"" + types[i] + "\",\"time\":\"" +
                                 IsoLocalTime(kMoment) + "\","),
                  out.str().find("{\"type\":\"" + types[i]))
            << types[i];
    }
    EXPECT_EQ(events[0]["text"], "新版本\n\uFFFD");
    EXPECT_EQ(events[1]["url"], "http://promo.example/");
    EXPECT_EQ(events[3]["text"], "Can't open file data1.txt,error=21");
    EXPECT_EQ(events[4]["period"], 512041);
    EXPECT_EQ(events[4]["cars"], json({3, 1, 2, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(events[6]["positions"][0]["position"], 1);
    EXPECT_EQ(events[6]["positions"][0]["settled"], 0);
}

TEST(JsonEventShell, PlansReadTheRunningAndSettledLinesOfTheChosenPositions) {
    BySlot<PlanBook> books;
    PlanBook& fourth = books[SlotOfPosition(4)];
    fourth[0] = "第四名计划512040-512042期<01 02 03 04 05 06 >  512041期开 03　中 ";
    fourth[1] = "第四名计划512043-512045期<01 02 03 04 05 06 >  512045期开 09　挂 ";
    fourth[2] = "第四名计划512046-512048期<01 02 03 04 05 06 >\r\n";
    fourth[4] = "garbage";
    fourth[5] = "第四名计划512049-512051期<02 04 06 08 10 01 >";

    std::ostringstream out;
    JsonEventShell shell(out, {1, 4}, [] { return kMoment; });
    shell.OnPlansRecomputed(books);
    shell.FinishOutput();
    const json plans = Events(out.str()).at(0);

    const json expected = json::parse(R"([
      {"position": 1, "title": "冠军计划", "open": null, "settled": []},
      {"position": 4, "title": "第四名计划",
       "open": {"first": 512049, "last": 512051, "numbers": [2, 4, 6, 8, 10, 1],
                "line": "第四名计划512049-512051期<02 04 06 08 10 01 >"},
       "settled": [
         {"first": 512040, "last": 512042, "numbers": [1, 2, 3, 4, 5, 6], "result": "hit",
          "close": 512041, "drawn": 3, "mark": "中",
          "line": "第四名计划512040-512042期<01 02 03 04 05 06 >  512041期开 03　中 "},
         {"first": 512043, "last": 512045, "numbers": [1, 2, 3, 4, 5, 6], "result": "miss",
          "close": 512045, "drawn": 9, "mark": "挂",
          "line": "第四名计划512043-512045期<01 02 03 04 05 06 >  512045期开 09　挂 "},
         {"first": 512046, "last": 512048, "numbers": [1, 2, 3, 4, 5, 6], "result": "passed",
          "line": "第四名计划512046-512048期<01 02 03 04 05 06 >"},
         {"result": "unreadable", "line": "garbage"}]}])");
    EXPECT_EQ(plans["positions"], expected) << plans.dump(1);
}

}  // namespace
}  // namespace pk10
