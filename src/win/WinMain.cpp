// pk10plan.exe: the window program of Windows. The console program
// pk10plan-cli.exe has the headless run and the backtest; without a console,
// what this one has to say before its window exists goes to a message box.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/BacktestCommand.h"
#include "app/DataDir.h"
#include "app/ParseAppOptions.h"
#include "app/ServerSettings.h"
#include "cli/CommandLine.h"
#include "win/RegistrySettingsStore.h"
#include "win/RunWindow.h"
#include "win/WideText.h"

namespace {

std::optional<std::string> Environment(const std::string& name) {
    return pk10::cli::EnvironmentVariable(name);
}

void Tell(const std::string& text, UINT icon) {
    MessageBoxW(nullptr, pk10::win::Widen(text).c_str(), L"pk10plan", MB_OK | icon);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = pk10::cli::ProgramArguments(argc, argv);
    if (pk10::IsBacktestCommand(args)) {
        Tell("pk10plan: the backtest runs in the console program pk10plan-cli.exe", MB_ICONERROR);
        return 2;
    }
    const pk10::ParsedAppOptions parsed = pk10::ParseAppOptions(args, Environment);
    if (!parsed.error.empty()) {
        Tell("pk10plan: " + parsed.error, MB_ICONERROR);
        return 2;
    }
    if (parsed.help) {
        Tell(pk10::AppUsage(), MB_ICONINFORMATION);
        return 0;
    }
    if (parsed.version) {
        Tell(pk10::VersionLine(), MB_ICONINFORMATION);
        return 0;
    }
    if (parsed.options.headless) {
        Tell("pk10plan: the headless run is the console program pk10plan-cli.exe's", MB_ICONERROR);
        return 2;
    }

    pk10::AppOptions options = parsed.options;
    // The servers saved in the settings dialog, where neither the command line
    // nor the environment named one.
    const pk10::win::RegistrySettingsStore saved;
    for (const std::string& message : pk10::ApplySavedServers(options, saved)) {
        Tell("pk10plan: " + message, MB_ICONWARNING);
    }
    // Started from the Start menu in its installed folder, the files go to
    // %LOCALAPPDATA%\pk10plan, never into Program Files.
    if (const std::string error = pk10::PrepareRunDataDir(options, Environment); !error.empty()) {
        Tell("pk10plan: " + error, MB_ICONERROR);
        return 2;
    }
    return pk10::win::RunWindow(GetModuleHandleW(nullptr), options);
}
