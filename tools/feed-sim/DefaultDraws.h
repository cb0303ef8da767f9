#pragma once
// Which draws file feed-sim replays when no --draws is given.

#include <string>

namespace feedsim {

// The year of real draws installed with pk10plan (share/pk10plan/pk10-2014.txt
// beside the folder of the running executable, or on Windows in that folder
// itself) when it is there, as for an installed pk10plan-feed-sim; otherwise `builtIn`, the source
// tree's draws.txt for a run from the build folder.
std::string DefaultDrawsFile(const std::string& builtIn);

}  // namespace feedsim
