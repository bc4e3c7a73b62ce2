// The command line of the script host:
//   tavrin-run [--trace] [--out DIR] SCRIPT.tvs...
// Every script runs on a fresh host; a script error ends its own script, the others still run and
// the summary counts the expectations of all of them.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tavrin-run/Interpreter.h"
#include "tools/tavrin-run/Output.h"

namespace tavrin::run {

// Runs the command line; returns the exit status (0 all held, 1 an expectation failed, 2 a script
// error or a bad command line).
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Parses and runs one script given as text; false after a script error (already reported).
bool runScriptText(std::string_view text, const std::string& fileName, const RunOptions& options,
                   Reporter& reporter);

} // namespace tavrin::run
