#pragma once
// `pk10plan --backtest [FILE]`: replays a file of draws through the plan engine
// and prints how its plans fared against chance.
//
// Options after --backtest: --first N, --count N (a window of the file, N-th
// oldest draw first), --csv FILE (every settled plan), --json FILE (the
// summary), --seed N (the random plans' seed), --odds X, --stakes A,B,C and
// --bankroll N (what following the plans does to the money, see Money.h).
// Without FILE the bundled draws of 2014 are used (see BundledData.h).
//
// Exit status: 0 done; 2 bad options or a bad draw file (one line on standard
// error); 1 an output file that cannot be written; 130 stopped by SIGINT or
// SIGTERM, the figures so far printed and marked partial.

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "app/ParseAppOptions.h"

namespace pk10 {

// The --backtest entry of --help and, indented under it, the options that go
// with it; descriptions start at `column`.
std::string BacktestOptionsHelp(std::size_t column);

// Whether the command line asks for a backtest ("--backtest" or "--backtest=FILE").
bool IsBacktestCommand(const std::vector<std::string>& args);

// Runs the backtest the arguments ask for, printing the tables to `out`. The
// progress bar goes to `err` when `progressBar` is set (standard error is a
// terminal). Call from main() before any other thread exists: SIGINT and
// SIGTERM are taken by a thread of its own and stop the replay.
int RunBacktestCommand(const std::vector<std::string>& args, const EnvironmentLookup& environment,
                       std::ostream& out, std::ostream& err, bool progressBar);

}  // namespace pk10
