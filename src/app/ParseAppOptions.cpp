#include "app/ParseAppOptions.h"

#include <limits>

#include "online/WebAddress.h"
#include "pk10plan/ProgramVersion.h"

namespace pk10 {
namespace {

constexpr const char* kResultsEnv = "PK10_RESULTS_SERVER";
constexpr const char* kMakerEnv = "PK10_MAKER_SERVER";

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

std::string BadServer(const std::string& where, const std::string& value) {
    return where + ": '" + value + "' is not an http:// or https:// address with a host";
}

}  // namespace

ParsedAppOptions ParseAppOptions(const std::vector<std::string>& args,
                                 const EnvironmentLookup& environment) {
    ParsedAppOptions parsed;
    AppOptions& options = parsed.options;

    // The environment first, so that the command line overrides it.
    const std::pair<const char*, std::string*> servers[] = {{kResultsEnv, &options.resultsServer},
                                                            {kMakerEnv, &options.makerServer}};
    for (const auto& [name, target] : servers) {
        const std::optional<std::string> value = environment ? environment(name) : std::nullopt;
        if (!value) {
            continue;
        }
        if (!IsWebAddress(*value)) {
            parsed.error = BadServer(name, *value);
            return parsed;
        }
        *target = *value;
    }

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const bool takesValue =
            name == "--results-server" || name == "--maker-server" || name == "--refresh-ms";
        const bool isFlag =
            name == "--headless" || name == "--once" || name == "--help" || name == "--version";
        if (!takesValue && !isFlag) {
            parsed.error = "unknown option '" + args[i] + "' (see --help)";
            return parsed;
        }
        if (isFlag) {
            if (inlineValue) {
                parsed.error = "option " + name + " takes no value";
                return parsed;
            }
            if (name == "--headless") {
                options.headless = true;
            } else if (name == "--once") {
                options.once = true;
                options.headless = true;
            } else if (name == "--help") {
                parsed.help = true;
            } else {
                parsed.version = true;
            }
            continue;
        }
        std::string value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            parsed.error = "option " + name + " needs a value";
            return parsed;
        }
        if (name == "--refresh-ms") {
            const std::optional<int> ms = ParseMilliseconds(value);
            if (!ms) {
                parsed.error = "--refresh-ms: '" + value +
                               "' is not a whole number of milliseconds from 1 to 2147483647";
                return parsed;
            }
            options.refreshMs = *ms;
        } else {
            if (!IsWebAddress(value)) {
                parsed.error = BadServer(name, value);
                return parsed;
            }
            (name == "--results-server" ? options.resultsServer : options.makerServer) = value;
        }
    }
    return parsed;
}

std::string AppUsage() {
    return "Usage: pk10plan [options]\n"
           "Prediction plans for the PK10 racing lottery: downloads recent draws, keeps a plan\n"
           "of six car numbers for each finishing place, refreshes it as new draws come in.\n"
           "\n"
           "Options:\n"
           "  --results-server URL  server of pk10.txt and pk10.xml\n"
           "                        (environment PK10_RESULTS_SERVER; default "
           "http://127.0.0.1:8010/)\n"
           "  --maker-server URL    server of the update check, promotional link and banner\n"
           "                        (environment PK10_MAKER_SERVER; default "
           "http://127.0.0.1:8010/)\n"
           "  --refresh-ms N        milliseconds between two polls of the results (default "
           "120000)\n"
           "  --headless            no window: pane updates, messages and opened addresses\n"
           "                        go to standard output; SIGINT or SIGTERM stops\n"
           "  --once                headless, and stop once the start-up work is done\n"
           "  --backtest [FILE]     replay a file of draws (newest first; default: the\n"
           "                        bundled draws of 2014) through the plan engine and print\n"
           "                        how its plans fared against chance; with it:\n"
           "    --first N           start at the N-th oldest draw of the file (default 1)\n"
           "    --count N           replay N draws (default: all from --first on)\n"
           "    --csv FILE          write every settled plan to FILE\n"
           "    --json FILE         write the summary to FILE\n"
           "    --seed N            seed of the random plans (default 20140101)\n"
           "                        (environment PK10_DATA_DIR: folder of the bundled draws)\n"
           "  --help                print this text\n"
           "  --version             print the program version\n"
           "\n"
           "Plan files are kept in data/ and the newest draw in data1.txt, in the working\n"
           "directory. Exit status: 0 done, 2 bad option or draw file, 1 an output file\n"
           "that cannot be written, 130 a backtest stopped by Ctrl-C (figures so far printed).\n";
}

std::string VersionLine() {
    return std::string("pk10plan ") + kProgramVersion + " (V" + kProgramVersion + ")";
}

}  // namespace pk10
