// What every fuzzer shares: a scratch folder for the files a run writes, and the limits that
// keep one input bounded in time.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

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

} // namespace tavrin::fuzz
