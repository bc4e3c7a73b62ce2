// Reads a script into a program: one statement per line, or several joined by `:`; `for` loops are
// linked to their `next` across lines.
#pragma once

#include <string>
#include <string_view>

#include "tools/tavrin-run/Ast.h"

namespace tavrin::run {

// Throws ScriptError naming the line of the first malformed statement.
Program parseScript(std::string_view text, const std::string& fileName);

} // namespace tavrin::run
