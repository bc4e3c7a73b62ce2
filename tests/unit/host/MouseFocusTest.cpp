// Focus order, capture, click and double-click synthesis, hit testing and raw messages.
#include "HostFixture.h"

namespace tavrin::software::testing {
namespace {

using platform::vbLeftButton;
using platform::vbRightButton;

class MouseTest : public HostTest {
  protected:
    void click(platform::HWND w, float x, float y) {
        desktop.mouseDown(w, vbLeftButton, x, y, 0);
        desktop.mouseUp(w, vbLeftButton, x, y, 0);
    }
    // The mouse events of the log, without their arguments.
    std::vector<std::string> mouseNames() const {
        std::vector<std::string> out;
        for (const std::string& e : log) {
            std::string name = e.substr(0, e.find(' '));
            if (name.rfind("Mouse", 0) == 0 || name == "Click" || name == "DblClick") out.push_back(name);
        }
        return out;
    }
};

TEST_F(MouseTest, FocusEntersMovesInsideAndLeavesTheControlInOrder) {
    desktop.focusWindow(iUCWnd());
    EXPECT_EQ(log, (std::vector<std::string>{"EnterFocus", "iUC.GotFocus"}));
    log.clear();
    openEdit(u"Apple");
    EXPECT_EQ(log, (std::vector<std::string>{"iUC.LostFocus", "txt.GotFocus"}))
        << "child to child: no Enter/Exit";
    EXPECT_EQ(desktop.focusName(), "txtEdit");
    log.clear();
    desktop.focusWindow(0);
    EXPECT_EQ(log, (std::vector<std::string>{"txt.LostFocus", "ExitFocus"}));
    EXPECT_EQ(desktop.focusName(), "other");
}

TEST_F(MouseTest, LeftPressFocusesBeforeMouseDownRightPressAndScrollBarPressDoNot) {
    desktop.mouseDown(iUCWnd(), vbRightButton, 10, 10, 0);
    desktop.mouseUp(iUCWnd(), vbRightButton, 10, 10, 0);
    EXPECT_EQ(desktop.focusName(), "");
    desktop.mouseDown(sbWnd(), vbLeftButton, 5, 5, 0);
    desktop.mouseUp(sbWnd(), vbLeftButton, 5, 5, 0);
    EXPECT_EQ(desktop.focusName(), "");
    log.clear();
    desktop.mouseDown(iUCWnd(), vbLeftButton, 10, 12, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"EnterFocus", "iUC.GotFocus", "MouseDown 1 10,12"}));
}

TEST_F(MouseTest, PressedWindowKeepsTheMouseUntilThatButtonIsReleased) {
    desktop.mouseDown(iUCWnd(), vbLeftButton, 10, 10, 0);
    log.clear();
    desktop.mouseMove(iUCWnd(), 10, -20, vbLeftButton, 0); // above the picture box
    desktop.mouseMove(sbWnd(), 5, 5, vbLeftButton, 0);     // over the scroll bar
    desktop.mouseDown(iUCWnd(), vbRightButton, 10, 10, 0); // another button: no new capture
    desktop.mouseUp(iUCWnd(), vbRightButton, 10, 10, 0);
    desktop.mouseUp(iUCWnd(), vbLeftButton, 10, 200, 0); // released below: no Click
    desktop.mouseMove(iUCWnd(), 10, 200, 0, 0);          // nothing under the pointer now
    EXPECT_EQ(log, (std::vector<std::string>{"MouseMove 1 10,-20", "MouseMove 1 185,5", "MouseDown 2 10,10",
                                             "MouseUp 2 10,10", "MouseUp 1 10,200"}));
    EXPECT_EQ(desktop.captureWindow(), 0);
}

struct DoubleClickCase {
    float dx, dy;
    uint32_t gapMs;
    bool doubleClick;
};

class DoubleClickLimits : public MouseTest, public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(DoubleClickLimits, SecondPressWithinTheLimitsGivesDblClick) {
    const DoubleClickCase c = GetParam();
    click(iUCWnd(), 20, 30);
    desktop.wait(c.gapMs);
    click(iUCWnd(), 20 + c.dx, 30 + c.dy);
    std::vector<std::string> pair{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"};
    std::vector<std::string> two{"MouseDown", "MouseUp", "Click", "MouseDown", "MouseUp", "Click"};
    EXPECT_EQ(mouseNames(), c.doubleClick ? pair : two);
}

INSTANTIATE_TEST_SUITE_P(Host, DoubleClickLimits,
                         ::testing::Values(DoubleClickCase{0, 0, 0, true}, DoubleClickCase{4, -4, 500, true},
                                           DoubleClickCase{5, 0, 100, false},
                                           DoubleClickCase{0, -5, 100, false},
                                           DoubleClickCase{0, 0, 501, false}));

TEST_F(MouseTest, ThirdPressStartsAFreshPairAndAReleaseOutsideGivesNoClick) {
    click(iUCWnd(), 20, 30);
    click(iUCWnd(), 20, 30);
    click(iUCWnd(), 20, 30);
    EXPECT_EQ(mouseNames(), (std::vector<std::string>{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp",
                                                      "MouseDown", "MouseUp", "Click"}));
    log.clear();
    desktop.wait(1000);
    desktop.mouseDown(iUCWnd(), vbLeftButton, 20, 30, 0);
    desktop.mouseUp(iUCWnd(), vbLeftButton, 20, -3, 0); // released outside: no Click ...
    click(iUCWnd(), 20, 30);                            // ... so this is no double click
    EXPECT_EQ(mouseNames(),
              (std::vector<std::string>{"MouseDown", "MouseUp", "MouseDown", "MouseUp", "Click"}));
}

TEST_F(MouseTest, HookedWindowGetsRawMessagesWithTheCursorMovedFirst) {
    RecordingClient client(log);
    std::vector<platform::POINT> cursorAt;
    client.onMessage = [&](int32_t) { cursorAt.push_back(desktop.GetCursorPos()); };
    for (int32_t msg : {platform::WM_MOUSEMOVE, platform::WM_LBUTTONDOWN, platform::WM_LBUTTONUP,
                        platform::WM_LBUTTONDBLCLK})
        desktop.subclassServer().HookMessage(&client, sbWnd(), msg);
    desktop.mouseMove(sbWnd(), 3, 40, 0, 0);
    click(sbWnd(), 5, 30);
    click(sbWnd(), 6, 31);
    EXPECT_EQ(log, (std::vector<std::string>{"MOVE 0 3,40", "LDOWN 1 5,30", "LUP 0 5,30", "LDBL 1 6,31",
                                             "LUP 0 6,31"}));
    platform::RECT r = desktop.GetWindowRect(sbWnd());
    ASSERT_EQ(cursorAt.size(), 5u);
    EXPECT_EQ(cursorAt[0].x, r.left + 3);
    EXPECT_EQ(cursorAt[0].y, r.top + 40);
    EXPECT_EQ(cursorAt[3].y, r.top + 31);
    EXPECT_EQ(desktop.focusName(), "");
}

TEST_F(MouseTest, EditBoxOverThePictureBoxTakesThePressesAboveIt) {
    openEdit(u"Apple");
    log.clear();
    desktop.mouseDown(iUCWnd(), vbLeftButton, 15, 25, 0); // inside the box at (10, 20)-(110, 36)
    desktop.mouseUp(iUCWnd(), vbLeftButton, 15, 25, 0);
    EXPECT_TRUE(mouseNames().empty());
    EXPECT_EQ(desktop.focusName(), "txtEdit");
    desktop.mouseDown(iUCWnd(), vbLeftButton, 15, 60, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"txt.LostFocus", "iUC.GotFocus", "MouseDown 1 15,60"}));
}

TEST_F(MouseTest, WindowRectsAreInScreenPixelsFromTheFormOrigin) {
    platform::RECT control = desktop.GetWindowRect(site->hWnd());
    EXPECT_EQ(control, (platform::RECT{112, 112, 312, 272}));
    site->UserControl().SetBorderStyle(1); // 3D sunken frame: client stays, outer grows by 2 px a side
    EXPECT_EQ(desktop.GetWindowRect(site->hWnd()), (platform::RECT{112, 112, 316, 276}));
    EXPECT_EQ(desktop.GetWindowRect(iUCWnd()), (platform::RECT{116, 116, 296, 272}));
    EXPECT_EQ(desktop.GetWindowRect(0x7FFF0), platform::RECT{});
}

} // namespace
} // namespace tavrin::software::testing
