// Script text for tavrin-run: parsed and run on a fresh desktop with a small work budget. Oracles:
// no sanitizer report, no exception out of the runner, bounded time and memory.
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0; // one screenful of script is plenty to reach every statement
    // A script writes where `save` and `snapshot` say: keep it to the scratch folder.
    std::string lower(reinterpret_cast<const char*>(data), size);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool writes =
        lower.find("save") != std::string::npos || lower.find("snapshot") != std::string::npos;
    if (writes && lower.find_first_of("/\\") != std::string::npos) return 0;
    tavrin::fuzz::runScript(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.tvs");
    return 0;
}
