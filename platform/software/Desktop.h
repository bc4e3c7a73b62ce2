// The simulated desktop: one per script or test. It is the host's services (GDI, screen, clock,
// DoEvents, timers, window functions, subclassing server, picture store, message boxes, modal
// forms) and the user in front of it (mouse, keyboard, focus, menus).
//
// Screen layout: the form's client area starts at screen (100, 100); controls sit at (12, 12) in
// it. Input calls take coordinates in pixels of a window's client area; the window under the
// pointer receives the input unless another window holds the capture.
//
// Mouse timeline of one double click on a window (left button):
//   press     -> (focus) MouseDown            [hooked window: WM_LBUTTONDOWN]
//   release   -> MouseUp, Click               [WM_LBUTTONUP]
//   press     -> DblClick                     [WM_LBUTTONDBLCLK]  within 500 ms and 4 px
//   release   -> MouseUp                      [WM_LBUTTONUP]
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/software/Clock.h"
#include "platform/software/Controls.h"
#include "platform/software/PictureStore.h"
#include "platform/software/SoftwareSite.h"
#include "platform/software/SoftwareSurface.h"
#include "platform/software/Window.h"
#include "tavrin/platform/Host.h"

namespace tavrin::software {

// The screen: its size in device pixels and its density. 15 twips per pixel is 96 dots per inch
// (scale 1); a screen of scale 2 has 7.5 twips per pixel, and fonts and the store's pictures are
// drawn twice as many pixels tall there.
struct DesktopOptions {
    int32_t screenWidthPx = 1024, screenHeightPx = 768;
    double twipsPerPixel = 15;

    double scale() const { return 15.0 / twipsPerPixel; }
    // A screen of 1024 x 768 pixels at 96 dots per inch, shown at a scale (1, 1.25, 1.5, 2).
    static DesktopOptions atScale(double scale) {
        return {static_cast<int32_t>(1024 * scale), static_cast<int32_t>(768 * scale), 15.0 / scale};
    }
};

class Desktop final : public platform::Services, private platform::Screen, private platform::SubclassServer {
  public:
    static constexpr int32_t kFormClientX = 100, kFormClientY = 100; // screen pixels
    static constexpr int32_t kControlX = 12, kControlY = 12;         // in the form's client area
    static constexpr uint32_t kDoubleClickMs = 500;
    static constexpr int32_t kDoubleClickPx = 4;

    explicit Desktop(DesktopOptions options = {});
    ~Desktop() override;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    const DesktopOptions& options() const { return options_; }

    // ---- host set-up (before a control is created)
    // Defaults: 5 FFFFFF, 8 000000, 13 C56A31, 14 FFFFFF, 15 D8E9EC; the others classic.
    void setSysColor(int32_t index, uint32_t rgb);
    uint32_t sysColor(int32_t index) const; // 0 for an index outside the table
    using Ambient = SoftwareSite::Ambient;  // empty displayName: "Tavrin1" / "XPVScroll1" by type
    Ambient& ambient() { return ambient_; } // used for the next control created
    void failPicture(const std::u16string& key) { pictureStore_.fail(key); } // "*" = every key

    // ---- the form and control sites
    // A control on the form at (12, 12), client area w x h pixels. "XPVScroll" gets a twips surface.
    std::unique_ptr<SoftwareSite> createControlSite(std::u16string typeName, int32_t clientW,
                                                    int32_t clientH);
    DesktopWindow& form() { return *form_; }
    // The form's client area becomes w x h pixels (an application's window); new area is cleared.
    void resizeForm(int32_t w, int32_t h);
    // The stand-in control that the focus goes "away" to; an application form hides it.
    DesktopWindow& otherControl() { return *other_; }

    // ---- platform::Services
    platform::Gdi& gdi() override { return gdi_; }
    SoftwareGdi& softwareGdi() { return gdi_; }
    platform::Screen& screen() override { return *this; }
    platform::SubclassServer& subclassServer() override { return *this; }
    platform::PictureStore& pictureStore() override { return pictureStore_; }
    uint32_t GetTickCount() override { return clock_.now(); } // starts at 100000
    void DoEvents() override; // +1 ms, due timers, pending paints, then the input pump
    platform::POINT GetCursorPos() override { return cursor_; }
    platform::RECT GetWindowRect(platform::HWND hwnd) override;
    int32_t SetTimer(platform::HWND hwnd, int32_t id, int32_t milliseconds) override; // 0: unknown window
    bool KillTimer(platform::HWND hwnd, int32_t id) override;
    int32_t MsgBox(const std::u16string& prompt, int32_t style, const std::u16string& title) override;
    double ScaleX(double value, platform::ScaleMode from, platform::ScaleMode to) override;
    double ScaleY(double value, platform::ScaleMode from, platform::ScaleMode to) override;
    std::unique_ptr<platform::Form> createForm(double clientWidthTwips, double clientHeightTwips,
                                               const std::u16string& caption) override;

    // ---- time
    VirtualClock& clock() { return clock_; }
    // Advances to now+ms firing timers in time order; paints delivered after each step. The pump
    // is not consulted before the clock reaches now+ms.
    void wait(uint32_t ms);
    // Called by DoEvents and by modal loops for the next input; false: nothing more to run. The
    // pump is called in place, never a copy of it, so a pump that counts its calls keeps count;
    // one that replaces itself stays alive until its call returns.
    void setInputPump(std::function<bool()> pump) {
        pump_ = pump ? std::make_shared<std::function<bool()>>(std::move(pump)) : nullptr;
    }
    // From now on the pump is not called until `ms` have passed.
    void deferPumpFor(uint32_t ms);
    // Every DoEvents and every timer tick spends one unit; once `units` are spent, `exhausted`
    // runs (it is expected to throw, ending whatever loop kept the clock busy).
    void setWorkBudget(uint64_t units, std::function<void()> exhausted);
    uint64_t workSpent() const { return workSpent_; }
    // Delivers the queued Paint events and the focus move away from a hidden window.
    void flushPaints();

    // ---- input (coordinates in pixels of the target window's client area)
    void mouseMove(platform::HWND target, float x, float y, int16_t buttons, int16_t shift);
    enum class ButtonEdge { Down, Up };
    void mouseDown(platform::HWND target, int16_t button, float x, float y, int16_t shift);
    void mouseUp(platform::HWND target, int16_t button, float x, float y, int16_t shift);
    // Offered every key going down before anything else sees it; true when it took the key (an
    // application moving the focus with Tab, a form's own shortcuts).
    std::function<bool(int16_t keyCode, int16_t shift)> keyFilter;
    void keyDown(int16_t keyCode, int16_t shift);
    // The wheel over a point of the target's client area: the window under the pointer gets it.
    void mouseWheel(platform::HWND target, float x, float y, int32_t notches);
    void keyUp(int16_t keyCode, int16_t shift);
    void keyPress(int16_t ascii);
    void typeText(const std::u16string& text);
    void focusWindow(platform::HWND hwnd); // 0: "away", another control on the form gets it
    std::string focusName() const;         // "iUC", "txtEdit", "other" or ""
    DesktopWindow* focused() const { return focused_; }
    platform::HWND captureWindow() const { return capture_ ? capture_->hwnd() : 0; }

    // ---- modal things
    bool menuShown() const { return shownMenu_ != nullptr; }
    platform::Menu* shownMenu() const { return shownMenu_; } // for a host that draws the menu
    int32_t popupCount() const { return popupCount_; }
    void menuChoose(int16_t index); // a disabled entry or a separator leaves the menu open
    void menuCancel();
    platform::Form* shownForm() { return shownForm_; }
    void pressFormButton(const std::u16string& caption); // "Close"

    // ---- the clipboard (text): the desktop's own, unless a window host connects the system's
    std::function<std::u16string()> readClipboard;
    std::function<void(const std::u16string&)> writeClipboard;
    std::u16string clipboardText() const { return readClipboard ? readClipboard() : clipboard_; }
    void setClipboardText(const std::u16string& text) {
        if (writeClipboard)
            writeClipboard(text);
        else
            clipboard_ = text;
    }

    // ---- records
    int32_t messageBoxCount() const { return messageBoxCount_; }
    std::u16string lastMessageBox() const { return lastMessageBox_; }
    int32_t gdiObjects() const { return gdi_.liveObjects(); } // brushes and pens alive

    // ---- pictures
    // The window's whole area (frame, children composed when asked) as an RGB PNG.
    bool snapshot(platform::HWND hwnd, bool withChildren, const std::string& path, std::string* error);
    // The same pixels without a file: width, height, 0x00BBGGRR row by row.
    std::vector<uint32_t> compose(platform::HWND hwnd, bool withChildren, int32_t& width, int32_t& height);

    // ---- windows
    DesktopWindow* window(platform::HWND hwnd) const;

    // ---- used by the windows, sites and controls of this desktop
    platform::HWND registerWindow(DesktopWindow* window);
    void unregisterWindow(DesktopWindow* window);
    void queuePaint(DesktopWindow* window);
    void windowHidden(DesktopWindow* window);
    // A shown window stopped covering `area` (screen pixels): it was hidden, or moved or sized away
    // from there. Each window beneath it that shows there now gets a Paint queued, delivered with the
    // other queued paints; one that keeps no picture of its own first has that part erased to its
    // BackColor. Windows above it, or showing nowhere in the area, get nothing. Popup menus are not
    // windows here: a menu keeps the pixels under it and puts them back, so closing it uncovers nothing.
    void uncovered(DesktopWindow& window, const platform::RECT& area);
    // A top-level window shown goes on top of the others.
    void bringToTop(DesktopWindow* window);
    void setFocus(DesktopWindow* window);
    void popupMenu(platform::Menu& menu);
    void runModal(SoftwareForm& form);
    std::u16string nextDisplayName(const std::u16string& typeName);

  private:
    // platform::Screen
    double TwipsPerPixelX() const override { return options_.twipsPerPixel; }
    double TwipsPerPixelY() const override { return options_.twipsPerPixel; }
    double Width() const override { return options_.screenWidthPx * options_.twipsPerPixel; }
    double Height() const override { return options_.screenHeightPx * options_.twipsPerPixel; }
    // platform::SubclassServer
    void HookMessage(platform::ISubclass* client, platform::HWND hwnd, int32_t msg) override;
    void UnhookMessage(platform::ISubclass* client, platform::HWND hwnd, int32_t msg) override;

    struct Hook {
        platform::ISubclass* client;
        platform::HWND hwnd;
        int32_t msg;
    };
    struct LastClick { // the press of the last left click, for double-click detection
        platform::HWND hwnd = 0;
        uint32_t time = 0;
        platform::POINT at;
    };
    struct WindowTimer {
        platform::HWND hwnd;
        int32_t id;
        int32_t interval;
        VirtualClock::TimerId timer;
    };

    bool hooked(platform::HWND hwnd) const;
    void sendMessage(platform::HWND hwnd, int32_t msg, int32_t wParam, int32_t lParam);
    DesktopWindow* pointerTarget(platform::HWND target, float x, float y, float& wx, float& wy);
    void moveCursor(platform::HWND target, float x, float y);
    void deliverMove(DesktopWindow& w, int16_t buttons, int16_t shift, float x, float y);
    void deliverButton(DesktopWindow& w, ButtonEdge edge, int16_t button, int16_t shift, float x, float y);
    bool isDoubleClick(const DesktopWindow& w) const;
    void changeFocus(DesktopWindow* from, DesktopWindow* to);
    bool previewing(DesktopWindow*& focus, SiteCore*& site) const;
    void fireWindowTimer(platform::HWND hwnd, int32_t id);
    void fireDueTimers();
    void callPump();
    double twipsPer(platform::ScaleMode mode, bool vertical) const;
    void composeWindow(DesktopWindow& w, std::vector<uint32_t>& out, int32_t outW, int32_t outH, int32_t x,
                       int32_t y, bool withChildren);

    DesktopOptions options_;
    std::vector<uint32_t> sysColors_;
    SoftwareGdi gdi_;
    VirtualClock clock_;
    SoftwarePictureStore pictureStore_;
    Ambient ambient_;
    std::unordered_map<platform::HWND, DesktopWindow*> windows_;
    platform::HWND nextHwnd_ = 0x10010;
    std::unique_ptr<DesktopWindow> form_, other_;
    std::vector<DesktopWindow*> topLevels_; // windows without a parent, bottom to top
    std::vector<Hook> hooks_;
    std::vector<WindowTimer> windowTimers_;
    std::vector<DesktopWindow*> paintQueue_;
    DesktopWindow* hiddenFocus_ = nullptr; // a focused window hidden: the focus moves when flushed
    std::unordered_map<std::u16string, int> displayNames_;

    std::shared_ptr<std::function<bool()>> pump_;
    VirtualClock::Ticks pumpDeferredUntil_ = 0;
    uint64_t workSpent_ = 0, workBudget_ = UINT64_MAX;
    std::function<void()> workExhausted_;
    void spendWork();

    platform::POINT cursor_{0, 0};
    DesktopWindow* focused_ = nullptr;
    DesktopWindow* capture_ = nullptr;
    int16_t captureButton_ = 0;
    DesktopWindow* pressed_ = nullptr; // where the left button went down, for Click
    bool pressWasDouble_ = false;      // the press in progress gave DblClick: its release gives no Click
    LastClick lastClick_, press_;
    int16_t heldButtons_ = 0;

    platform::Menu* shownMenu_ = nullptr;
    std::optional<int16_t> menuChoice_;
    int32_t popupCount_ = 0;
    SoftwareForm* shownForm_ = nullptr;

    std::u16string clipboard_;
    int32_t messageBoxCount_ = 0;
    std::u16string lastMessageBox_;
};

} // namespace tavrin::software
