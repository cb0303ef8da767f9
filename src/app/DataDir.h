#pragma once
// The folder that holds data/ and data1.txt, made ready before the run starts.

#include <filesystem>
#include <string>

#include "app/AppOptions.h"
#include "app/Environment.h"

namespace pk10 {

// Creates `dir` (and its parents) when it is missing. Returns an empty text
// when `dir` is a folder afterwards (the temporary files that killed runs left
// in it and in its data/ are then removed, see RemoveStrayTempFiles); otherwise
// one line that says why it cannot be used (a regular file in its place, a
// parent that is a file, ...).
std::string PrepareDataDir(const std::filesystem::path& dir);

// Where a run that names no folder with --data-dir was started, and whose it is.
struct StartPlace {
    std::filesystem::path executable;  // the running program; empty when unknown
    std::filesystem::path workingDir;  // the folder it was started in; empty when unknown
    std::filesystem::path home;        // the user's home folder; empty when unknown
    std::filesystem::path userData;    // the per-user data folder; empty when unknown
};

// The data folder of a run that names none with --data-dir: the working folder,
// except in two places where the user's data does not belong, which send the
// files to the per-user folder (UserDataFolder, ~/.local/state/pk10plan or
// %LOCALAPPDATA%\pk10plan):
// - the folder the program was installed in (known by the bundled draws beside
//   the executable or in its ../share/pk10plan, see BundledData.h): a Start menu
//   shortcut and a double click start the program there, and a folder under
//   Program Files or /usr is not the user's to write;
// - the home folder, when it holds neither data1.txt nor data/: desktop menus
//   start programs there, and the files would land at the top of the home. A
//   home that holds them already keeps them, so an earlier user's files stay
//   where they are.
// Any other folder is used as it is: ./run.sh's run-work/, a user's own folder
// and a script's temporary folder expect the files where they start. Without a
// known per-user folder or working folder it stays the working folder ".".
std::filesystem::path DefaultDataDir(const StartPlace& start);

// The data folder of a program's run, as both programs start it: without
// --data-dir, DefaultDataDir of the running program, the working folder and
// the platform's folders of `environment` goes into options.workDir; then
// PrepareDataDir. Returns its text.
std::string PrepareRunDataDir(AppOptions& options, const EnvironmentLookup& environment);

}  // namespace pk10
