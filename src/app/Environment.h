#pragma once
// How the application reads its environment: a lookup the program binds to
// the process's variables and the tests to a table.

#include <functional>
#include <optional>
#include <string>

namespace pk10 {

// Looks up an environment variable; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

}  // namespace pk10
