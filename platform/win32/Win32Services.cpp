// The host services on the Windows API: timers, the subclassing server, the clock, message boxes,
// the modal form, and the window plumbing every host window shares.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/software/PictureStore.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Surface.h"
#include "tavrin/automation/AutomationError.h"

#include "platform/win32/Win32Windows.h" // last: <windows.h> renames the platform's constants

#include <commctrl.h>

namespace tavrin::win32 {

// ---- windows ---------------------------------------------------------------------------------

const wchar_t* const kControlClass = L"TavrinControl";
const wchar_t* const kPictureClass = L"TavrinPictureBox";
const wchar_t* const kFrameClass = L"TavrinFrame";

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* handler = reinterpret_cast<WindowHandler*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!handler) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    // No exception may cross the system's frames: a failing handler loses its event only.
    try {
        return handler->handle(hwnd, msg, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void registerClasses() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = windowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kControlClass;
        ::RegisterClassW(&wc);
        wc.style = CS_DBLCLKS;
        wc.lpszClassName = kPictureClass;
        ::RegisterClassW(&wc);
        wc.style = 0;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kFrameClass;
        ::RegisterClassW(&wc);
        INITCOMMONCONTROLSEX common{sizeof(common), ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&common);
        return true;
    }();
    (void)registered;
}

std::vector<std::pair<HWND, Win32Surface*>>& presented() {
    static std::vector<std::pair<HWND, Win32Surface*>> list;
    return list;
}

} // namespace

HWND createWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                  int w, int h, HWND parent, WindowHandler* handler) {
    registerClasses();
    HWND hwnd = ::CreateWindowExW(exStyle, className, title, style, x, y, w, h, parent, nullptr,
                                  ::GetModuleHandleW(nullptr), handler);
    // A control placed on a surface lies over the ones placed before it (the list's scroll bar
    // over the right edge of its drawing surface), while the system puts a new child window under
    // its siblings.
    if (hwnd && (style & WS_CHILD))
        ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return hwnd;
}

void addPresented(HWND hwnd, Win32Surface* surface) {
    presented().emplace_back(hwnd, surface);
}

void removePresented(HWND hwnd) {
    auto& list = presented();
    std::erase_if(list, [hwnd](const auto& entry) { return entry.first == hwnd; });
}

void presentAll() {
    ::GdiFlush();
    for (auto [hwnd, surface] : presented()) {
        if (!::IsWindowVisible(hwnd)) continue;
        HDC dc = ::GetDC(hwnd);
        ::BitBlt(dc, 0, 0, surface->widthPx(), surface->heightPx(), static_cast<HDC>(surface->memoryDc()), 0,
                 0, SRCCOPY);
        ::ReleaseDC(hwnd, dc);
    }
}

int16_t shiftState() {
    int16_t shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= platform::vbShiftMask;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= platform::vbCtrlMask;
    if (::GetKeyState(VK_MENU) < 0) shift |= platform::vbAltMask;
    return shift;
}

namespace {

// ---- screen ----------------------------------------------------------------------------------

class Win32Screen final : public platform::Screen {
  public:
    explicit Win32Screen(double twipsPerPixel) : tpp_(twipsPerPixel) {}
    double TwipsPerPixelX() const override { return tpp_; }
    double TwipsPerPixelY() const override { return tpp_; }
    double Width() const override { return (width_ ? width_ : ::GetSystemMetrics(SM_CXSCREEN)) * tpp_; }
    double Height() const override { return (height_ ? height_ : ::GetSystemMetrics(SM_CYSCREEN)) * tpp_; }
    void set(int32_t width, int32_t height, double tpp) { width_ = width, height_ = height, tpp_ = tpp; }

  private:
    double tpp_;
    int32_t width_ = 0, height_ = 0; // 0: the system's
};

// ---- subclassing server ----------------------------------------------------------------------

class Win32SubclassServer final : public platform::SubclassServer {
  public:
    ~Win32SubclassServer() override {
        for (auto& [hwnd, hooks] : hooks_)
            ::RemoveWindowSubclass(hwnd, &Win32SubclassServer::proc, 1);
    }

    void HookMessage(platform::ISubclass* client, platform::HWND hwnd, int32_t msg) override {
        HWND real = realWindow(hwnd);
        if (!::IsWindow(real)) raise(err::InvalidCall);
        auto& hooks = hooks_[real];
        if (hooks.empty())
            ::SetWindowSubclass(real, &Win32SubclassServer::proc, 1, reinterpret_cast<DWORD_PTR>(this));
        hooks.insert({client, static_cast<UINT>(msg)});
    }

    void UnhookMessage(platform::ISubclass* client, platform::HWND hwnd, int32_t msg) override {
        HWND real = realWindow(hwnd);
        auto it = hooks_.find(real);
        if (it == hooks_.end()) return;
        it->second.erase({client, static_cast<UINT>(msg)});
        if (it->second.empty()) {
            ::RemoveWindowSubclass(real, &Win32SubclassServer::proc, 1);
            hooks_.erase(it);
        }
    }

  private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
        auto* self = reinterpret_cast<Win32SubclassServer*>(data);
        auto it = self->hooks_.find(hwnd);
        if (it != self->hooks_.end()) {
            // A copy: a client may unhook (or hook) while it handles the message.
            std::vector<platform::ISubclass*> clients;
            for (const auto& [client, hooked] : it->second)
                if (hooked == msg) clients.push_back(client);
            for (platform::ISubclass* client : clients) {
                try {
                    client->ISubclass_WindowProc(windowNumber(hwnd), static_cast<int32_t>(msg),
                                                 static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
                } catch (...) {
                }
            }
        }
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }

    std::map<HWND, std::set<std::pair<platform::ISubclass*, UINT>>> hooks_;
};

// ---- the about box and other modal forms ------------------------------------------------------

class Win32Form;

} // namespace

struct Win32Services::Impl {
    explicit Impl(double tpp) : screen(tpp) {}
    Win32Gdi gdi;
    Win32Screen screen;
    Win32SubclassServer subclass;
    software::SoftwarePictureStore pictures;
    platform::Menu* shownMenu = nullptr;
    std::optional<int16_t> menuAnswer;
    int32_t popupCount = 0;
    Win32Form* shownForm = nullptr;
};

namespace {

class Win32Form final : public platform::Form, private WindowHandler {
  public:
    Win32Form(Win32Services& services, double clientWidthTwips, double clientHeightTwips,
              const std::u16string& caption)
        : services_(services), tpp_(services.twipsPerPixel()) {
        const int w = static_cast<int>(clientWidthTwips / tpp_ + 0.5),
                  h = static_cast<int>(clientHeightTwips / tpp_ + 0.5);
        RECT outer{0, 0, w, h};
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        ::AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
        hwnd_ = createWindow(kFrameClass, reinterpret_cast<const wchar_t*>(caption.c_str()), style,
                             WS_EX_DLGMODALFRAME, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                             outer.bottom - outer.top, ::GetActiveWindow(), this);
        surface_ = std::make_unique<Win32Surface>(services.win32Gdi(), w, h);
        addPresented(hwnd_, surface_.get());
    }
    ~Win32Form() override {
        removePresented(hwnd_);
        if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    }

    double Left() const override { return rect().left * tpp_; }
    double Top() const override { return rect().top * tpp_; }
    double Width() const override { return (rect().right - rect().left) * tpp_; }
    double Height() const override { return (rect().bottom - rect().top) * tpp_; }
    void Move(double left, double top) override {
        ::SetWindowPos(hwnd_, nullptr, static_cast<int>(left / tpp_), static_cast<int>(top / tpp_), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void ShowModal() override {
        HWND owner = ::GetWindow(hwnd_, GW_OWNER);
        if (owner) ::EnableWindow(owner, FALSE);
        shown_ = true;
        unloaded_ = false;
        Win32Form* previous = std::exchange(services_.impl().shownForm, this);
        ::ShowWindow(hwnd_, SW_SHOW);
        MSG msg;
        if (services_.modalTurn) {
            // A host with a clock of its own gives the loop its turns.
            while (!unloaded_) {
                while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
                presentAll();
                if (!unloaded_ && !services_.modalTurn()) Unload();
            }
        } else {
            while (!unloaded_ && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
                presentAll();
            }
        }
        services_.impl().shownForm = previous;
        if (owner) ::EnableWindow(owner, TRUE);
        ::ShowWindow(hwnd_, SW_HIDE);
        if (owner) ::SetActiveWindow(owner);
        shown_ = false;
    }
    // A press of a button, as the system gives it (BM_CLICK); false: no such button.
    bool press(const std::u16string& caption) {
        for (size_t i = 0; i < buttons_.size(); ++i) {
            if (buttons_[i].caption != caption) continue;
            ::SendMessageW(buttonWindows_[i], BM_CLICK, 0, 0);
            return true;
        }
        return false;
    }
    void Unload() override {
        unloaded_ = true;
        ::PostMessageW(hwnd_, WM_NULL, 0, 0); // wakes the modal loop
    }
    bool Shown() const override { return shown_ && !unloaded_; }
    platform::DrawingSurface& surface() override { return *surface_; }

    void addButton(Button button) override {
        const int id = static_cast<int>(buttons_.size()) + 1;
        HWND b = ::CreateWindowExW(
            0, L"BUTTON", reinterpret_cast<const wchar_t*>(button.caption.c_str()),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, static_cast<int>(button.left / tpp_),
            static_cast<int>(button.top / tpp_), static_cast<int>(button.width / tpp_),
            static_cast<int>(button.height / tpp_), hwnd_, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
            ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        buttons_.push_back(std::move(button));
        buttonWindows_.push_back(b);
    }

  private:
    RECT rect() const {
        RECT r{};
        ::GetWindowRect(hwnd_, &r);
        return r;
    }

    LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            ::BitBlt(dc, 0, 0, surface_->widthPx(), surface_->heightPx(),
                     static_cast<HDC>(surface_->memoryDc()), 0, 0, SRCCOPY);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_COMMAND: {
            const size_t index = LOWORD(wParam) - 1;
            if (HIWORD(wParam) == BN_CLICKED && index < buttons_.size() && buttons_[index].Click)
                buttons_[index].Click();
            return 0;
        }
        case WM_CLOSE:
            Unload();
            return 0;
        default:
            return ::DefWindowProcW(hwnd, msg, wParam, lParam);
        }
    }

    Win32Services& services_;
    double tpp_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<Win32Surface> surface_;
    std::vector<Button> buttons_;
    std::vector<HWND> buttonWindows_;
    bool shown_ = false, unloaded_ = false;
};

// ---- the popup menu's tracking ------------------------------------------------------------------

// The tracking open now: its idle turns come from a thread timer, which carries no data of its own.
MenuTracking* tracking = nullptr;

} // namespace

MenuTracking::MenuTracking(Win32Services& services, platform::Menu& menu) : services_(services) {
    Win32Services::Impl& impl = services.impl();
    previous_ = std::exchange(impl.shownMenu, &menu);
    previousTracking_ = std::exchange(tracking, this);
    impl.menuAnswer.reset();
    ++impl.popupCount;
    if (services.modalTurn) timer_ = ::SetTimer(nullptr, 0, 1, &MenuTracking::turn);
}

MenuTracking::~MenuTracking() {
    if (timer_) ::KillTimer(nullptr, timer_);
    tracking = previousTracking_;
    services_.impl().shownMenu = previous_;
}

std::optional<int16_t> MenuTracking::answer() const {
    return services_.impl().menuAnswer;
}

void CALLBACK MenuTracking::turn(HWND, UINT, UINT_PTR, DWORD) {
    MenuTracking* self = tracking;
    if (!self || self->inTurn_ || self->closing_ || !self->services_.modalTurn) return;
    self->inTurn_ = true;
    bool more = false;
    try {
        more = self->services_.modalTurn();
    } catch (...) {
    }
    self->inTurn_ = false;
    if (!more && tracking == self) self->services_.cancelMenu();
}

void MenuTracking::close() {
    closing_ = true;
    ::EndMenu();
}

// ---- services ----------------------------------------------------------------------------------

Win32Services::Win32Services() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    twipsPerPixel_ = 1440.0 / (dpi > 0 ? dpi : 96);
    impl_ = std::make_unique<Impl>(twipsPerPixel_);
    registerClasses();
}

Win32Services::~Win32Services() = default;

platform::Gdi& Win32Services::gdi() {
    return impl_->gdi;
}
Win32Gdi& Win32Services::win32Gdi() {
    return impl_->gdi;
}
platform::Screen& Win32Services::screen() {
    return impl_->screen;
}
platform::SubclassServer& Win32Services::subclassServer() {
    return impl_->subclass;
}
platform::PictureStore& Win32Services::pictureStore() {
    return impl_->pictures;
}

uint32_t Win32Services::GetTickCount() {
    return ::GetTickCount();
}

void Win32Services::DoEvents() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // for the loop outside
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    presentAll();
}

void Win32Services::present() {
    presentAll();
}

platform::Menu* Win32Services::shownMenu() const {
    return impl_->shownMenu;
}

void Win32Services::chooseMenu(int16_t index) {
    platform::Menu* menu = impl_->shownMenu;
    if (!menu || index < 0 || index >= menu->count() || !menu->Enabled(index) || menu->Caption(index) == u"-")
        return;
    impl_->menuAnswer = index;
    if (tracking) tracking->close();
}

void Win32Services::cancelMenu() {
    if (!impl_->shownMenu) return;
    impl_->menuAnswer.reset();
    if (tracking) tracking->close();
}

int32_t Win32Services::popupCount() const {
    return impl_->popupCount;
}

platform::Form* Win32Services::shownForm() const {
    return impl_->shownForm;
}

void Win32Services::pressFormButton(const std::u16string& caption) {
    if (impl_->shownForm) impl_->shownForm->press(caption);
}

void Win32Services::setScreen(int32_t widthPx, int32_t heightPx, double twipsPerPixel) {
    twipsPerPixel_ = twipsPerPixel;
    impl_->screen.set(widthPx, heightPx, twipsPerPixel);
}

int Win32Services::run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        presentAll();
    }
    return static_cast<int>(msg.wParam);
}

platform::POINT Win32Services::GetCursorPos() {
    ::POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
}

platform::RECT Win32Services::GetWindowRect(platform::HWND hwnd) {
    ::RECT r{};
    if (!::GetWindowRect(realWindow(hwnd), &r)) return {};
    return {r.left, r.top, r.right, r.bottom};
}

int32_t Win32Services::SetTimer(platform::HWND hwnd, int32_t id, int32_t milliseconds) {
    return static_cast<int32_t>(::SetTimer(realWindow(hwnd), static_cast<UINT_PTR>(id),
                                           static_cast<UINT>(std::max(milliseconds, 1)), nullptr));
}

bool Win32Services::KillTimer(platform::HWND hwnd, int32_t id) {
    return ::KillTimer(realWindow(hwnd), static_cast<UINT_PTR>(id));
}

int32_t Win32Services::MsgBox(const std::u16string& prompt, int32_t style, const std::u16string& title) {
    // The host's message box styles are the system's own numbers.
    return ::MessageBoxW(::GetActiveWindow(), reinterpret_cast<const wchar_t*>(prompt.c_str()),
                         reinterpret_cast<const wchar_t*>(title.c_str()), static_cast<UINT>(style));
}

double Win32Services::ScaleX(double value, platform::ScaleMode from, platform::ScaleMode to) {
    auto twips = [this](platform::ScaleMode m) {
        const double unit = platform::twipsPerUnit(m, false);
        return unit == 0 ? twipsPerPixel_ : unit;
    };
    return value * twips(from) / twips(to);
}

double Win32Services::ScaleY(double value, platform::ScaleMode from, platform::ScaleMode to) {
    auto twips = [this](platform::ScaleMode m) {
        const double unit = platform::twipsPerUnit(m, true);
        return unit == 0 ? twipsPerPixel_ : unit;
    };
    return value * twips(from) / twips(to);
}

std::unique_ptr<platform::Form> Win32Services::createForm(double clientWidthTwips, double clientHeightTwips,
                                                          const std::u16string& caption) {
    return std::make_unique<Win32Form>(*this, clientWidthTwips, clientHeightTwips, caption);
}

} // namespace tavrin::win32
