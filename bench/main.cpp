// tavrin-bench: the list's workloads, timed.
//
//   tavrin-bench --json [--quick] [--dump DIR]   one JSON line per workload, as the side-by-side
//                                                comparison with the other toolkits reads them
//   tavrin-bench [--benchmark_...]               the same workloads through Google Benchmark
//
// A wrong result (an unsorted list, a search that finds the wrong item, a click that did not
// scroll by one row or one page, a page that differs from a full repaint, a select-all that missed items)
// ends the JSON run with status 3.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "bench/Workloads.h"

namespace {

bool hasFlag(int argc, char** argv, const char* flag) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], flag) == 0) return true;
    return false;
}

std::string valueOf(int argc, char** argv, const char* flag) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], flag) == 0) return argv[i + 1];
    return {};
}

} // namespace

int main(int argc, char** argv) {
    if (hasFlag(argc, argv, "--json")) {
        tavrin::bench::RunOptions options;
        options.quick = hasFlag(argc, argv, "--quick");
        options.dumpDir = valueOf(argc, argv, "--dump");
        tavrin::bench::runJson(options);
        return 0;
    }
    tavrin::bench::registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
