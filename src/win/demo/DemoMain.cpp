// pk10plan-demo.exe: the installed pk10plan.exe against the bundled local
// results server, as the Start menu's "pk10plan (演示)" runs it. Starts
// pk10plan-feed-sim.exe beside it on a free port of 127.0.0.1 (no console
// window; it replays the bundled draws), waits for the address it prints, runs
// the window against it with a data folder of its own,
// %LOCALAPPDATA%\pk10plan\demo, and ends the server when the window closes.
// The server runs in a job that ends it with this program too, so no server
// outlives the demo however it ends. Arguments go to pk10plan.exe.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "app/PlatformFolders.h"
#include "cli/CommandLine.h"
#include "cli/ProgramPath.h"
#include "win/DemoLaunch.h"
#include "win/WideText.h"

namespace {

int Fail(const std::string& text) {
    MessageBoxW(nullptr, pk10::win::Widen("pk10plan-demo: " + text).c_str(), L"pk10plan (演示)",
                MB_OK | MB_ICONERROR);
    return 1;
}

std::string FileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Starts `args` (the program first); hProcess is null on failure. `output`,
// when given, takes the child's standard output and error; `flags` go to
// CreateProcessW. The caller closes both handles.
PROCESS_INFORMATION Start(const std::vector<std::wstring>& args, HANDLE output, DWORD flags) {
    std::wstring line = pk10::win::JoinCommandLine(args);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(args[0].c_str(), line.data(), nullptr, nullptr,
                        output != nullptr ? TRUE : FALSE, flags, nullptr, nullptr, &startup,
                        &process)) {
        return {};
    }
    return process;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> extra = pk10::cli::ProgramArguments(argc, argv);
    const std::filesystem::path folder = pk10::RunningProgramPath().parent_path();
    const std::filesystem::path base = pk10::UserDataFolder(
        [](const std::string& name) { return pk10::cli::EnvironmentVariable(name); });
    if (folder.empty() || base.empty()) {
        return Fail("cannot find the program's folder or LOCALAPPDATA");
    }
    const std::filesystem::path work = base / "demo";
    std::error_code ec;
    std::filesystem::create_directories(work, ec);
    const std::filesystem::path log = work / "feed-sim.log";

    // The job ends the server when its last handle closes: here, or when this
    // program ends in any way.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job != nullptr) {
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    }
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileW(log.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        return Fail("cannot write " + pk10::win::Narrow(log.wstring()));
    }
    const PROCESS_INFORMATION started =
        Start({(folder / L"pk10plan-feed-sim.exe").wstring(), L"--port", L"0"}, output,
              CREATE_NO_WINDOW | CREATE_SUSPENDED);
    CloseHandle(output);
    if (started.hProcess == nullptr) {
        return Fail("cannot start pk10plan-feed-sim.exe");
    }
    HANDLE server = started.hProcess;
    if (job != nullptr) {
        AssignProcessToJobObject(job, server);
    }
    // Started once the job holds it.
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);

    // The address it listens on, within ten seconds.
    std::optional<std::string> url;
    for (int tries = 0; tries < 100 && !url; ++tries) {
        url = pk10::win::ListeningAddress(FileText(log));
        if (!url && WaitForSingleObject(server, 100) == WAIT_OBJECT_0) {
            break;
        }
    }
    if (!url) {
        TerminateProcess(server, 1);
        return Fail("the local results server did not start:\n" + FileText(log));
    }

    std::vector<std::wstring> window = {(folder / L"pk10plan.exe").wstring(),
                                        L"--results-server",
                                        pk10::win::Widen(*url),
                                        L"--maker-server",
                                        pk10::win::Widen(*url),
                                        L"--data-dir",
                                        work.wstring()};
    for (const std::string& arg : extra) {
        window.push_back(pk10::win::Widen(arg));
    }
    const PROCESS_INFORMATION shown = Start(window, nullptr, 0);
    HANDLE program = shown.hProcess;
    DWORD status = 1;
    if (program == nullptr) {
        Fail("cannot start pk10plan.exe");
    } else {
        CloseHandle(shown.hThread);
        WaitForSingleObject(program, INFINITE);
        GetExitCodeProcess(program, &status);
        CloseHandle(program);
    }
    TerminateProcess(server, 0);
    WaitForSingleObject(server, 5000);
    CloseHandle(server);
    if (job != nullptr) {
        CloseHandle(job);
    }
    return static_cast<int>(status);
}
