// Terminate while something of the list is still running: its popup menu, the about box, the
// scroll bar's auto-repeat, a drag loop. Nothing of a terminated list runs or counts as an item,
// and every modal loop closes what it opened however it is left.
#include <functional>
#include <vector>

#include "RenderFixture.h"
#include "scrollbar/XPVScrollAccess.h"

namespace tavrin::testing {
namespace {

// Runs the given steps one per call of the desktop's input pump, as a message loop delivers the
// next input while the control waits; false once they are used up.
struct ScriptedPump {
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    bool operator()() {
        if (next >= steps.size()) return false;
        steps[next++]();
        return true;
    }
};

struct TerminateSafety : ::testing::Test {
    ListOnForm form{200, 160};
    void SetUp() override { form.fill(40); }
    platform::HWND iUC() { return TavrinAccess::iUC(*form.list).hWnd(); }
    platform::HWND sbUC() { return TavrinAccess::sbUC(*form.list).hWnd(); }
    void pump(std::vector<std::function<void()>> steps) {
        form.desk.setInputPump(ScriptedPump{std::move(steps)});
    }
};

TEST_F(TerminateSafety, ATerminatedListCountsNoItemsAndIgnoresAMenuChoice) {
    form->SetSelectMode(SelectModeCts::Multiple);
    form->SetItemSelected(2, true);
    form->Terminate();
    EXPECT_EQ(form->ListCount(), 0);
    EXPECT_EQ(form->SelectedCount(), 0);
    EXPECT_EQ(form->ListIndex(), -1);
    for (int16_t entry : {0, 1, 3})
        TavrinAccess::optSelectionMenu_Click(*form.list, entry); // was a loop over a count of -1
    EXPECT_EQ(form->ListCount(), 0);
    EXPECT_THROW(form->ItemText(0), AutomationError);
}

TEST_F(TerminateSafety, AMenuChosenAfterTerminateReachesNothing) {
    form->SetSelectMode(SelectModeCts::Multiple);
    form->SetShowMenu(true);
    int events = 0;
    form.site->onEvent = [&](std::string_view, int32_t, std::vector<Variant>&) { ++events; };
    pump({[&] { form->Terminate(); }, [&] { form.desk.menuChoose(3); }});
    form.desk.mouseDown(iUC(), platform::vbRightButton, 10, 10, 0);
    EXPECT_FALSE(form.desk.menuShown());
    EXPECT_EQ(form->SelectedCount(), 0);
    EXPECT_EQ(events, 0); // not even the MouseDown of the press that opened the menu
}

TEST_F(TerminateSafety, TerminateStopsTheBarsAutoRepeat) {
    const double bottomTwips =
        XPVScrollAccess::site(TavrinAccess::sbUC(*form.list)).UserControl().ScaleHeight() - 100;
    const float y = static_cast<float>(bottomTwips / 15);
    form.desk.mouseDown(sbUC(), platform::vbLeftButton, 5, y, 0);
    form.desk.wait(700); // the repeat runs
    ASSERT_TRUE(XPVScrollAccess::tScrl(TavrinAccess::sbUC(*form.list)).Enabled());
    form->Terminate();
    EXPECT_FALSE(XPVScrollAccess::tScrl(TavrinAccess::sbUC(*form.list)).Enabled());
    EXPECT_FALSE(XPVScrollAccess::tScrlEnable(TavrinAccess::sbUC(*form.list)).Enabled());
    const double value = TavrinAccess::sbUC(*form.list).Value();
    form.desk.wait(2000); // nothing ticks on the released pictures
    EXPECT_EQ(TavrinAccess::sbUC(*form.list).Value(), value);
    EXPECT_EQ(form.desk.messageBoxCount(), 0);
}

TEST_F(TerminateSafety, TheAboutBoxAndTheMenuCloseWhenAnErrorLeavesTheirLoops) {
    pump({[] { throw AutomationError(err::Overflow); }});
    EXPECT_THROW(form->About(), AutomationError);
    EXPECT_EQ(form.desk.shownForm(), nullptr);
    form->SetShowMenu(true);
    pump({[] { throw AutomationError(err::Overflow); }});
    EXPECT_THROW(form.desk.mouseDown(iUC(), platform::vbRightButton, 10, 10, 0), AutomationError);
    EXPECT_FALSE(form.desk.menuShown());
    // The next modal things open and close as usual.
    pump({[&] { form.desk.pressFormButton(u"Close"); }});
    form->About();
    EXPECT_EQ(form.desk.shownForm(), nullptr);
}

TEST_F(TerminateSafety, ADragLoopEndsWhenItsListIsTerminated) {
    int steps = 0;
    form.desk.setInputPump([&] {
        if (++steps == 50) form->Terminate();
        return steps < 100000;
    });
    form.desk.mouseDown(iUC(), platform::vbLeftButton, 10, 10, 0);
    form.desk.mouseMove(iUC(), 10, 400, platform::vbLeftButton, 0); // below: the automatic scrolling
    EXPECT_EQ(steps, 50);
    EXPECT_EQ(form->ListCount(), 0);
}

} // namespace
} // namespace tavrin::testing
