// Running a script's text as the file "s.tvs", with its output files in the test's temporary
// folder, and what came of it.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tools/tavrin-run/Runner.h"

namespace tavrin::run {

struct Outcome {
    bool completed;
    int passed, failed;
    std::string out, err;
};

inline Outcome runScript(const std::string& text, RunOptions options) {
    std::ostringstream out, err;
    Reporter reporter(out, err);
    options.outDir = ::testing::TempDir();
    bool completed = runScriptText(text, "s.tvs", options, reporter);
    return {completed, reporter.passedCount(), reporter.failedCount(), out.str(), err.str()};
}

inline bool contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

} // namespace tavrin::run
