// The workloads of tavrin-bench: what each one times, shared by the JSON run that lines us up with
// the other toolkits and by the Google Benchmark registrations.
#pragma once

#include <string>
#include <vector>

#include "bench/ItemTexts.h"
#include "bench/ListRig.h"

namespace tavrin::bench {

// Everything a workload reads, made once before any timing.
struct BenchData {
    std::vector<std::string> texts; // in index order, which is also ordinal order
    std::vector<Variant> items;     // the same texts as AddItem takes them
    std::vector<int> shuffle;       // the order the ordering workload adds them in
    std::u16string missNeedle;      // occurs in no text
    std::u16string hitNeedle;       // occurs in the last text only, ignoring case

    static const BenchData& get();
};

// The steps each workload times, so that both front ends time exactly the same calls.
void fillStep(ListRig& rig, const BenchData& data);       // Clear, AddItem of every text, iUC_Paint
void refillShuffled(ListRig& rig, const BenchData& data); // untimed set-up of the ordering workload
bool inIndexOrder(ListRig& rig, const BenchData& data);   // the result Order must give
void preparePaintView(ListRig& rig);                      // top row 0, ListIndex 2
void prepareSelectAll(ListRig& rig);                      // Multiple mode, nothing selected

struct RunOptions {
    bool quick = false;  // fewer repetitions, for smoke runs
    std::string dumpDir; // where to write tavrin_paint_view.png; empty: nowhere
};

// Prints one JSON line per workload on stdout; a wrong result exits with status 3.
void runJson(const RunOptions& options);

// Registers the same workloads with Google Benchmark.
void registerBenchmarks();

} // namespace tavrin::bench
