#include "app/ParseAppOptions.h"

#include <limits>

#include "app/BacktestCommand.h"
#include "app/PlatformFolders.h"
#include "app/PositionList.h"
#include "app/ServerSettings.h"
#include "cli/OptionTable.h"
#include "io/PathText.h"
#include "pk10plan/ProgramVersion.h"

namespace pk10 {
namespace {

// A whole number of milliseconds from 1 to INT_MAX, digits only.
std::optional<int> ParseMilliseconds(const std::string& text) {
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// Stores `value` in `target` and `from` in `source` when it is a server's
// address; else says why not.
std::string SetServer(const std::string& where, const std::string& value, std::string& target,
                      ServerSource& source, ServerSource from) {
    if (std::string problem = ServerAddressProblem(value); !problem.empty()) {
        return where + ": " + problem;
    }
    target = value;
    source = from;
    return {};
}

// Sets every flag given (the handler of an option without a value).
template <typename... Flags>
auto Raise(Flags&... flags) {
    return [&flags...](const std::string&) {
        ((flags = true), ...);
        return std::string();
    };
}

// The column where --help starts the descriptions.
constexpr std::size_t kHelpColumn = 24;

// The options of the window and headless runs.
cli::OptionTable RunOptions(AppOptions& options) {
    return {
        {"--results-server", "URL",
         "server of pk10.txt and pk10.xml\n"
         "(environment PK10_RESULTS_SERVER; see Servers)",
         [&options](const std::string& v) {
             return SetServer("--results-server", v, options.resultsServer, options.resultsSource,
                              ServerSource::kCommandLine);
         }},
        {"--maker-server", "URL",
         "server of the update check, promotional link and banner\n"
         "(environment PK10_MAKER_SERVER; see Servers)",
         [&options](const std::string& v) {
             return SetServer("--maker-server", v, options.makerServer, options.makerSource,
                              ServerSource::kCommandLine);
         }},
        {"--refresh-ms", "N", "milliseconds between two polls of the results (default 120000)",
         [&options](const std::string& v) {
             return cli::Store(ParseMilliseconds(v), options.refreshMs,
                               "--refresh-ms: '" + v +
                                   "' is not a whole number of milliseconds from 1 to 2147483647");
         }},
        {"--headless", "",
         "no window: pane updates, messages and opened addresses\n"
         "go to standard output; SIGINT or SIGTERM stops",
         Raise(options.headless)},
        {"--once", "", "headless, and stop once the start-up work is done",
         Raise(options.once, options.headless)},
        {"--positions", "LIST",
         "the Positions headless shows: 'all' or a comma-separated\n"
         "list of 1 to 10 (default 1)",
         [&options](const std::string& v) {
             return cli::Store(
                 ParsePositionList(v), options.positions,
                 "--positions: '" + v + "' is not 'all' or Positions 1 to 10 separated by commas");
         }},
        {"--json", "",
         "headless, one JSON object per event on standard output\n"
         "(draw, plans, stats, message, open, banner, error)",
         Raise(options.json, options.headless)},
        {"--data-dir", "DIR",
         "folder of data/ and data1.txt (default: the working\n"
         "directory, see Files); created when missing",
         [&options](const std::string& v) {
             if (v.empty()) {
                 return std::string("--data-dir needs a folder name");
             }
             options.workDir = PathFromUtf8(v);
             options.workDirGiven = true;
             return std::string();
         }},
    };
}

// The options that print something about the program and end.
cli::OptionTable InfoOptions(ParsedAppOptions& parsed) {
    return {
        {"--help", "", "print this text", Raise(parsed.help)},
        {"--version", "", "print the program version", Raise(parsed.version)},
    };
}

}  // namespace

ParsedAppOptions ParseAppOptions(const std::vector<std::string>& args,
                                 const EnvironmentLookup& environment) {
    ParsedAppOptions parsed;
    AppOptions& options = parsed.options;

    // The environment first, so that the command line overrides it.
    const struct {
        const char* name;
        std::string* target;
        ServerSource* source;
    } servers[] = {{kResultsServerEnv, &options.resultsServer, &options.resultsSource},
                   {kMakerServerEnv, &options.makerServer, &options.makerSource}};
    for (const auto& [name, target, source] : servers) {
        const std::optional<std::string> value = environment ? environment(name) : std::nullopt;
        if (value) {
            parsed.error = SetServer(name, *value, *target, *source, ServerSource::kEnvironment);
            if (!parsed.error.empty()) {
                return parsed;
            }
        }
    }
    cli::OptionTable table = RunOptions(options);
    for (cli::Option& option : InfoOptions(parsed)) {
        table.push_back(std::move(option));
    }
    const std::string error = cli::ParseOptions(args, table);
    if (!error.empty()) {
        parsed.error = error + " (see --help)";
    }
    return parsed;
}

std::string AppUsage() {
    ParsedAppOptions unused;
    return "Usage: pk10plan [options]\n"
           "Prediction plans for the PK10 racing lottery: downloads recent draws, keeps a plan\n"
           "of six car numbers for each finishing place, refreshes it as new draws come in.\n"
           "\n"
           "Options:\n" +
           cli::OptionsHelp(RunOptions(unused.options), kHelpColumn) +
           BacktestOptionsHelp(kHelpColumn) + cli::OptionsHelp(InfoOptions(unused), kHelpColumn) +
           "\n"
           "Files: the plan files are kept in data/ and the newest draw in data1.txt, in the\n"
           "data folder: the folder of --data-dir, else the working directory, except when\n"
           "that is the installed program's folder, or the home folder holding neither\n"
           "data1.txt nor data/ (where a desktop menu starts the program): then\n" +
           UserDataFolderHelp() +
           ".\n"
           "\n"
           "Servers: each server's address is, in this order, the command-line option, the\n"
           "environment variable, the address saved in the window's settings dialog\n"
           "(设置), kept in " +
           UserSettingsHelp() +
           ", else the bundled local\n"
           "server's http://127.0.0.1:8010/.\n"
           "\n"
           "Exit status: 0 done, 2 bad option, unusable data folder or draw file, 1 an\n"
           "output file that cannot be written, 3 --once could not get the draws from the\n"
           "results server, 130 a backtest stopped by Ctrl-C (figures so far printed).\n";
}

std::string VersionLine() {
    return std::string("pk10plan ") + kProgramVersion + " (V" + kProgramVersion + ")";
}

}  // namespace pk10
