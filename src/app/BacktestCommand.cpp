#include "app/BacktestCommand.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>

#include "app/BacktestReport.h"
#include "app/BundledData.h"
#include "app/ProgressBar.h"
#include "cli/OptionTable.h"
#include "cli/StopSignalWaiter.h"
#include "draws/DrawFile.h"
#include "io/FileWrite.h"
#include "io/PathText.h"
#include "stats/StatsJson.h"

namespace pk10 {
namespace {

constexpr int kStoppedStatus = 130;
constexpr const char* kCountRange = " from 1 to 1000000000";

struct BacktestArgs {
    std::optional<std::filesystem::path> drawFile;
    DrawWindow window;
    std::optional<std::filesystem::path> csv;
    std::optional<std::filesystem::path> json;
    std::uint64_t seed = kDefaultRandomSeed;
    MoneyRules money;
    std::string error;
};

std::optional<std::uint64_t> Whole(const std::string& text, std::uint64_t low, std::uint64_t high) {
    if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != text.npos) {
        return std::nullopt;
    }
    const std::uint64_t value = std::stoull(text);
    return value >= low && value <= high ? std::optional(value) : std::nullopt;
}

// Stores a whole number from `low` to `high` in `target`; else says why not.
template <typename Number>
std::string SetWhole(const char* name, const std::string& value, std::uint64_t low,
                     std::uint64_t high, Number& target, const char* range) {
    const std::optional<std::uint64_t> number = Whole(value, low, high);
    if (!number) {
        return std::string(name) + ": '" + value + "' is not a whole number" + range;
    }
    target = static_cast<Number>(*number);
    return {};
}

// "--odds: <why>", or nothing when the reader took the value.
std::string Named(const char* name, const std::string& why) {
    return why.empty() ? why : std::string(name) + ": " + why;
}

// The command line of a backtest: --backtest itself, then the options that
// only go with it (shown indented under it in --help).
cli::OptionTable BacktestCommandLine(BacktestArgs& parsed) {
    return {
        {"--backtest", "[FILE]",
         "replay a file of draws (newest first; default: the\n"
         "bundled draws of 2014, in PK10_DATA_DIR when set) through\n"
         "the plan engine and print how its plans fared against\n"
         "chance; with it:",
         [&parsed](const std::string& v) {
             if (!v.empty()) {
                 parsed.drawFile = PathFromUtf8(v);
             }
             return std::string();
         }},
        {"--first", "N", "start at the N-th oldest draw of the file (default 1)",
         [&parsed](const std::string& v) {
             return SetWhole("--first", v, 1, 1000000000, parsed.window.first, kCountRange);
         }},
        {"--count", "N", "replay N draws (default: all from --first on)",
         [&parsed](const std::string& v) {
             return SetWhole("--count", v, 1, 1000000000, parsed.window.count, kCountRange);
         }},
        {"--csv", "FILE", "write every settled plan to FILE",
         [&parsed](const std::string& v) {
             parsed.csv = PathFromUtf8(v);
             return std::string();
         }},
        {"--json", "FILE", "write the summary to FILE",
         [&parsed](const std::string& v) {
             parsed.json = PathFromUtf8(v);
             return std::string();
         }},
        {"--seed", "N", "seed of the random plans (default 20140101)",
         [&parsed](const std::string& v) {
             return SetWhole("--seed", v, 0, UINT64_MAX >> 1, parsed.seed, "");
         }},
        {"--odds", "X",
         "what one unit staked on a car returns when it hits,\nstake included (default 9.8)",
         [&parsed](const std::string& v) {
             return Named("--odds", ReadOdds(v, parsed.money.odds));
         }},
        {"--stakes", "A,B,C",
         "units staked on each number in the 1st, 2nd and 3rd\nperiod of a plan (default 1,1,1)",
         [&parsed](const std::string& v) {
             return Named("--stakes", ReadStakes(v, parsed.money.stakes));
         }},
        {"--bankroll", "N", "starting money in units: report the period of ruin",
         [&parsed](const std::string& v) {
             std::int64_t bankroll = 0;
             const std::string why = Named("--bankroll", ReadBankroll(v, bankroll));
             if (why.empty()) {
                 parsed.money.bankroll = bankroll;
             }
             return why;
         }},
    };
}

BacktestArgs Parse(const std::vector<std::string>& args) {
    BacktestArgs parsed;
    parsed.error = cli::ParseOptions(args, BacktestCommandLine(parsed));
    if (!parsed.error.empty()) {
        parsed.error += " with --backtest (see --help)";
    }
    return parsed;
}

// Writes `text` to `file` through a temporary file and a rename, so an
// interrupted or failed write leaves the previous file whole; the reason when
// it cannot.
std::optional<std::string> WriteText(const std::filesystem::path& file, const std::string& text) {
    if (const int error = ReplaceFile(file, text); error != 0) {
        return "cannot write " + PathUtf8(file) + ": " + FileErrorReason(error);
    }
    return std::nullopt;
}

}  // namespace

std::string BacktestOptionsHelp(std::size_t column) {
    BacktestArgs unused;
    const cli::OptionTable table = BacktestCommandLine(unused);
    return cli::OptionsHelp({table.front()}, column) +
           cli::OptionsHelp({table.begin() + 1, table.end()}, column, "    ");
}

bool IsBacktestCommand(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--backtest" || arg.rfind("--backtest=", 0) == 0) {
            return true;
        }
    }
    return false;
}

int RunBacktestCommand(const std::vector<std::string>& args, const EnvironmentLookup& environment,
                       std::ostream& out, std::ostream& err, bool progressBar) {
    const BacktestArgs parsed = Parse(args);
    if (!parsed.error.empty()) {
        err << "pk10plan: " << parsed.error << '\n';
        return 2;
    }
    const std::filesystem::path file = parsed.drawFile.value_or(
        BundledDataDir(environment, RunningExecutable()) / kBundledDrawFile);
    const DrawFileReading draws = ReadDrawFile(file, parsed.window);
    if (!draws.error.empty()) {
        err << "pk10plan: " << draws.error << '\n';
        return 2;
    }

    std::atomic<bool> stop{false};
    ProgressBar bar(err, progressBar, "draws");
    BacktestOptions options;
    options.randomSeed = parsed.seed;
    options.cancel = &stop;
    options.progress = [&bar](const BacktestProgress& progress) {
        bar.Update(progress.merged, progress.toMerge);
    };
    const auto started = std::chrono::steady_clock::now();
    BacktestResult result;
    {
        // Only while the replay runs: a signal stops it, the figures so far are printed.
        StopSignalWaiter signals([&stop](int) { stop = true; });
        result = RunBacktest(draws.newestFirst, options);
    }
    bar.Clear();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    out << BacktestTables(result, PathUtf8(file), parsed.money);
    char timing[96];
    std::snprintf(timing, sizeof timing, "\nReplayed in %.1f s (%.0f draws/s).\n", seconds,
                  seconds > 0 ? result.progress.merged / seconds : 0.0);
    out << timing << std::flush;

    int status = result.partial ? kStoppedStatus : 0;
    const std::pair<const std::optional<std::filesystem::path>*, std::string> outputs[] = {
        {&parsed.csv, parsed.csv ? SettledPlansCsv(result.plans, parsed.money) : std::string()},
        {&parsed.json,
         parsed.json ? BacktestJson(result, parsed.money).dump(2) + "\n" : std::string()}};
    for (const auto& [target, text] : outputs) {
        if (*target) {
            if (const std::optional<std::string> failure = WriteText(**target, text)) {
                err << "pk10plan: " << *failure << '\n';
                status = status == 0 ? 1 : status;
            }
        }
    }
    return status;
}

}  // namespace pk10
