#pragma once
// Parsing of pk10plan's command line and environment into AppOptions.
//
// Pure: reads nothing but its arguments, so it is tested directly.

#include <string>
#include <vector>

#include "app/AppOptions.h"
#include "app/Environment.h"

namespace pk10 {

// The outcome of parsing: the options, or a request for help or the version, or
// a one-line error.
struct ParsedAppOptions {
    AppOptions options;
    bool help = false;
    bool version = false;
    std::string error;  // empty when the arguments were good
};

// Parses the arguments after the program name. "--name value" and "--name=value"
// are both accepted; a later option overrides an earlier one; options win over
// PK10_RESULTS_SERVER and PK10_MAKER_SERVER, which win over the defaults (ApplySavedServers puts
// the user's saved servers between those two). A server must be an http:// or https:// address with
// a host; --refresh-ms takes a whole number of milliseconds from 1 to 2147483647. --once implies
// --headless.
ParsedAppOptions ParseAppOptions(const std::vector<std::string>& args,
                                 const EnvironmentLookup& environment);

// The text printed by --help.
std::string AppUsage();

// The line printed by --version.
std::string VersionLine();

}  // namespace pk10
