// The script's host on the real Windows API: the controls on real windows of a form at the same
// place on the screen as on the simulated desktop, painted through GDI when the system asks.
//
// The control's clock stays virtual, as on the simulated desktop: GetTickCount, host timers and
// window timers (WM_TIMER through the window's subclass) run on it, moved by `wait` and by
// DoEvents, so a script times the control exactly as it does there. Input goes through the
// system: the mouse and the keys through SendInput (stamped with the virtual time, so the system
// synthesises double clicks on that clock), characters as posted WM_CHAR messages; focus,
// capture and double clicks are the system's own. The popup menu is the system's TrackPopupMenu,
// answered from the idle turns of its loop.
#include <algorithm>
#include <cmath>
#include <map>

#include "control/TavrinAccess.h"
#include "platform/software/Clock.h"
#include "platform/software/PictureStore.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Png.h"
#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Conversions.h"
#include "tools/tavrin-run/PlacingSession.h"
#include "tools/tavrin-run/win32/Win32ImageList.h"

#include "platform/win32/Win32Windows.h" // last: <windows.h> renames the platform's constants

#include <commctrl.h>

namespace tavrin::run {

namespace {

using software::VirtualClock;

// Input the host adds around the script's own (modifier keys held for one input, the pointer
// placed where a press happens): the system sees it, the controls do not.
constexpr ULONG_PTR kHostInput = 0x54565248;
// A move of the script's own. The system adds moves of its own where the pointer did not move (a
// capture taken or released); the simulated desktop has none, and neither do the scripts.
constexpr ULONG_PTR kScriptMove = 0x5456524D;
constexpr int kFormX = 100, kFormY = 100;     // the form's client area on the screen
constexpr int kControlX = 12, kControlY = 12; // the control on the form
constexpr int kFormWidth = 1200, kFormHeight = 900;

// A host timer on the virtual clock: enabling an enabled timer does not restart it, a new interval
// of an enabled timer counts from that moment.
class VirtualTimer final : public platform::Timer {
  public:
    explicit VirtualTimer(VirtualClock& clock) : clock_(clock) {
        id_ = clock_.addTimer([this] { tick(); });
    }
    ~VirtualTimer() override { clock_.removeTimer(id_); }
    int32_t Interval() const override { return interval_; }
    void SetInterval(int32_t ms) override {
        if (ms < 0 || ms > 65535) raise(err::InvalidPropertyValue);
        if (ms == interval_) return;
        interval_ = ms;
        if (enabled_) restart();
    }
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool on) override {
        if (on == enabled_) return;
        enabled_ = on;
        if (on)
            restart();
        else
            clock_.unschedule(id_);
    }

  private:
    void restart() {
        if (interval_ > 0)
            clock_.scheduleIn(id_, static_cast<uint32_t>(interval_));
        else
            clock_.unschedule(id_);
    }
    void tick() {
        restart();
        if (auto handler = Tick) handler(); // may destroy this timer
    }
    VirtualClock& clock_;
    VirtualClock::TimerId id_;
    int32_t interval_ = 0;
    bool enabled_ = false;
};

// The services with the virtual clock, recorded message boxes and the script's input pump.
class ScriptedServices final : public win32::Win32Services {
  public:
    VirtualClock clock;
    std::function<bool()> pump;
    VirtualClock::Ticks deferredUntil = 0;
    std::function<void()> deliver; // the messages waiting, as a message loop delivers them
    int32_t messageBoxes = 0;
    std::u16string lastMessageBox;

    uint32_t GetTickCount() override { return clock.now(); }
    void DoEvents() override {
        clock.advanceBy(1);
        while (clock.fireNext(clock.ticks()))
            deliver();
        deliver();
        if (pump && clock.ticks() >= deferredUntil) {
            auto copy = pump;
            copy();
            deliver();
        }
    }
    // Window timers: WM_TIMER sent through the window (and so its subclass) on the virtual clock.
    int32_t SetTimer(platform::HWND hwnd, int32_t id, int32_t milliseconds) override {
        if (!::IsWindow(win32::realWindow(hwnd))) return 0;
        const uint32_t interval = static_cast<uint32_t>(std::max(1, milliseconds));
        auto key = std::make_pair(hwnd, id);
        auto it = windowTimers_.find(key);
        if (it == windowTimers_.end())
            it = windowTimers_.emplace(key, WindowTimer{clock.addTimer([this, key] { fire(key); }), interval})
                     .first;
        it->second.interval = interval;
        clock.scheduleIn(it->second.timer, interval);
        return id == 0 ? 1 : id;
    }
    bool KillTimer(platform::HWND hwnd, int32_t id) override {
        auto it = windowTimers_.find({hwnd, id});
        if (it == windowTimers_.end()) return false;
        clock.removeTimer(it->second.timer);
        windowTimers_.erase(it);
        return true;
    }
    int32_t MsgBox(const std::u16string& prompt, int32_t, const std::u16string&) override {
        ++messageBoxes;
        lastMessageBox = prompt;
        return 1; // OK
    }
    std::unique_ptr<platform::Timer> createHostTimer() override {
        return std::make_unique<VirtualTimer>(clock);
    }

  private:
    struct WindowTimer {
        VirtualClock::TimerId timer;
        uint32_t interval;
    };
    void fire(std::pair<platform::HWND, int32_t> key) {
        auto it = windowTimers_.find(key);
        if (it == windowTimers_.end()) return;
        HWND hwnd = win32::realWindow(key.first);
        if (!::IsWindow(hwnd)) {
            clock.removeTimer(it->second.timer);
            windowTimers_.erase(it);
            return;
        }
        clock.scheduleIn(it->second.timer, it->second.interval);
        ::SendMessageW(hwnd, WM_TIMER, static_cast<WPARAM>(key.second), 0);
    }
    std::map<std::pair<platform::HWND, int32_t>, WindowTimer> windowTimers_;
};

// The form the controls sit on.
class FormWindow final : public win32::WindowHandler {
  public:
    LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CLOSE) return 0; // the script closes it
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
};

// Counts the system's WM_PAINT messages of a window.
LRESULT CALLBACK countPaints(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_PAINT) ++*reinterpret_cast<int32_t*>(data);
    if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &countPaints, 2);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

class Win32Session final : public PlacingSession<win32::Win32Site> {
  public:
    explicit Win32Session(std::function<void(const std::string&)> trace) : PlacingSession(std::move(trace)) {
        services_ = std::make_unique<ScriptedServices>();
        services_->deliver = [this] { deliver(); };
        services_->modalTurn = [this] { return modalTurn(); };
        // The screen the controls are told of is the simulated desktop's until the script sets one.
        services_->setScreen(1024, 768, 15.0);
        // The desktop's colours as the simulated desktop has them.
        static const std::pair<int, COLORREF> defaults[] = {{COLOR_WINDOW, 0xFFFFFF},
                                                            {COLOR_WINDOWTEXT, 0x000000},
                                                            {COLOR_HIGHLIGHT, 0xC56A31},
                                                            {COLOR_HIGHLIGHTTEXT, 0xFFFFFF},
                                                            {COLOR_BTNFACE, 0xD8E9EC}};
        for (auto [index, rgb] : defaults)
            setSysColor(index, rgb);
        // Its double click: a second press within 500 ms and 4 pixels of the first.
        ::SetDoubleClickTime(500);
        ::SystemParametersInfoW(SPI_SETDOUBLECLKWIDTH, 9, nullptr, 0);
        ::SystemParametersInfoW(SPI_SETDOUBLECLKHEIGHT, 9, nullptr, 0);
        form_ = win32::createWindow(win32::kFrameClass, L"tavrin-run", WS_POPUP | WS_VISIBLE, 0, kFormX,
                                    kFormY, kFormWidth, kFormHeight, nullptr, &formHandler_);
        other_ =
            ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kFormWidth - 20,
                              kFormHeight - 20, 16, 16, form_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetForegroundWindow(form_);
        ::SetActiveWindow(form_);
        ::SetFocus(nullptr);
        deliver();
    }
    ~Win32Session() override {
        releaseAll();
        deliver();
        ::DestroyWindow(form_);
    }

    // ---- HostView
    uint32_t clock() override { return services_->clock.now(); }
    std::string focusName() override {
        HWND f = ::GetFocus();
        if (!f) return "";
        if (f == other_) return "other";
        if (Tavrin* l = list()) {
            if (f == win32::realWindow(TavrinAccess::iUC(*l).hWnd())) return "iUC";
            if (f == win32::realWindow(TavrinAccess::txtEdit(*l).hWnd())) return "txtEdit";
        }
        return "";
    }
    bool menuShown() override { return services_->shownMenu() != nullptr; }
    int32_t popupCount() override { return services_->popupCount(); }
    int32_t messageBoxCount() override { return services_->messageBoxes; }
    std::u16string lastMessageBox() override { return services_->lastMessageBox; }
    int32_t gdiObjects() override { return services_->win32Gdi().liveObjects(); }
    platform::Form* shownForm() override { return services_->shownForm(); }
    int32_t paintCount(int32_t hwnd) override {
        auto it = paints_.find(hwnd);
        return it == paints_.end() ? 0 : *it->second;
    }
    Placement placement(int32_t hwnd) override {
        HWND w = win32::realWindow(hwnd);
        RECT r{};
        if (!::GetWindowRect(w, &r)) return {};
        ::MapWindowPoints(nullptr, ::GetParent(w), reinterpret_cast<POINT*>(&r), 2);
        return {static_cast<double>(r.left), static_cast<double>(r.top), ::IsWindowVisible(w) != FALSE};
    }

    // ---- set-up
    bool setScreen(int32_t widthPx, int32_t heightPx, double twipsPerPixel) override {
        if (hasControl() || anyRetired()) return false;
        services_->setScreen(widthPx, heightPx, twipsPerPixel);
        return true;
    }
    void setSysColor(int32_t index, uint32_t rgb) override {
        const INT element = index;
        const COLORREF colour = rgb & 0xFFFFFF;
        ::SetSysColors(1, &element, &colour);
    }
    uint32_t sysColor(int32_t index) override { return ::GetSysColor(index); }
    void failPicture(const std::u16string& key) override {
        if (auto* store = dynamic_cast<software::SoftwarePictureStore*>(&services_->pictureStore()))
            store->fail(key);
    }
    void setUserMode(bool userMode) override { ambient_.userMode = userMode; }
    void setDisplayName(const std::u16string& name) override { ambient_.displayName = name; }
    void setAmbientFont(std::shared_ptr<platform::StdFont> font) override { ambient_.font = std::move(font); }
    void setInputPump(std::function<bool()> pump) override { services_->pump = std::move(pump); }
    // The script's statements are counted by the interpreter; the loops of this host spend none.
    void setWorkBudget(uint64_t, std::function<void()>) override {}
    uint64_t workSpent() const override { return 0; }

    int32_t controlWindow(ControlKind kind) override {
        Slot& s = slot(kind);
        return s.site ? win32::windowNumber(static_cast<HWND>(s.site->window())) : 0;
    }

    std::shared_ptr<Dispatchable> makeImageList(int32_t width, int32_t height, int32_t count,
                                                int16_t scaleMode) override {
        return std::make_shared<Win32ImageList>(*services_, width, height, count, scaleMode);
    }
    std::shared_ptr<platform::Picture> loadPicture(const std::string& path, std::string* error) override {
        return win32::readPng(utf16(path), error);
    }

    // ---- input
    void mouseMove(int32_t hwnd, float x, float y, int16_t buttons, int16_t shift) override {
        mouse(hwnd, x, y, MOUSEEVENTF_MOVE, shift, false, static_cast<int16_t>(buttons & ~held_));
    }
    void mouseDown(int32_t hwnd, int16_t button, float x, float y, int16_t shift) override {
        held_ |= button;
        mouse(hwnd, x, y, buttonFlag(button, true), shift, true);
    }
    void mouseUp(int32_t hwnd, int16_t button, float x, float y, int16_t shift) override {
        held_ &= static_cast<int16_t>(~button);
        mouse(hwnd, x, y, buttonFlag(button, false), shift, true);
    }
    void keyDown(int16_t keyCode, int16_t shift) override { key(keyCode, shift, false); }
    void keyUp(int16_t keyCode, int16_t shift) override { key(keyCode, shift, true); }
    void keyPress(int16_t ascii) override {
        if (HWND f = ::GetFocus())
            ::PostMessageW(f, WM_CHAR, static_cast<WPARAM>(static_cast<uint16_t>(ascii)), 1);
        deliver();
    }
    void typeText(const std::u16string& text) override {
        for (char16_t c : text) {
            if (HWND f = ::GetFocus()) ::PostMessageW(f, WM_CHAR, static_cast<WPARAM>(c), 1);
            deliver();
        }
    }
    void focusWindow(int32_t hwnd) override {
        ::SetFocus(hwnd ? win32::realWindow(hwnd) : other_);
        deliver();
    }
    void menuChoose(int16_t index) override { services_->chooseMenu(index); }
    void menuCancel() override { services_->cancelMenu(); }
    void pressFormButton(const std::u16string& caption) override { services_->pressFormButton(caption); }

    // ---- time
    void wait(uint32_t ms) override {
        VirtualClock& clock = services_->clock;
        const VirtualClock::Ticks target = clock.after(ms);
        const VirtualClock::Ticks saved = services_->deferredUntil;
        services_->deferredUntil = std::max(saved, target);
        while (clock.fireNext(target))
            deliver();
        if (target > clock.ticks()) clock.advanceBy(static_cast<uint32_t>(target - clock.ticks()));
        deliver();
        if (services_->deferredUntil == std::max(saved, target)) services_->deferredUntil = saved;
    }
    void deferPumpFor(uint32_t ms) override { services_->deferredUntil = services_->clock.after(ms); }
    void flushPaints() override { deliver(); }

    bool snapshot(int32_t hwnd, bool, const std::string& path, std::string* error) override {
        deliver();
        if (win32::captureWindowPng(win32::realWindow(hwnd), utf16(path))) return true;
        if (error) *error = "the Imaging Component cannot write it";
        return false;
    }

  private:
    // The messages waiting, as the host's message loop delivers them; the host's own input around
    // the script's is seen by the system only. A focus left on a control's own window (its focused
    // edit box was hidden) goes to the list's drawing surface.
    void deliver() {
        MSG msg;
        for (int guard = 0; guard < 100000 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
            if (msg.message == WM_QUIT) continue;
            const LPARAM extra = ::GetMessageExtraInfo();
            if (extra == static_cast<LPARAM>(kHostInput)) continue;
            if (msg.message == WM_MOUSEMOVE && extra != static_cast<LPARAM>(kScriptMove)) continue;
            ::DispatchMessageW(&msg);
        }
        if (Tavrin* l = list()) {
            HWND f = ::GetFocus();
            if (f && f == static_cast<HWND>(slot(ControlKind::List).site->window()))
                ::SetFocus(win32::realWindow(TavrinAccess::iUC(*l).hWnd()));
        }
        services_->present();
    }

    bool modalTurn() {
        if (services_->clock.ticks() < services_->deferredUntil) {
            wait(1);
            return true;
        }
        if (!services_->pump) return false;
        auto copy = services_->pump;
        const bool more = copy();
        deliver();
        return more;
    }

    static DWORD buttonFlag(int16_t button, bool down) {
        if (button == 2) return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
        if (button == 4) return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
        return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }

    INPUT keyInput(WORD vk, bool up, bool host) const {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.ki.time = services_->clock.now();
        in.ki.dwExtraInfo = host ? kHostInput : 0;
        return in;
    }
    // The modifier keys of a shift mask, held by the host around one input.
    std::vector<INPUT> modifiers(int16_t shift, bool up) const {
        std::vector<INPUT> keys;
        if (shift & platform::vbShiftMask) keys.push_back(keyInput(VK_SHIFT, up, true));
        if (shift & platform::vbCtrlMask) keys.push_back(keyInput(VK_CONTROL, up, true));
        if (shift & platform::vbAltMask) keys.push_back(keyInput(VK_MENU, up, true));
        return keys;
    }
    void send(std::vector<INPUT> inputs) {
        if (!inputs.empty()) ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    void key(int16_t code, int16_t shift, bool up) {
        std::vector<INPUT> inputs = modifiers(shift, false);
        inputs.push_back(keyInput(static_cast<WORD>(code), up, false));
        for (INPUT& in : modifiers(shift, true))
            inputs.push_back(in);
        send(inputs);
        deliver();
    }

    // The pointer to a point of a window, then the button (a press or a release: the pointer is
    // placed there by the host without a move of the script's own).
    // `also`: buttons the move reports held that the script did not press; the host holds them for
    // the move alone.
    void mouse(int32_t hwnd, float x, float y, DWORD flags, int16_t shift, bool placeFirst,
               int16_t also = 0) {
        POINT p{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))};
        ::ClientToScreen(win32::realWindow(hwnd), &p);
        const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
        INPUT at{};
        at.type = INPUT_MOUSE;
        // Absolute coordinates are 65536ths of the screen: the first of them that lands in the pixel.
        at.mi.dx = static_cast<LONG>((p.x * 65536 + sw - 1) / sw);
        at.mi.dy = static_cast<LONG>((p.y * 65536 + sh - 1) / sh);
        at.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        at.mi.time = services_->clock.now();
        at.mi.dwExtraInfo = kScriptMove;
        POINT now{};
        ::GetCursorPos(&now);
        const bool there = now.x == p.x && now.y == p.y;
        if (!placeFirst && there) return moveInPlace(p, shift, also);
        std::vector<INPUT> inputs = modifiers(shift, false);
        auto hostButtons = [&](bool down) {
            for (int16_t b : {int16_t{1}, int16_t{2}, int16_t{4}}) {
                if (!(also & b)) continue;
                INPUT in{};
                in.type = INPUT_MOUSE;
                in.mi.dwFlags = buttonFlag(b, down);
                in.mi.time = services_->clock.now();
                in.mi.dwExtraInfo = kHostInput;
                inputs.push_back(in);
            }
        };
        hostButtons(true);
        if (placeFirst) {
            if (!there) {
                INPUT place = at;
                place.mi.dwExtraInfo = kHostInput;
                inputs.push_back(place);
            }
            at.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
        }
        inputs.push_back(at);
        hostButtons(false);
        for (INPUT& in : modifiers(shift, true))
            inputs.push_back(in);
        send(inputs);
        deliver();
    }

    // A move to where the pointer already is: the system reports none, a user's hand does; the
    // window under the pointer (or holding the capture) gets it as the system would send it.
    // `also`: buttons the move reports held besides those the script holds.
    void moveInPlace(POINT p, int16_t shift, int16_t also) {
        HWND target = ::GetCapture();
        if (!target) target = ::WindowFromPoint(p);
        if (!target) return;
        WPARAM keys = 0;
        if (::GetKeyState(VK_LBUTTON) < 0 || (also & 1)) keys |= MK_LBUTTON;
        if (::GetKeyState(VK_RBUTTON) < 0 || (also & 2)) keys |= MK_RBUTTON;
        if (::GetKeyState(VK_MBUTTON) < 0 || (also & 4)) keys |= MK_MBUTTON;
        if (shift & platform::vbShiftMask) keys |= MK_SHIFT;
        if (shift & platform::vbCtrlMask) keys |= MK_CONTROL;
        ::ScreenToClient(target, &p);
        ::SendMessageW(target, WM_MOUSEMOVE, keys,
                       MAKELPARAM(static_cast<int16_t>(p.x), static_cast<int16_t>(p.y)));
        deliver();
    }

    std::unique_ptr<win32::Win32Site> makeSite(ControlKind kind, int32_t clientW, int32_t clientH,
                                               const std::string& savedName) override {
        auto site = std::make_unique<win32::Win32Site>(*services_, typeName(kind), clientW, clientH, form_);
        site->moveTo(kControlX, kControlY);
        site->ambient = ambient_;
        if (ambient_.displayName.empty())
            site->ambient.displayName = savedName.empty() ? typeName(kind) + u"1" : utf16(savedName);
        return site;
    }
    double twipsPerPixel() override { return services_->twipsPerPixel(); }
    void listMade(Tavrin& list) override { countPaintsOf(TavrinAccess::iUC(list).hWnd()); }

    void countPaintsOf(int32_t hwnd) {
        auto count = std::make_shared<int32_t>(0);
        paints_[hwnd] = count;
        ::SetWindowSubclass(win32::realWindow(hwnd), &countPaints, 2,
                            reinterpret_cast<DWORD_PTR>(count.get()));
    }

    std::unique_ptr<ScriptedServices> services_;
    FormWindow formHandler_;
    HWND form_ = nullptr, other_ = nullptr;
    win32::Win32Site::Ambient ambient_;
    std::map<int32_t, std::shared_ptr<int32_t>> paints_;
    int16_t held_ = 0; // the buttons the script holds down
};

} // namespace

bool Session::headless() {
    return false;
}

std::unique_ptr<Session> Session::make(std::function<void(const std::string&)> trace) {
    return std::make_unique<Win32Session>(std::move(trace));
}

} // namespace tavrin::run
