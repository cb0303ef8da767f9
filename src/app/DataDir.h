#pragma once
// The folder that holds data/ and data1.txt, made ready before the run starts.

#include <filesystem>
#include <string>

namespace pk10 {

// Creates `dir` (and its parents) when it is missing. Returns an empty text
// when `dir` is a folder afterwards (the temporary files that killed runs left
// in it and in its data/ are then removed, see RemoveStrayTempFiles); otherwise one line that says
// why it cannot be used (a regular file in its place, a parent that is a file, ...).
std::string PrepareDataDir(const std::filesystem::path& dir);

}  // namespace pk10
