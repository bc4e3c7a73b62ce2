// The window's events reaching the desktop: coordinates, the popup menu and the modal form drawn
// by the window, shortcuts and text, and the control's DoEvents loops fed from the input pump.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "platform/sdl/InputRouter.h"
#include "platform/software/Desktop.h"
#include "platform/software/SoftwareSite.h"
#include "tavrin/Tavrin.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::sdl {
namespace {

constexpr int32_t kCanvasW = 600, kCanvasH = 460, kListW = 200, kListH = 110;

SDL_Event button(bool down, uint8_t which, int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = which;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event motion(int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event key(bool down, SDL_Keycode sym) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.sym = sym;
    return e;
}

SDL_Event text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::snprintf(e.text.text, sizeof e.text.text, "%s", utf8);
    return e;
}

class InputRouterTest : public ::testing::Test {
  protected:
    InputRouterTest() {
        site = desktop.createControlSite(u"Tavrin", kListW, kListH);
        router = std::make_unique<InputRouter>(desktop, site->hWnd(), kCanvasW, kCanvasH);
        site->onEvent = [this](std::string_view name, int32_t, std::vector<Variant>&) {
            if (name == "MouseMove") ++mouseMoves;
        };
        list = std::make_unique<Tavrin>(*site);
        list->InitProperties();
        site->resizeClient(kListW, kListH);
        list->SetItemHeightAuto(false);
        list->SetItemHeight(20);
        for (int i = 0; i < 40; ++i)
            list->AddItem(Variant::string(u"Item " + utf16(std::to_string(i))));
        desktop.flushPaints();
        desktop.setInputPump([this] { return pumpOnce(); });
    }
    ~InputRouterTest() override {
        desktop.setInputPump(nullptr);
        list->Terminate();
    }

    // The window's queue as the pump sees it: what is queued, else what `whenIdle` does.
    bool pumpOnce() {
        ++pumpCalls;
        if (pumpCalls > 20000) // a drag loop that never ends fails the test rather than hanging it
            desktop.mouseUp(site->hWnd(), platform::vbLeftButton, 0, 0, 0);
        if (!queue.empty()) {
            SDL_Event e = queue.front();
            queue.pop_front();
            router->feed(e);
            router->flushMotion();
        } else if (whenIdle) {
            whenIdle();
        }
        return !router->quitting();
    }
    void feed(const SDL_Event& e) {
        router->feed(e);
        router->flushMotion();
    }
    platform::POINT row(int16_t index) const {
        platform::POINT o = router->controlOrigin();
        return {o.x + 30, o.y + index * 20 + 10};
    }
    void clickAt(platform::POINT p, uint8_t which = SDL_BUTTON_LEFT) {
        feed(button(true, which, p.x, p.y));
        feed(button(false, which, p.x, p.y));
    }

    software::Desktop desktop;
    std::unique_ptr<software::SoftwareSite> site;
    std::unique_ptr<Tavrin> list;
    std::unique_ptr<InputRouter> router;
    std::deque<SDL_Event> queue;
    std::function<void()> whenIdle;
    int pumpCalls = 0, mouseMoves = 0;
};

TEST_F(InputRouterTest, WindowPixelsMapToTheControlsClientAreaInsideItsFrame) {
    // The 3D look gives the control's window a frame: its client area starts inside it.
    const int32_t frame = desktop.window(site->hWnd())->frame();
    ASSERT_GT(frame, 0);
    platform::POINT o = router->controlOrigin();
    EXPECT_EQ(o.x, software::Desktop::kControlX + frame);
    EXPECT_EQ(o.y, software::Desktop::kControlY + frame);
    // The first and last pixel rows of row 3 both hit row 3.
    for (int32_t y : {o.y + 60, o.y + 79}) {
        feed(button(true, SDL_BUTTON_LEFT, o.x + 5, y));
        feed(button(false, SDL_BUTTON_LEFT, o.x + 5, y));
        EXPECT_EQ(list->ListIndex(), 3) << y;
    }
    EXPECT_EQ(desktop.captureWindow(), 0);
}

TEST_F(InputRouterTest, MenuEntriesAreChosenByTheirDrawnPlaceAndDisabledOnesStayOpen) {
    list->SetShowMenu(true);
    // Single mode: the entries are disabled, a press on one leaves the menu open; outside cancels.
    int presses = 0;
    whenIdle = [&] {
        auto layout = router->menuLayout();
        ASSERT_TRUE(layout);
        platform::RECT first = layout->entries[0];
        platform::POINT p = presses++ == 0 ? platform::POINT{first.left + 4, first.top + 4}
                                           : platform::POINT{layout->box.right + 20, layout->box.bottom + 20};
        queue.push_back(button(true, SDL_BUTTON_LEFT, p.x, p.y));
        queue.push_back(button(false, SDL_BUTTON_LEFT, p.x, p.y));
    };
    clickAt(row(1), SDL_BUTTON_RIGHT);
    EXPECT_EQ(presses, 2);
    EXPECT_FALSE(desktop.menuShown());
    EXPECT_EQ(list->SelectedCount(), 0);

    // Multiple mode: "Select all", found by the entry's rectangle.
    list->SetSelectMode(SelectModeCts::Multiple);
    whenIdle = [&] {
        platform::RECT first = router->menuLayout()->entries[0];
        queue.push_back(button(true, SDL_BUTTON_LEFT, first.left + 4, first.bottom - 1));
    };
    clickAt(row(1), SDL_BUTTON_RIGHT);
    EXPECT_EQ(list->SelectedCount(), 40);
    EXPECT_EQ(desktop.popupCount(), 2);
    EXPECT_EQ(desktop.captureWindow(), 0); // the right button's release still reached the desktop
}

TEST_F(InputRouterTest, TheMenuStaysOnTheCanvasNearItsEdges) {
    list->SetShowMenu(true);
    // A window that ends just right of and below the pointer: the menu opens up and to the left.
    const platform::POINT p = row(4);
    InputRouter small(desktop, site->hWnd(), p.x + 120, p.y + 30);
    whenIdle = [&] {
        MenuLayout layout = *small.menuLayout();
        EXPECT_GE(layout.box.left, 0);
        EXPECT_EQ(layout.box.right, p.x + 120);
        EXPECT_EQ(layout.box.bottom, p.y + 30);
        EXPECT_EQ(layout.entries.size(), 4u);
        EXPECT_EQ(layout.entries.back().bottom, layout.box.bottom - 2);
        queue.push_back(key(true, SDLK_ESCAPE)); // Escape closes it
    };
    small.feed(button(true, SDL_BUTTON_RIGHT, p.x, p.y));
    small.feed(button(false, SDL_BUTTON_RIGHT, p.x, p.y));
    EXPECT_FALSE(desktop.menuShown());
    EXPECT_EQ(desktop.popupCount(), 1);
}

TEST_F(InputRouterTest, ShortcutsTakeKeysOutsideTheEditBoxAndDropTheirText) {
    std::vector<int16_t> taken;
    router->shortcut = [&](int16_t code, int16_t) {
        if (code != 'T') return false;
        taken.push_back(code);
        return true;
    };
    clickAt(row(2));
    feed(key(true, SDLK_t));
    feed(text("t"));
    feed(key(false, SDLK_t));
    EXPECT_EQ(taken, std::vector<int16_t>{'T'});

    // In the edit box every key is the box's: the shortcut is not asked, the letter is typed.
    list->StartEdit();
    ASSERT_EQ(desktop.focusName(), "txtEdit");
    feed(key(true, SDLK_t));
    feed(text("t"));
    feed(text("é"));
    feed(key(true, SDLK_BACKSPACE));
    feed(text("o"));
    feed(key(true, SDLK_RETURN));
    EXPECT_EQ(taken.size(), 1u);
    EXPECT_EQ(list->ItemText(2), u"to");
}

TEST_F(InputRouterTest, TheAboutBoxClosesByItsDrawnCloseButton) {
    whenIdle = [&] {
        auto* form = dynamic_cast<software::SoftwareForm*>(desktop.shownForm());
        ASSERT_NE(form, nullptr);
        FormLayout layout = *router->formLayout();
        EXPECT_LE(layout.outer.right, kCanvasW);
        // A press on the form's body does nothing; one on Close presses it.
        queue.push_back(button(true, SDL_BUTTON_LEFT, layout.client.x + 5, layout.client.y + 5));
        const auto& close = form->buttons().front();
        queue.push_back(button(true, SDL_BUTTON_LEFT,
                               layout.client.x + static_cast<int32_t>(close.left / 15) + 3,
                               layout.client.y + static_cast<int32_t>(close.top / 15) + 3));
    };
    list->About();
    EXPECT_EQ(desktop.shownForm(), nullptr);
    EXPECT_LT(pumpCalls, 10);
}

TEST_F(InputRouterTest, MotionInsideTheAutoScrollLoopIsThrottledAndAnEdgeCrossingEndsIt) {
    list->SetSelectMode(SelectModeCts::Multiple);
    platform::POINT o = router->controlOrigin();
    const int32_t below = o.y + kListH + 30;
    int fed = 0;
    // While the loop runs: a new position below every millisecond for half a second, then back in.
    whenIdle = [&] { feed(fed++ < 500 ? motion(o.x + 10, below + fed % 7) : motion(o.x + 10, o.y + 50)); };
    feed(button(true, SDL_BUTTON_LEFT, o.x + 10, o.y + 10));
    feed(motion(o.x + 10, below));
    // The loop ended on the crossing, not on a release; a few motions reached the control, not 500.
    EXPECT_EQ(fed, 501);
    EXPECT_LE(mouseMoves, 2 + 500 / static_cast<int>(InputRouter::kNestedMotionMs) + 2);
    EXPECT_GT(list->ListIndex(), 5);
    feed(button(false, SDL_BUTTON_LEFT, o.x + 10, o.y + 50));
    EXPECT_EQ(desktop.captureWindow(), 0);
}

TEST_F(InputRouterTest, QuittingReleasesTheHeldButtonSoTheDragLoopEnds) {
    platform::POINT o = router->controlOrigin();
    whenIdle = [&] {
        if (pumpCalls == 50) router->requestQuit();
    };
    feed(button(true, SDL_BUTTON_LEFT, o.x + 10, o.y + 10));
    feed(motion(o.x + 10, o.y + kListH + 40));
    EXPECT_EQ(pumpCalls, 50);
    EXPECT_EQ(desktop.captureWindow(), 0);
    // After quitting, presses are no longer delivered.
    feed(button(true, SDL_BUTTON_LEFT, o.x + 10, o.y + 10));
    EXPECT_EQ(desktop.captureWindow(), 0);
}

} // namespace
} // namespace tavrin::sdl
