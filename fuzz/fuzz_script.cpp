// Script text for tavrin-run: parsed and run on a fresh desktop with a small work budget. Oracles:
// no sanitizer report, no exception out of the runner, bounded time and memory.
#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "tools/tavrin-run/Runner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0; // one screenful of script is plenty to reach every statement
    // A script writes where `save` and `snapshot` say: keep it to the scratch folder.
    std::string lower(reinterpret_cast<const char*>(data), size);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool writes =
        lower.find("save") != std::string::npos || lower.find("snapshot") != std::string::npos;
    if (writes && lower.find_first_of("/\\") != std::string::npos) return 0;
    std::ostringstream out, err;
    tavrin::run::Reporter reporter(out, err);
    tavrin::run::RunOptions options;
    options.outDir = tavrin::fuzz::scratchDir();
    options.scriptDir = tavrin::fuzz::scratchDir();
    options.workBudget = tavrin::fuzz::kScriptBudget;
    tavrin::run::runScriptText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.tvs",
                               options, reporter);
    return 0;
}
