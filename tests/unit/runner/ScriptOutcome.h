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

// A script that ran to its end with every check holding, `passed` of them.
inline ::testing::AssertionResult allHeld(const Outcome& o, int passed) {
    if (!o.completed) return ::testing::AssertionFailure() << "the script stopped: " << o.err;
    if (o.failed != 0) return ::testing::AssertionFailure() << o.failed << " checks failed: " << o.out;
    if (o.passed != passed)
        return ::testing::AssertionFailure() << o.passed << " checks held, not " << passed << ": " << o.out;
    return ::testing::AssertionSuccess();
}

inline bool contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

} // namespace tavrin::run
