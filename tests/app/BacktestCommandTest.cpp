// `pk10plan --backtest` on bad input: one line on standard error saying what
// and where, exit status 2, nothing printed. Its output files: replaced whole,
// or a failure that names the file and the cause, exit status 1.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/BacktestCommand.h"
#include "io/FileWrite.h"
#include "support/FileErrors.h"
#include "support/RealDraws.h"
#include "support/TempDir.h"

namespace pk10 {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

TEST(BacktestCommand, BadInputGivesOneLineAndStatusTwo) {
    const std::vector<std::string> real = test::RealDraws();
    std::vector<std::string> forty(real.begin(), real.begin() + 40);
    std::vector<std::string> gap = forty;
    gap.erase(gap.begin() + 10);  // line 10 is followed by a period two back
    std::vector<std::string> repeat = forty;
    repeat[10] = repeat[9];
    std::vector<std::string> damaged = forty;
    damaged[5] = "not a draw";

    struct Case {
        const char* name;
        std::optional<std::string> content;  // nothing: no file at all
        std::vector<std::string> options;
        std::string error;
    };
    const Case cases[] = {
        {"missing file", std::nullopt, {}, "cannot read draw file"},
        {"no draw", "# nothing here\n\n", {}, "holds no well-formed draw line"},
        {"damaged line", Lines(damaged), {}, "line 6 is not a draw line"},
        {"thirty draws", Lines({forty.begin(), forty.begin() + 30}), {}, "30 draws to replay"},
        {"window too short", Lines(forty), {"--first", "11"}, "30 draws to replay"},
        {"window past the end", Lines(forty), {"--first", "41"}, "holds 40 draws"},
        {"gap",
         Lines(gap),
         {},
         "line 10: period " + real[9].substr(0, 6) + " follows " + real[11].substr(0, 6) +
             " on line 11 (not the next period)"},
        {"repeat", Lines(repeat), {}, "(a repeat)"},
        {"bad count", Lines(forty), {"--count", "0"}, "--count: '0' is not a whole number"},
        {"unknown option", Lines(forty), {"--headless"}, "unknown option '--headless'"},
        {"odds zero", Lines(forty), {"--odds", "0"}, "--odds: '0' is not a positive number"},
        {"odds five places", Lines(forty), {"--odds", "9.80001"}, "at most four decimal places"},
        {"two stakes", Lines(forty), {"--stakes", "1,3"}, "--stakes: '1,3' is not three stakes"},
        {"stake not whole", Lines(forty), {"--stakes", "1,1.5,2"}, "stake 2 '1.5' is not"},
        {"bankroll zero", Lines(forty), {"--bankroll", "0"}, "--bankroll: '0' is not a positive"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const std::filesystem::path file = dir / "draws.txt";
        if (c.content) {
            std::ofstream(file) << *c.content;
        }
        std::vector<std::string> args = {"--backtest", file.string()};
        args.insert(args.end(), c.options.begin(), c.options.end());
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunBacktestCommand(args, nullptr, out, err, false), 2) << c.name;
        EXPECT_EQ(out.str(), "") << c.name;
        EXPECT_NE(err.str().find(c.error), std::string::npos) << c.name << ": " << err.str();
        EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << c.name << ": one line";
    }
}

TEST(BacktestCommand, OutputFilesAreReplacedNotWrittenInPlaceAndAFailureNamesItsCause) {
    const std::vector<std::string> real = test::RealDraws();
    test::TempDir dir;
    std::ofstream(dir / "draws.txt") << Lines({real.begin(), real.begin() + 40});
    // A second name of the previous csv: written in place, it would change too.
    std::ofstream(dir / "plans.csv") << "previous";
    std::filesystem::create_hard_link(dir / "plans.csv", dir / "kept.csv");
    std::filesystem::create_directory(dir / "summary.json");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunBacktestCommand(
                  {"--backtest", (dir / "draws.txt").string(), "--csv",
                   (dir / "plans.csv").string(), "--json", (dir / "summary.json").string()},
                  nullptr, out, err, false),
              1);
    EXPECT_EQ(err.str(), "pk10plan: cannot write " + (dir / "summary.json").string() + ": " +
                             FileErrorReason(test::kErrorIsAFolder) + "\n");
    std::ifstream kept(dir / "kept.csv");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "previous");
    EXPECT_GT(std::filesystem::file_size(dir / "plans.csv"), 100U);
}

TEST(BacktestCommand, MoneyOptionsReachTheTableTheJsonAndTheCsv) {
    const std::vector<std::string> real = test::RealDraws();
    test::TempDir dir;
    std::ofstream(dir / "draws.txt") << Lines({real.begin(), real.begin() + 200});
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunBacktestCommand(
                  {"--backtest", (dir / "draws.txt").string(), "--odds", "10", "--stakes", "1,3,9",
                   "--json", (dir / "s.json").string(), "--csv", (dir / "p.csv").string()},
                  nullptr, out, err, false),
              0)
        << err.str();
    EXPECT_NE(out.str().find("Money: odds 10, stakes 1,3,9"), std::string::npos) << out.str();
    std::ifstream in(dir / "s.json");
    const nlohmann::json money = nlohmann::json::parse(in)["money"];
    EXPECT_EQ(money["odds"], 10.0);
    EXPECT_EQ(money["stakes"], nlohmann::json::array({1, 3, 9}));
    EXPECT_TRUE(money["bankroll"].is_null());
    for (const char* plans : {"plans", "random_plans"}) {
        const nlohmann::json& total = money[plans]["total"];
        EXPECT_EQ(total["expected_result"], 0.0);
        EXPECT_EQ(total["result"].get<double>(),
                  total["returned"].get<double>() - total["turnover"].get<double>());
        EXPECT_TRUE(total["ruin_period"].is_null());
        EXPECT_GT(total["followed"].get<int>(), 0);
    }
    std::ifstream csv(dir / "p.csv");
    std::string header;
    std::getline(csv, header);
    EXPECT_EQ(header.substr(header.size() - 16), ",staked,returned");
}

}  // namespace
}  // namespace pk10
