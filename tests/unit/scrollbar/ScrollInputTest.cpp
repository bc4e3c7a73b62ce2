// Mouse input through the window messages: presses by zone, thumb dragging, the pictures each
// message shows, hot tracking and its leave check, and the auto-repeat on the virtual clock.
#include <cmath>

#include "BarFixture.h"
#include "scrollbar/XPVScrollAccess.h"

namespace tavrin::test {
namespace {

using Events = std::vector<std::string>;

class Input : public BarTest {
  protected:
    void SetUp() override { standardLayout(); } // thumb 605..1695, down button from 2745

    std::vector<uint32_t> changeTimes;
    void recordChangeTimes() {
        host.onEvent = [this](const std::string& name) {
            if (name == "Change") changeTimes.push_back(host.now);
        };
    }
};

TEST_F(Input, PressesAtTheZoneBordersStepTheWayTheirZoneSays) {
    struct Case {
        double y;
        double value; // after the press, from 50
        bool paging, dragging;
    } cases[] = {
        {254, 49, false, false},  // up button
        {255, 1, true, false},    // track above the thumb: pages up
        {605, 1, true, false},    // the thumb's top itself pages up
        {606, 50, false, true},   // inside the thumb: drag
        {1694, 50, false, true},  // inside the thumb: drag
        {1695, 1, true, false},   // the thumb's bottom pages up too: paging down needs y below it
        {1696, 99, true, false},  // below the thumb: pages down
        {2744, 99, true, false},  // just above the down button
        {2745, 1, true, false},   // p_DownTop is track, and not below p_DownTop: pages up
        {2746, 51, false, false}, // down button
    };
    for (const auto& c : cases) {
        bar.SetValue(50);
        host.press(c.y);
        EXPECT_EQ(bar.Value(), c.value) << c.y;
        EXPECT_EQ(flag("p_Paging"), c.paging) << c.y;
        EXPECT_EQ(flag("p_Dragging"), c.dragging) << c.y;
        EXPECT_TRUE(flag("p_Pressed"));
        host.release(c.y);
        EXPECT_FALSE(flag("p_Pressed") || flag("p_Paging") || flag("p_Dragging"));
    }
}

TEST_F(Input, DoubleClickIsASecondPress) {
    host.press(2900);
    host.release(2900);
    host.doubleClick(2900);
    EXPECT_EQ(bar.Value(), 52);
    EXPECT_EQ(host.events, (Events{"Change", "Change"}));
    EXPECT_TRUE(host.timers[1]->Enabled()) << "the repeat is armed again";
}

TEST_F(Input, DragReanchorsAtTheTopSoTheThumbFollowsBackAtOnce) {
    host.press(700); // 95 twips below the thumb's top
    for (double y = 650; y >= 350; y -= 50)
        host.moveTo(y); // the cursor stays on the thumb
    host.moveTo(345);   // t = 250: pushed against the top, anchor moves to the cursor
    EXPECT_EQ(num("p_BarTop"), 255);
    EXPECT_EQ(bar.Value(), 0);
    host.moveTo(295); // 50 further up, still on the thumb
    EXPECT_EQ(num("p_BarTop"), 255);
    EXPECT_EQ(num("p_DragStartY"), 295);
    EXPECT_EQ(num("p_DragStartTop"), 255);
    host.moveTo(345); // 50 down again moves the thumb 50 down at once
    EXPECT_EQ(num("p_BarTop"), 305);
    EXPECT_NEAR(bar.Value(), 200.0 * 50 / 1400, 1e-9);
    EXPECT_TRUE(host.changed.empty()) << "drag assigns Value directly";
}

TEST_F(Input, DragReanchorsAtTheBottom) {
    host.press(1600);
    for (double y = 1650; y <= 2700; y += 50)
        host.moveTo(y); // pushed past the end at 2700
    EXPECT_EQ(num("p_BarTop"), 3000 - 255 - 1090);
    EXPECT_EQ(bar.Value(), 200);
    EXPECT_EQ(num("p_DragStartY"), 2700);
    EXPECT_EQ(num("p_DragStartTop"), 1655);
    host.moveTo(2650);
    EXPECT_EQ(num("p_BarTop"), 1655 - 50);
}

TEST_F(Input, DragRaisesBarMouseMoveOnTheThumbOnlyAndBarMouseUpOnce) {
    host.press(1000);
    host.moveTo(1000); // on the thumb, Value unchanged: still raised
    host.moveTo(400);  // off the thumb's extent: thumb and Value stay
    EXPECT_EQ(text("p_CurBar"), "VS_BAR");
    host.moveTo(100); // over a button while dragging: only a repaint
    EXPECT_EQ(text("p_CurUp"), "VS_UP");
    EXPECT_EQ(num("p_BarTop"), 605);
    EXPECT_EQ(bar.Value(), 50);
    host.release(1000);
    host.release(1000); // a second release is no drag any more
    EXPECT_EQ(host.events, (Events{"BarMouseMove", "BarMouseUp"}));
}

TEST_F(Input, ValueWrittenDuringBarMouseUpOnlyMovesTheThumb) {
    int32_t clsInHandler = -1;
    host.onEvent = [&](const std::string& name) {
        if (name != "BarMouseUp") return;
        EXPECT_TRUE(flag("p_Dragging")) << "the flags are still set while the container handles it";
        const int32_t before = host.uc.clsCount;
        bar.SetValue(std::round(bar.Value()));
        clsInHandler = host.uc.clsCount - before;
    };
    host.press(1000);
    host.moveTo(1010);
    host.release(1010);
    EXPECT_EQ(clsInHandler, 0) << "no size step while dragging";
    EXPECT_EQ(bar.Value(), 51); // 50 + 10 twips of 7 per unit, rounded
    EXPECT_NEAR(num("p_BarTop"), 255 + 7 * 51, 1e-9);
}

TEST_F(Input, ReleaseAfterATrackPressRaisesNoBarMouseUp) {
    host.press(2000);
    host.release(2000);
    EXPECT_EQ(host.events, Events{"Change"});
}

TEST_F(Input, EveryMessageShowsThePicturesOfItsState) {
    struct Step {
        const char* action;
        double y;
        const char *up, *down, *thumb;
    } steps[] = {
        {"move", 100, "VS_UPHOT", "VS_DOWN", "VS_BAR"},
        {"move", 2900, "VS_UPHOT", "VS_DOWNHOT", "VS_BAR"}, // a button changes nothing else
        {"move", 1000, "VS_UP", "VS_DOWN", "VS_BAR_HOT"},
        {"move", 605, "VS_UP", "VS_DOWN", "VS_BAR_HOT"}, // the thumb's end is on it for hovering
        {"move", 400, "VS_UP", "VS_DOWN", "VS_BAR"},
        {"press", 100, "VS_UPPRESS", "VS_DOWN", "VS_BAR"},
        {"move", 2900, "VS_UPPRESS", "VS_DOWN", "VS_BAR"}, // held: no hot look
        {"release", 2900, "VS_UPPRESS", "VS_DOWNHOT", "VS_BAR"},
        {"move", 1000, "VS_UP", "VS_DOWN", "VS_BAR_HOT"},
        {"press", 1000, "VS_UP", "VS_DOWN", "VS_BAR_PRESS"}, // drag
        {"release", 1000, "VS_UP", "VS_DOWN", "VS_BAR_HOT"},
        {"press", 2000, "VS_UP", "VS_DOWN", "VS_BAR_PRESS"}, // track press
        {"move", 2050, "VS_UP", "VS_DOWN", "VS_BAR"},
        {"release", 100, "VS_UPHOT", "VS_DOWN", "VS_BAR"},
        {"press", 2900, "VS_UPHOT", "VS_DOWNPRESS", "VS_BAR"},
        {"dblclick", 2900, "VS_UPHOT", "VS_DOWNPRESS", "VS_BAR"},
    };
    for (const auto& s : steps) {
        const std::string action = s.action;
        const int32_t clsBefore = host.uc.clsCount;
        if (action == "move") host.moveTo(s.y);
        if (action == "press") host.press(s.y);
        if (action == "release") host.release(s.y);
        if (action == "dblclick") host.doubleClick(s.y);
        const std::string where = action + " " + std::to_string(s.y);
        EXPECT_EQ(text("p_CurUp"), s.up) << where;
        EXPECT_EQ(text("p_CurDown"), s.down) << where;
        EXPECT_EQ(text("p_CurBar"), s.thumb) << where;
        EXPECT_EQ(host.uc.clsCount, clsBefore + 1) << where << ": every handled message repaints";
    }
}

TEST_F(Input, LeavingRestoresTheNormalPicturesButNotWhileTheButtonIsHeld) {
    host.moveTo(100);
    EXPECT_TRUE(flag("p_Hot"));
    EXPECT_EQ(host.windowTimers.count(1), 1u);
    host.advance(50); // cursor inside: stays hot
    EXPECT_TRUE(flag("p_Hot"));
    host.press(100);
    host.cursor.x = 500; // outside the window, button held
    host.advance(50);
    EXPECT_TRUE(flag("p_Hot"));
    EXPECT_EQ(text("p_CurUp"), "VS_UPPRESS");
    host.cursorAt(100);
    host.cursor.x = 500;
    host.release(100);
    host.advance(10);
    EXPECT_FALSE(flag("p_Hot"));
    EXPECT_EQ(host.windowTimers.count(1), 0u) << "the leave check stops its timer";
    EXPECT_EQ(text("p_CurUp"), "VS_UP");
}

TEST_F(Input, AThemeChangeRestoresNormalPicturesEvenWhileHot) {
    host.moveTo(100);
    bar.SetTheme(1);
    EXPECT_EQ(text("p_CurUp"), "VS_UP");
    EXPECT_EQ(utf8(host.uc.paints[5].key), "VS_UP(1)");
}

TEST_F(Input, HeldButtonRepeatsAfterASecondThenEvery50msAndLaterAfter550ms) {
    recordChangeTimes();
    const uint32_t t0 = host.now;
    host.press(2900);
    host.advance(1120);
    host.release(2900);
    EXPECT_EQ(changeTimes, (std::vector<uint32_t>{t0, t0 + 1000, t0 + 1050, t0 + 1100}));
    EXPECT_EQ(XPVScrollAccess::tScrl(bar).Interval(), 50);
    EXPECT_FALSE(XPVScrollAccess::tScrl(bar).Enabled() || XPVScrollAccess::tScrlEnable(bar).Enabled());

    host.advance(1000);
    changeTimes.clear();
    const uint32_t t1 = host.now;
    host.press(2900);
    host.advance(620);
    host.release(2900);
    EXPECT_EQ(changeTimes, (std::vector<uint32_t>{t1, t1 + 550, t1 + 600}));
    EXPECT_EQ(bar.Value(), 57);
}

TEST_F(Input, PagingRepeatsPastTheCursorUntilTheEndThenFallsSilent) {
    recordChangeTimes();
    host.press(2000); // below the thumb: 50 -> 99, then 148, 197, 200
    host.advance(2000);
    EXPECT_EQ(bar.Value(), 200);
    EXPECT_EQ(changeTimes.size(), 4u);
    EXPECT_EQ(num("p_BarTop"), 1655);
    host.release(2000);
}

TEST_F(Input, MessagesOfOtherWindowsAreIgnored) {
    const int32_t cls = host.uc.clsCount;
    XPVScrollAccess::subclassClient(bar).ISubclass_WindowProc(7, platform::WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(host.uc.clsCount, cls);
    EXPECT_FALSE(flag("p_Pressed"));
}

TEST_F(Input, CursorIsConvertedWithTheScreensTwipsPerPixel) {
    host.twipsPerPixel = 15;
    host.cursor.y = host.windowRect.top + 17; // 255 twips: the track, not the up button
    host.deliver(platform::WM_LBUTTONDOWN);
    EXPECT_TRUE(flag("p_Paging"));
    EXPECT_EQ(bar.Value(), 1);
}

} // namespace
} // namespace tavrin::test
