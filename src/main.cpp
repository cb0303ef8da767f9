// pk10plan: the window by default, or the headless run mode.

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/BacktestCommand.h"
#include "app/DataDir.h"
#include "app/ParseAppOptions.h"
#include "app/RunHeadless.h"
#include "cli/CommandLine.h"
#include "io/Console.h"
#ifdef PK10_HAVE_UI
#include "ui/RunWindow.h"
#endif

namespace {

std::optional<std::string> Environment(const std::string& name) {
    return pk10::cli::EnvironmentVariable(name);
}

#ifdef PK10_HAVE_UI
// True when a window can be shown: an X or Wayland display, or a Qt platform
// chosen explicitly (such as "offscreen").
bool DisplayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    const pk10::cli::Utf8Console console;
    const std::vector<std::string> args = pk10::cli::ProgramArguments(argc, argv);
    if (pk10::IsBacktestCommand(args)) {
        return pk10::RunBacktestCommand(args, Environment, std::cout, std::cerr,
                                        pk10::StandardErrorIsConsole());
    }
    const pk10::ParsedAppOptions parsed = pk10::ParseAppOptions(args, Environment);
    if (!parsed.error.empty()) {
        std::cerr << "pk10plan: " << parsed.error << '\n';
        return 2;
    }
    if (parsed.help) {
        std::cout << pk10::AppUsage();
        return 0;
    }
    if (parsed.version) {
        std::cout << pk10::VersionLine() << '\n';
        return 0;
    }

    pk10::AppOptions options = parsed.options;
    if (const std::string error = pk10::PrepareRunDataDir(options, Environment); !error.empty()) {
        std::cerr << "pk10plan: " << error << '\n';
        return 2;
    }
#ifdef PK10_HAVE_UI
    if (!options.headless) {
        if (DisplayAvailable()) {
            return pk10::RunWindow(argc, argv, options);
        }
        std::cerr << "pk10plan: no display available; running headless\n";
    }
#else
    if (!options.headless) {
        std::cerr << "pk10plan: built without the window; running headless\n";
    }
#endif
    options.headless = true;
    return pk10::RunHeadless(options, std::cout);
}
