// The workloads as Google Benchmark cases, for `--benchmark_filter=...` and the library's own
// repetition and reporting. Each case builds its own list, so a filter can run any one alone; the
// set-up a workload needs (a refill, an unselect) is left out of the timing as in the JSON run.
#include <benchmark/benchmark.h>

#include "bench/Report.h"
#include "bench/Workloads.h"
#include "control/SelectionMenuEntries.h"
#include "control/TavrinAccess.h"

namespace tavrin::bench {

namespace {

constexpr auto kSelectAll = static_cast<int16_t>(MenuEntry::SelectAll),
               kUnselectAll = static_cast<int16_t>(MenuEntry::UnselectAll);

// A list holding every text in index order.
std::unique_ptr<ListRig> filledRig() {
    auto rig = std::make_unique<ListRig>();
    rig->add(BenchData::get().items);
    rig->desktop().flushPaints();
    return rig;
}

void perItem(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * kItems);
}

void memory(benchmark::State& state) {
    const BenchData& data = BenchData::get();
    double bytesPerItem = 0;
    for (auto _ : state) {
        ListRig rig;
        long before = residentBytes();
        rig.add(data.items);
        bytesPerItem = static_cast<double>(residentBytes() - before) / kItems;
    }
    state.counters["bytes_per_item"] = bytesPerItem;
}

void fill(benchmark::State& state) {
    ListRig rig;
    for (auto _ : state)
        fillStep(rig, BenchData::get());
    perItem(state);
}

void clear(benchmark::State& state) {
    ListRig rig;
    for (auto _ : state) {
        state.PauseTiming();
        rig.add(BenchData::get().items);
        state.ResumeTiming();
        rig.list().Clear();
    }
    perItem(state);
}

void order(benchmark::State& state) {
    ListRig rig;
    for (auto _ : state) {
        state.PauseTiming();
        refillShuffled(rig, BenchData::get());
        state.ResumeTiming();
        rig.list().Order();
        benchmark::DoNotOptimize(rig.look());
    }
    if (!inIndexOrder(rig, BenchData::get())) state.SkipWithError("Order did not restore index order");
    perItem(state);
}

void find(benchmark::State& state, const std::u16string& needle, int16_t expected) {
    auto rig = filledRig();
    int16_t found = 0;
    for (auto _ : state) {
        found = rig->list().FindFirst(needle, 0, false);
        benchmark::DoNotOptimize(found);
    }
    if (found != expected) state.SkipWithError("FindFirst found the wrong item");
    perItem(state);
}

void paintView(benchmark::State& state) {
    auto rig = filledRig();
    preparePaintView(*rig);
    for (auto _ : state) {
        TavrinAccess::iUC_Paint(rig->list());
        benchmark::DoNotOptimize(rig->look());
    }
}

void scrollStep(benchmark::State& state) {
    auto rig = filledRig();
    Tavrin& list = rig->list();
    const int lastTop = list.ListCount() - TavrinAccess::visibleRows(list) - 1;
    list.SetTopIndex(0);
    for (auto _ : state) {
        if (list.TopIndex() >= lastTop) { // the end of the list: start again from the top, untimed
            state.PauseTiming();
            list.SetTopIndex(0);
            state.ResumeTiming();
        }
        int16_t before = list.TopIndex();
        rig->clickDownButton();
        benchmark::DoNotOptimize(rig->look());
        if (list.TopIndex() != before + 1) {
            state.SkipWithError("a click did not scroll by one row");
            break;
        }
    }
}

void pageStep(benchmark::State& state) {
    auto rig = filledRig();
    Tavrin& list = rig->list();
    const int page = TavrinAccess::visibleRows(list);
    const int lastTop = list.ListCount() - page;
    rig->relayout(); // gives the bar the list's page
    list.SetTopIndex(0);
    for (auto _ : state) {
        // Near the end (a page would pass it, or no pixel row is left below the thumb): back to
        // the top, untimed.
        if (list.TopIndex() + page > lastTop || !rig->roomBelowThumb()) {
            state.PauseTiming();
            list.SetTopIndex(0);
            rig->desktop().flushPaints();
            state.ResumeTiming();
        }
        const int before = list.TopIndex();
        rig->clickTrackBelowThumb();
        benchmark::DoNotOptimize(rig->look());
        if (list.TopIndex() != before + page) {
            state.SkipWithError("a track click did not scroll by one page");
            break;
        }
    }
}

void selectAll(benchmark::State& state) {
    auto rig = filledRig();
    prepareSelectAll(*rig);
    for (auto _ : state) {
        state.PauseTiming();
        TavrinAccess::optSelectionMenu_Click(rig->list(), kUnselectAll);
        state.ResumeTiming();
        TavrinAccess::optSelectionMenu_Click(rig->list(), kSelectAll);
        benchmark::DoNotOptimize(rig->look());
    }
    if (rig->list().SelectedCount() != kItems) state.SkipWithError("not every item is selected");
}

} // namespace

void registerBenchmarks() {
    const BenchData& data = BenchData::get();
    benchmark::RegisterBenchmark("memory", memory)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("fill", fill)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("clear", clear)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("order", order)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("find_miss", find, data.missNeedle, int16_t{-1})
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("find_hit_last", find, data.hitNeedle, int16_t{kItems - 1})
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("paint_view", paintView)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("scroll_step", scrollStep)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("page_step", pageStep)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("select_all", selectAll)->Unit(benchmark::kMicrosecond);
}

} // namespace tavrin::bench
