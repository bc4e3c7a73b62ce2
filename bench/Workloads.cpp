// The JSON run: every workload on one list of 300 x 400 client pixels, in a fixed order.
//
// 1. memory      resident set before and after the first fill of a fresh list
// 2. fill/clear  rounds of a timed Clear, then a timed fill (Clear, AddItem x 32767, iUC_Paint)
// 3. order       untimed shuffled refill, timed Order, checked against index order
// 4. find_*      FindFirst of the two needles from index 0, StartWith False
// 5. paint_view  iUC_Paint with ListIndex 2 at the top of the list
// 6. scroll_step a press and release on the bar's down button, one row per click
// 7. page_step   a press and release on the bar's track below the thumb, one page per click; back
//                to the top, untimed, before a page would pass the end of the list
// 8. select_all  Multiple mode, "&Unselect all" untimed, "&Select all" timed
//
// Every workload that draws ends its timing with a look at the windows (ListRig::look), as the
// other toolkits' runs end with a render into an image: drawing left pending counts too.
#include "bench/Workloads.h"
#include "control/SelectionMenuEntries.h"

#include <cstdio>
#include <filesystem>

#include "bench/Report.h"
#include "control/TavrinAccess.h"

namespace tavrin::bench {

namespace {

constexpr const char* kPeer = "tavrin";
constexpr auto kSelectAll = static_cast<int16_t>(MenuEntry::SelectAll),
               kUnselectAll = static_cast<int16_t>(MenuEntry::UnselectAll);
volatile uint32_t seenPixels = 0; // keeps the reads of look() alive

class JsonRun {
  public:
    JsonRun(const BenchData& data, const RunOptions& options) : data_(data), options_(options) {}

    void run() {
        memory();
        setup();
        fillAndClear();
        order();
        find("find_miss", data_.missNeedle, -1);
        find("find_hit_last", data_.hitNeedle, kItems - 1);
        paintView();
        scrollStep();
        pageStep();
        selectAll();
    }

  private:
    int reps(int full, int quick) const { return options_.quick ? quick : full; }
    static void print(const JsonLine& line) {
        std::printf("%s\n", line.str().c_str());
        std::fflush(stdout);
    }

    void memory() {
        long before = residentBytes();
        rig_.add(data_.items);
        long after = residentBytes();
        check(rig_.list().ListCount() == kItems, "memory fill count");
        print(JsonLine()
                  .text("peer", kPeer)
                  .text("workload", "memory")
                  .integer("items", kItems)
                  .integer("rss_before_bytes", before)
                  .integer("rss_after_bytes", after)
                  .number("bytes_per_item", static_cast<double>(after - before) / kItems)
                  .text("note", "AddItem of 32767 texts into a fresh list"));
    }

    void setup() {
        Tavrin& list = rig_.list();
        print(JsonLine()
                  .text("peer", kPeer)
                  .text("workload", "_setup")
                  .integer("client_w", ListRig::kClientWidth)
                  .integer("client_h", ListRig::kClientHeight)
                  .integer("appearance", static_cast<int32_t>(list.Appearance()))
                  .integer("row_height", TavrinAccess::rowHeight(list))
                  .integer("visible_rows", TavrinAccess::visibleRows(list)));
    }

    void fillAndClear() {
        std::vector<double> fills, clears;
        for (int r = 0; r < reps(7, 2); ++r) {
            Clock::time_point start = Clock::now();
            rig_.list().Clear();
            clears.push_back(microsecondsSince(start));
            check(rig_.list().ListCount() == 0, "clear leaves no item");
            start = Clock::now();
            fillStep(rig_, data_);
            fills.push_back(microsecondsSince(start));
            check(rig_.list().ListCount() == kItems, "fill count");
        }
        print(timingLine(kPeer, "fill", fills, kItems, "AddItem", "Clear, 32767 x AddItem, one iUC_Paint"));
        print(timingLine(kPeer, "clear", clears, kItems, "item", "Clear of 32767 items"));
    }

    void order() {
        std::vector<double> samples;
        for (int r = 0; r < reps(7, 2); ++r) {
            refillShuffled(rig_, data_);
            check(!inIndexOrder(rig_, data_), "the list is unsorted before Order");
            Clock::time_point start = Clock::now();
            rig_.list().Order();
            seenPixels = rig_.look();
            samples.push_back(microsecondsSince(start));
            check(inIndexOrder(rig_, data_), "Order restores index order");
        }
        print(
            timingLine(kPeer, "order", samples, kItems, "item", "Order (ascending) after a shuffled refill"));
    }

    void find(const char* workload, const std::u16string& needle, int16_t expected) {
        std::vector<double> samples;
        for (int r = 0; r < reps(21, 3); ++r) {
            Clock::time_point start = Clock::now();
            int16_t found = rig_.list().FindFirst(needle, 0, false);
            samples.push_back(microsecondsSince(start));
            check(found == expected, workload);
        }
        print(
            timingLine(kPeer, workload, samples, kItems, "item", "FindFirst from index 0, StartWith False"));
    }

    void paintView() {
        preparePaintView(rig_);
        for (int i = 0; i < 20; ++i)
            TavrinAccess::iUC_Paint(rig_.list());
        std::vector<double> samples;
        for (int i = 0; i < reps(1000, 100); ++i) {
            Clock::time_point start = Clock::now();
            TavrinAccess::iUC_Paint(rig_.list());
            seenPixels = rig_.look();
            samples.push_back(microsecondsSince(start));
        }
        dumpPaintView();
        print(
            timingLine(kPeer, "paint_view", samples, 1, "paint", "iUC_Paint of the whole view, ListIndex 2"));
    }

    void dumpPaintView() {
        if (options_.dumpDir.empty()) return;
        std::error_code ignored;
        std::filesystem::create_directories(options_.dumpDir, ignored);
        std::string error;
        std::string path = (std::filesystem::path(options_.dumpDir) / "tavrin_paint_view.png").string();
        if (!rig_.snapshot(path, &error))
            std::fprintf(stderr, "could not write %s: %s\n", path.c_str(), error.c_str());
    }

    void scrollStep() {
        rig_.list().SetTopIndex(0);
        rig_.desktop().flushPaints();
        int start = rig_.list().TopIndex();
        std::vector<double> samples;
        for (int i = 0; i < reps(1000, 100); ++i) {
            Clock::time_point t0 = Clock::now();
            rig_.clickDownButton();
            seenPixels = rig_.look();
            samples.push_back(microsecondsSince(t0));
            check(rig_.list().TopIndex() == start + i + 1, "each click scrolls by one row");
        }
        print(timingLine(kPeer, "scroll_step", samples, 1, "step",
                         "press and release on the scroll bar's down button through the desktop's messages"));
    }

    // Every row on view shows a new item after each click, so nothing drawn before can be kept: the
    // whole view is painted. Each step is checked: the top row one page further, and the surface as
    // a full repaint there leaves it.
    void pageStep() {
        Tavrin& list = rig_.list();
        const int page = TavrinAccess::visibleRows(list);
        const int lastTop = list.ListCount() - page;
        rig_.relayout();
        check(TavrinAccess::sbUC(list).LargeChange() == page,
              "the layout gives the scroll bar the list's page");
        std::vector<double> samples;
        for (int i = 0; i < reps(200, 20); ++i) {
            if (list.TopIndex() + page > lastTop || !rig_.roomBelowThumb()) {
                list.SetTopIndex(0);
                rig_.desktop().flushPaints();
            }
            const int before = list.TopIndex();
            Clock::time_point t0 = Clock::now();
            rig_.clickTrackBelowThumb();
            seenPixels = rig_.look();
            samples.push_back(microsecondsSince(t0));
            check(list.TopIndex() == before + page, "each track click scrolls by one page");
            check(rig_.equalsFullRepaint(), "a page step leaves what a full repaint draws");
        }
        print(timingLine(kPeer, "page_step", samples, 1, "step",
                         "press and release on the scroll bar's track below the thumb through the "
                         "desktop's messages: a whole new page"));
    }

    void selectAll() {
        prepareSelectAll(rig_);
        std::vector<double> samples;
        for (int r = 0; r < reps(21, 3); ++r) {
            TavrinAccess::optSelectionMenu_Click(rig_.list(), kUnselectAll);
            check(rig_.list().SelectedCount() == 0, "\"&Unselect all\" clears every flag");
            Clock::time_point start = Clock::now();
            TavrinAccess::optSelectionMenu_Click(rig_.list(), kSelectAll);
            seenPixels = rig_.look();
            samples.push_back(microsecondsSince(start));
            check(rig_.list().SelectedCount() == kItems, "\"&Select all\" selects every item");
        }
        print(timingLine(kPeer, "select_all", samples, 1, "call",
                         "Multiple mode; \"&Unselect all\" untimed, then \"&Select all\" (repaints)"));
    }

    const BenchData& data_;
    RunOptions options_;
    ListRig rig_;
};

} // namespace

const BenchData& BenchData::get() {
    static const BenchData data = [] {
        BenchData d;
        d.texts = makeTexts();
        d.items = toVariants(d.texts);
        d.shuffle = makeShuffle();
        d.missNeedle = widen(kMissNeedle);
        d.hitNeedle = widen(hitLastNeedle(d.texts));
        return d;
    }();
    return data;
}

void fillStep(ListRig& rig, const BenchData& data) {
    rig.list().Clear();
    rig.add(data.items);
    TavrinAccess::iUC_Paint(rig.list());
    seenPixels = rig.look();
}

void refillShuffled(ListRig& rig, const BenchData& data) {
    rig.list().Clear();
    rig.add(data.items, data.shuffle);
}

bool inIndexOrder(ListRig& rig, const BenchData& data) {
    Tavrin& list = rig.list();
    if (list.ListCount() != static_cast<int16_t>(data.texts.size())) return false;
    for (size_t i = 0; i < data.texts.size(); ++i)
        if (TavrinAccess::items(list)[i].Text != widen(data.texts[i])) return false;
    return true;
}

void preparePaintView(ListRig& rig) {
    rig.list().SetTopIndex(0);
    rig.list().SetListIndex(2);
    rig.desktop().flushPaints();
}

void prepareSelectAll(ListRig& rig) {
    rig.list().SetSelectMode(SelectModeCts::Multiple);
    TavrinAccess::optSelectionMenu_Click(rig.list(), kUnselectAll);
    rig.desktop().flushPaints();
}

void runJson(const RunOptions& options) {
    JsonRun(BenchData::get(), options).run();
}

} // namespace tavrin::bench
