#include "app/BacktestCommand.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <optional>

#include "app/BacktestReport.h"
#include "app/BundledData.h"
#include "app/ProgressBar.h"
#include "app/StopSignalWaiter.h"
#include "stats/DrawFile.h"
#include "stats/StatsJson.h"

namespace pk10 {
namespace {

constexpr int kStoppedStatus = 130;

struct BacktestArgs {
    std::optional<std::filesystem::path> drawFile;
    DrawWindow window;
    std::optional<std::filesystem::path> csv;
    std::optional<std::filesystem::path> json;
    std::uint64_t seed = kDefaultRandomSeed;
    std::string error;
};

std::optional<std::uint64_t> Whole(const std::string& text, std::uint64_t low, std::uint64_t high) {
    if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != text.npos) {
        return std::nullopt;
    }
    const std::uint64_t value = std::stoull(text);
    return value >= low && value <= high ? std::optional(value) : std::nullopt;
}

BacktestArgs Parse(const std::vector<std::string>& args) {
    BacktestArgs parsed;
    for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != name.npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (name == "--backtest") {
            if (!value && i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
                value = args[++i];
            }
            if (value) {
                parsed.drawFile = *value;
            }
            continue;
        }
        const bool known = name == "--first" || name == "--count" || name == "--csv" ||
                           name == "--json" || name == "--seed";
        if (!known) {
            parsed.error = "unknown option '" + args[i] + "' with --backtest (see --help)";
            break;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                parsed.error = "option " + name + " needs a value";
                break;
            }
            value = args[++i];
        }
        if (name == "--csv" || name == "--json") {
            (name == "--csv" ? parsed.csv : parsed.json) = *value;
            continue;
        }
        const std::optional<std::uint64_t> number =
            name == "--seed" ? Whole(*value, 0, UINT64_MAX >> 1) : Whole(*value, 1, 1000000000);
        if (!number) {
            parsed.error = name + ": '" + *value + "' is not a whole number" +
                           (name == "--seed" ? "" : " from 1 to 1000000000");
        } else if (name == "--seed") {
            parsed.seed = *number;
        } else if (name == "--first") {
            parsed.window.first = *number;
        } else {
            parsed.window.count = *number;
        }
    }
    return parsed;
}

// Writes `text` to `file`; the reason when it cannot.
std::optional<std::string> WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream outFile(file, std::ios::binary | std::ios::trunc);
    if (outFile) {
        outFile << text;
        outFile.close();
    }
    if (!outFile) {
        return "cannot write " + file.string() + ": " + std::strerror(errno);
    }
    return std::nullopt;
}

}  // namespace

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

    out << BacktestTables(result, file.string());
    char timing[96];
    std::snprintf(timing, sizeof timing, "\nReplayed in %.1f s (%.0f draws/s).\n", seconds,
                  seconds > 0 ? result.progress.merged / seconds : 0.0);
    out << timing << std::flush;

    int status = result.partial ? kStoppedStatus : 0;
    const std::pair<const std::optional<std::filesystem::path>*, std::string> outputs[] = {
        {&parsed.csv, parsed.csv ? SettledPlansCsv(result.plans) : std::string()},
        {&parsed.json, parsed.json ? BacktestJson(result).dump(2) + "\n" : std::string()}};
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
