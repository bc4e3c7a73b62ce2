// Properties over random input: saving what was loaded gives the same bytes, and timers keep
// their due order while the 32-bit tick count wraps.
#include <gtest/gtest.h>
#include <rapidcheck.h>

#include <map>
#include <string>
#include <vector>

#include "../control/RenderFixture.h"
#include "platform/software/FormFile.h"

namespace tavrin::testing {
namespace {

uint32_t colour(uint32_t pick) {
    // Half system colours (high bit and an index), half plain RGB.
    return pick % 2 ? 0x80000000u | (pick >> 1) % 31 : (pick >> 1) & 0xFFFFFF;
}

TEST(SaveLoadSave, AcceptedValuesSaveLoadAndSaveToTheSameBytes) {
    const bool ok = rc::check("save, load, save", [] {
        ListOnForm form(200, 160);
        Tavrin& list = *form;
        list.SetLeftMargin(*rc::gen::inRange<int16_t>(0, 60));
        list.SetBorderWidth(*rc::gen::inRange<int16_t>(0, 12));
        list.SetBackNormal(colour(*rc::gen::arbitrary<uint32_t>()));
        list.SetBackSelected(colour(*rc::gen::arbitrary<uint32_t>()));
        list.SetFontNormal(colour(*rc::gen::arbitrary<uint32_t>()));
        list.SetBorderColor(colour(*rc::gen::arbitrary<uint32_t>()));
        list.SetGotFocusEffectColor(colour(*rc::gen::arbitrary<uint32_t>()));
        list.SetWordWrap(*rc::gen::arbitrary<bool>());
        list.SetFocus(*rc::gen::arbitrary<bool>());
        list.SetHoverSelection(*rc::gen::arbitrary<bool>());
        list.SetGotFocusEffect(*rc::gen::arbitrary<bool>());
        list.SetShowMenu(*rc::gen::arbitrary<bool>());
        list.SetSelectMode(static_cast<SelectModeCts>(*rc::gen::inRange(0, 2)));
        list.SetSelectModeStyle(static_cast<SelectModeStyleCts>(*rc::gen::inRange(0, 7)));
        list.SetAlignment(static_cast<AlignmentCts>(*rc::gen::inRange(0, 3)));
        list.SetOrderType(static_cast<OrderTypeCts>(*rc::gen::inRange(0, 2)));
        list.SetTheme(static_cast<ctsListThemes>(*rc::gen::inRange(0, 3)));
        list.SetAppearance(static_cast<AppearanceCts>(*rc::gen::inRange(0, 2)));
        list.SetItemTextLeft(*rc::gen::inRange<int16_t>(0, 40));
        list.SetItemHeightAuto(*rc::gen::arbitrary<bool>());
        list.SetItemHeight(*rc::gen::inRange<int16_t>(20, 60)); // above the text height: kept
        if (*rc::gen::arbitrary<bool>())
            form.site->resizeClient(*rc::gen::inRange(0, 400), *rc::gen::inRange(0, 400));

        software::FormData first{"Tavrin", "Tavrin1", 200, 160, {}};
        list.WriteProperties(first.bag);
        const std::string bytes = software::formToJson(first);

        ListOnForm again(200, 160);
        again->ReadProperties(software::parseForm(bytes, "saved").bag);
        software::FormData second{"Tavrin", "Tavrin1", 200, 160, {}};
        again->WriteProperties(second.bag);
        RC_ASSERT(software::formToJson(second) == bytes);
    });
    EXPECT_TRUE(ok);
}

TEST(ClockWrap, TimersAcrossTwoToTheThirtyTwoKeepTheirDueOrder) {
    const bool ok = rc::check("timers in due order across the wrap", [] {
        software::Desktop desktop;
        auto site = desktop.createControlSite(u"Tavrin", 100, 100);
        // Start a little before the tick count wraps.
        const uint32_t before = *rc::gen::inRange<uint32_t>(1, 20000);
        desktop.wait(0xFFFFFFFFu - desktop.GetTickCount() - before);
        struct Fired {
            size_t timer;
            uint64_t ticks;
        };
        std::vector<Fired> fired;
        const auto intervals = *rc::gen::container<std::vector<int32_t>>(*rc::gen::inRange<size_t>(1, 5),
                                                                         rc::gen::inRange<int32_t>(1, 3000));
        std::vector<std::unique_ptr<platform::Timer>> timers;
        std::vector<uint64_t> started;
        for (size_t i = 0; i < intervals.size(); ++i) {
            timers.push_back(site->createTimer());
            timers.back()->Tick = [&, i] {
                fired.push_back({i, desktop.clock().ticks()});
                RC_ASSERT(desktop.GetTickCount() == static_cast<uint32_t>(desktop.clock().ticks()));
            };
            timers.back()->SetInterval(intervals[i]);
            timers.back()->SetEnabled(true);
            started.push_back(desktop.clock().ticks());
        }
        const auto waits = *rc::gen::container<std::vector<uint32_t>>(rc::gen::inRange<uint32_t>(0, 4000));
        uint64_t waited = 0;
        for (uint32_t w : waits) {
            desktop.wait(w);
            waited += w;
        }
        RC_ASSERT(desktop.clock().ticks() == started[0] + waited);
        // Every timer fired exactly at each multiple of its interval, and all in time order.
        for (size_t k = 1; k < fired.size(); ++k)
            RC_ASSERT(fired[k - 1].ticks <= fired[k].ticks);
        for (size_t i = 0; i < intervals.size(); ++i) {
            uint64_t due = started[i] + static_cast<uint64_t>(intervals[i]);
            for (const Fired& f : fired) {
                if (f.timer != i) continue;
                RC_ASSERT(f.ticks == due);
                due += static_cast<uint64_t>(intervals[i]);
            }
            RC_ASSERT(due > desktop.clock().ticks()); // none left behind
        }
    });
    EXPECT_TRUE(ok);
}

} // namespace
} // namespace tavrin::testing
