// What every fuzzer shares: a scratch folder for the files a run writes, the limits that keep one
// input bounded in time, and running a script with them.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>

#include "tools/tavrin-run/Runner.h"

namespace tavrin::fuzz {

// A folder of this process, made once and emptied between inputs by the caller if need be.
inline const std::string& scratchDir() {
    static const std::string dir = [] {
        std::filesystem::path p =
            std::filesystem::temp_directory_path() / ("tavrin-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        return p.string();
    }();
    return dir;
}

// A script may spend this much (statements, DoEvents, timer ticks) before it is stopped.
constexpr uint64_t kScriptBudget = 200000;

// Runs a script's text with the scratch folder and the budget, its report thrown away.
inline void runScript(std::string_view text, const std::string& name) {
    std::ostringstream out, err;
    tavrin::run::Reporter reporter(out, err);
    tavrin::run::RunOptions options;
    options.outDir = scratchDir();
    options.scriptDir = scratchDir();
    options.workBudget = kScriptBudget;
    tavrin::run::runScriptText(text, name, options, reporter);
}

} // namespace tavrin::fuzz
