// A control's window and its children on the Windows API: the control window with its own surface,
// the picture box (a child window backed by a DIB section, painted when the system asks), the EDIT
// text box, the popup menu, host timers and the child control (the list's scroll bar).
#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Surface.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/SystemColors.h"

#include "platform/win32/Win32Windows.h" // last: <windows.h> renames the platform's constants

#include <commctrl.h>

namespace tavrin::win32 {

using platform::Handler;
using platform::KeyPressHandler;
using platform::MouseHandler;

namespace {

int toPixels(double v) {
    return roundToI4(v);
}

// A place in the parent's client area in whole pixels; a negative size is taken as 0.
struct PixelPlace {
    int left, top, width, height;
};
PixelPlace pixelPlace(double left, double top, double width, double height) {
    return {toPixels(left), toPixels(top), std::max(0, toPixels(width)), std::max(0, toPixels(height))};
}

bool inside(HWND container, HWND w) {
    return w && (w == container || ::IsChild(container, w));
}

} // namespace

// ---- the control's window and everything placed on it ----------------------------------------

class Win32SiteCore final : public WindowHandler {
  public:
    Win32SiteCore(Win32Services& services, platform::ControlSite& site, HWND parent, int x, int y, int w,
                  int h, platform::ScaleMode scale);
    ~Win32SiteCore() override;

    Win32Services& services() { return services_; }
    platform::ControlSite& site() { return site_; }
    HWND hwnd() const { return hwnd_; }
    Win32Surface& surface() { return *surface_; }
    platform::UserControlSurface& userControl();
    bool keyPreview() const;

    // Keys of a focused child: the control sees them first while it previews them.
    void keyDown(int16_t code);
    void keyUp(int16_t code);
    bool keyPress(int16_t& ascii); // false when the character was swallowed
    // Focus moving between windows: EnterFocus and ExitFocus when it crosses the control's edge.
    void focusEntered(HWND from);
    void focusLeft(HWND to);

    // The text boxes' colours, asked by the EDIT controls through their parent.
    std::map<HWND, std::pair<COLORREF, COLORREF>> editColours; // back, fore
    std::function<bool(int16_t, int16_t)> shortcut;
    // The picture box that takes the focus back from a text box that is hidden while focused.
    HWND focusFallback = nullptr;

    LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    class UserControl;
    Win32Services& services_;
    platform::ControlSite& site_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<Win32Surface> surface_;
    std::unique_ptr<UserControl> userControl_;
    std::map<HWND, HBRUSH> editBrushes_;
    int32_t lastW_ = -1, lastH_ = -1;
    bool created_ = false;
    UINT captureRelease_ = 0; // the button release that ends the capture a press took
};

// The host's object for the control itself: its surface, frame and size.
class Win32SiteCore::UserControl final : public platform::UserControlSurface {
  public:
    explicit UserControl(Win32SiteCore& core) : core_(core) {}

    platform::HWND hWnd() const override { return windowNumber(core_.hwnd()); }
    bool Enabled() const override { return ::IsWindowEnabled(core_.hwnd()); }
    void SetEnabled(bool enabled) override { ::EnableWindow(core_.hwnd(), enabled); }
    int16_t Appearance() const override { return appearance_; }
    void SetAppearance(int16_t appearance) override {
        if (appearance < 0 || appearance > 1) raise(err::InvalidPropertyValue);
        appearance_ = appearance;
        updateFrame();
    }
    int16_t BorderStyle() const override { return borderStyle_; }
    void SetBorderStyle(int16_t style) override {
        if (style < 0 || style > 1) raise(err::InvalidPropertyValue);
        borderStyle_ = style;
        updateFrame();
    }
    bool KeyPreview() const override { return keyPreview_; }
    void SetKeyPreview(bool on) override { keyPreview_ = on; }
    double Width() const override {
        return outer().right - outer().left == 0 ? 0 : (outer().right - outer().left) * tpp();
    }
    double Height() const override { return (outer().bottom - outer().top) * tpp(); }
    void SetWidth(double twips) override {
        const RECT r = outer();
        ::SetWindowPos(core_.hwnd(), nullptr, 0, 0, toPixels(twips / tpp()), r.bottom - r.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SetHeight(double twips) override {
        const RECT r = outer();
        ::SetWindowPos(core_.hwnd(), nullptr, 0, 0, r.right - r.left, toPixels(twips / tpp()),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void PopupMenu(platform::Menu& menu) override;
    void Refresh() override {
        core_.surface().Cls();
        presentAll();
    }

    // The surface members.
    platform::HDC hDC() override { return s().hDC(); }
    uint32_t BackColor() const override { return s().BackColor(); }
    void SetBackColor(uint32_t c) override {
        s().SetBackColor(c);
        s().Cls();
    }
    void Cls() override { s().Cls(); }
    platform::FontDesc Font() const override { return s().Font(); }
    void SetFont(const platform::FontDesc& f) override { s().SetFont(f); }
    bool FontUnderline() const override { return s().FontUnderline(); }
    void SetFontUnderline(bool u) override { s().SetFontUnderline(u); }
    double TextHeight(std::u16string_view t) override { return s().TextHeight(t); }
    double TextWidth(std::u16string_view t) override { return s().TextWidth(t); }
    double CurrentX() const override { return s().CurrentX(); }
    double CurrentY() const override { return s().CurrentY(); }
    void SetCurrentX(double x) override { s().SetCurrentX(x); }
    void SetCurrentY(double y) override { s().SetCurrentY(y); }
    void Print(std::u16string_view t) override { s().Print(t); }
    void Line(double x1, double y1, double x2, double y2, uint32_t rgb) override {
        s().Line(x1, y1, x2, y2, rgb);
    }
    void PSet(double x, double y, uint32_t rgb) override { s().PSet(x, y, rgb); }
    uint32_t Point(double x, double y) const override { return s().Point(x, y); }
    void PaintPicture(const platform::Picture* p, double x, double y, std::optional<double> w = {},
                      std::optional<double> h = {}) override {
        s().PaintPicture(p, x, y, w, h);
    }
    platform::ScaleMode scaleMode() const override { return s().scaleMode(); }
    double ScaleWidth() const override { return s().ScaleWidth(); }
    double ScaleHeight() const override { return s().ScaleHeight(); }

  private:
    Win32Surface& s() const { return core_.surface(); }
    double tpp() const { return core_.services().twipsPerPixel(); }
    RECT outer() const {
        RECT r{};
        ::GetWindowRect(core_.hwnd(), &r);
        return r;
    }
    // A 3D frame is the system's sunken client edge; a flat one a single line.
    void updateFrame() {
        HWND w = core_.hwnd();
        LONG_PTR style = ::GetWindowLongPtrW(w, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
        LONG_PTR ex = ::GetWindowLongPtrW(w, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
        if (borderStyle_ == 1 && appearance_ == 1) ex |= WS_EX_CLIENTEDGE;
        if (borderStyle_ == 1 && appearance_ == 0) style |= WS_BORDER;
        ::SetWindowLongPtrW(w, GWL_STYLE, style);
        ::SetWindowLongPtrW(w, GWL_EXSTYLE, ex);
        ::SetWindowPos(w, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }

    Win32SiteCore& core_;
    int16_t appearance_ = 1, borderStyle_ = 0;
    bool keyPreview_ = false;
};

Win32SiteCore::Win32SiteCore(Win32Services& services, platform::ControlSite& site, HWND parent, int x, int y,
                             int w, int h, platform::ScaleMode scale)
    : services_(services), site_(site) {
    surface_ = std::make_unique<Win32Surface>(services.win32Gdi(), w, h, scale, services.twipsPerPixel());
    userControl_ = std::make_unique<UserControl>(*this);
    hwnd_ = createWindow(kControlClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, x, y, w, h, parent,
                         this);
    lastW_ = w, lastH_ = h;
    addPresented(hwnd_, surface_.get());
    created_ = true;
}

Win32SiteCore::~Win32SiteCore() {
    removePresented(hwnd_);
    for (auto& [edit, brush] : editBrushes_)
        ::DeleteObject(brush);
    if (::IsWindow(hwnd_)) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

platform::UserControlSurface& Win32SiteCore::userControl() {
    return *userControl_;
}

bool Win32SiteCore::keyPreview() const {
    return userControl_->KeyPreview();
}

void Win32SiteCore::keyDown(int16_t code) {
    int16_t shift = shiftState();
    if (shortcut && shortcut(code, shift)) return;
    if (keyPreview() && site_.KeyDown) site_.KeyDown(code, shift);
}

void Win32SiteCore::keyUp(int16_t code) {
    int16_t shift = shiftState();
    if (keyPreview() && site_.KeyUp) site_.KeyUp(code, shift);
}

bool Win32SiteCore::keyPress(int16_t& ascii) {
    if (keyPreview() && site_.KeyPress) site_.KeyPress(ascii);
    return ascii != 0;
}

void Win32SiteCore::focusEntered(HWND from) {
    if (!inside(hwnd_, from) && site_.EnterFocus) site_.EnterFocus();
}

void Win32SiteCore::focusLeft(HWND to) {
    if (!inside(hwnd_, to) && site_.ExitFocus) site_.ExitFocus();
}

LRESULT Win32SiteCore::handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        ::BitBlt(dc, 0, 0, surface_->widthPx(), surface_->heightPx(), static_cast<HDC>(surface_->memoryDc()),
                 0, 0, SRCCOPY);
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SIZE: {
        const int32_t w = LOWORD(lParam), h = HIWORD(lParam);
        surface_->resize(w, h);
        if (created_ && (w != lastW_ || h != lastH_)) {
            lastW_ = w, lastH_ = h;
            if (site_.Resize) site_.Resize();
        }
        return 0;
    }
    case WM_NCCALCSIZE: {
        // The frame stays around the client area at every size: the system leaves the client edge
        // out of a window no larger than the edge itself, which would give a list lower than a
        // row a client area as high as its frame (and the list then shrinks to nothing).
        RECT& r =
            wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        RECT frame{0, 0, 0, 0};
        ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
        r.left -= frame.left, r.top -= frame.top, r.right -= frame.right, r.bottom -= frame.bottom;
        r.right = std::max(r.right, r.left), r.bottom = std::max(r.bottom, r.top);
        return 0;
    }
    // The pressed control holds the mouse until that button goes up, so a release outside it
    // still reaches it (and its subclass clients, which see the message first).
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (!::GetCapture()) {
            ::SetCapture(hwnd);
            captureRelease_ = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK   ? WM_LBUTTONUP
                              : msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK ? WM_RBUTTONUP
                                                                                 : WM_MBUTTONUP;
        }
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (msg == captureRelease_ && ::GetCapture() == hwnd) ::ReleaseCapture();
        break;
    case WM_CTLCOLOREDIT: {
        auto it = editColours.find(reinterpret_cast<HWND>(lParam));
        if (it == editColours.end()) break;
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, it->second.second);
        ::SetBkColor(dc, it->second.first);
        HBRUSH& brush = editBrushes_[it->first];
        if (brush) ::DeleteObject(brush);
        brush = ::CreateSolidBrush(it->second.first);
        return reinterpret_cast<LRESULT>(brush);
    }
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// ---- child windows -----------------------------------------------------------------------------

namespace {

// What a child window answers from its handle alone: its number, whether it shows, whether it takes
// input, the focus.
template <class Interface> class HandleWindow : public Interface {
  public:
    platform::HWND hWnd() const override { return windowNumber(hwnd_); }
    bool Visible() const override { return ::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE; }
    void SetVisible(bool visible) override { ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
    bool Enabled() const override { return ::IsWindowEnabled(hwnd_); }
    void SetEnabled(bool enabled) override { ::EnableWindow(hwnd_, enabled); }
    void SetFocus() override { ::SetFocus(hwnd_); }

  protected:
    HWND hwnd_ = nullptr;
};

// A child window that its owner places: it answers with the place it was last given, in whole
// pixels, whatever the system made of it.
template <class Interface> class PlacedWindow : public HandleWindow<Interface> {
  public:
    double Left() const override { return place_.left; }
    double Top() const override { return place_.top; }
    double Width() const override { return place_.width; }
    double Height() const override { return place_.height; }

  protected:
    const PixelPlace& remember(double left, double top, double width, double height) {
        return place_ = pixelPlace(left, top, width, height);
    }
    // Moves the window to the remembered place, on top of its siblings or where it is in their
    // stacking order.
    enum class Stacking { Keep, Top };
    void moveWindow(Stacking stacking) {
        const bool top = stacking == Stacking::Top;
        ::SetWindowPos(this->hwnd_, top ? HWND_TOP : nullptr, place_.left, place_.top, place_.width,
                       place_.height, top ? SWP_NOACTIVATE : SWP_NOZORDER | SWP_NOACTIVATE);
    }

  private:
    PixelPlace place_{0, 0, 0, 0};
};

} // namespace

// ---- picture box -------------------------------------------------------------------------------

namespace {

class Win32PictureBox final : public PlacedWindow<platform::PictureBox>, private WindowHandler {
  public:
    explicit Win32PictureBox(Win32SiteCore& core) : core_(core) {
        surface_ = std::make_unique<Win32Surface>(
            core.services().win32Gdi(), 0, 0, platform::ScaleMode::Pixels, core.services().twipsPerPixel());
        hwnd_ = createWindow(kPictureClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, 0, core.hwnd(), this);
        addPresented(hwnd_, surface_.get());
        if (!core.focusFallback) core.focusFallback = hwnd_;
    }
    ~Win32PictureBox() override {
        if (core_.focusFallback == hwnd_) core_.focusFallback = nullptr;
        removePresented(hwnd_);
        if (::IsWindow(hwnd_)) {
            ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            ::DestroyWindow(hwnd_);
        }
    }

    // Window
    void Move(double left, double top, double width, double height) override {
        const PixelPlace& at = remember(left, top, width, height);
        surface_->resize(at.width, at.height);
        // The system repaints what the move shows, through WM_PAINT and so the Paint event.
        moveWindow(Stacking::Keep);
    }

    // DrawingSurface
    platform::HDC hDC() override { return surface_->hDC(); }
    uint32_t BackColor() const override { return surface_->BackColor(); }
    void SetBackColor(uint32_t c) override { surface_->SetBackColor(c); }
    void Cls() override { surface_->Cls(); }
    platform::FontDesc Font() const override { return surface_->Font(); }
    void SetFont(const platform::FontDesc& f) override { surface_->SetFont(f); }
    bool FontUnderline() const override { return surface_->FontUnderline(); }
    void SetFontUnderline(bool u) override { surface_->SetFontUnderline(u); }
    double TextHeight(std::u16string_view t) override { return surface_->TextHeight(t); }
    double TextWidth(std::u16string_view t) override { return surface_->TextWidth(t); }
    double CurrentX() const override { return surface_->CurrentX(); }
    double CurrentY() const override { return surface_->CurrentY(); }
    void SetCurrentX(double x) override { surface_->SetCurrentX(x); }
    void SetCurrentY(double y) override { surface_->SetCurrentY(y); }
    void Print(std::u16string_view t) override { surface_->Print(t); }
    void Line(double x1, double y1, double x2, double y2, uint32_t rgb) override {
        surface_->Line(x1, y1, x2, y2, rgb);
    }
    void PSet(double x, double y, uint32_t rgb) override { surface_->PSet(x, y, rgb); }
    uint32_t Point(double x, double y) const override { return surface_->Point(x, y); }
    void PaintPicture(const platform::Picture* p, double x, double y, std::optional<double> w = {},
                      std::optional<double> h = {}) override {
        surface_->PaintPicture(p, x, y, w, h);
    }
    platform::ScaleMode scaleMode() const override { return surface_->scaleMode(); }
    double ScaleWidth() const override { return surface_->ScaleWidth(); }
    double ScaleHeight() const override { return surface_->ScaleHeight(); }

    int16_t MousePointer() const override { return pointer_; }
    void SetMousePointer(int16_t pointer) override {
        if ((pointer < 0 || pointer > 15) && pointer != 99) raise(err::InvalidPropertyValue);
        pointer_ = pointer;
    }
    std::shared_ptr<platform::Picture> MouseIcon() const override { return icon_; }
    void SetMouseIcon(std::shared_ptr<platform::Picture> icon) override { icon_ = std::move(icon); }

  private:
    void mouse(MouseHandler& handler, int16_t button, WPARAM keys, LPARAM at) {
        if (!handler) return;
        int16_t shift = 0;
        if (keys & MK_SHIFT) shift |= platform::vbShiftMask;
        if (keys & MK_CONTROL) shift |= platform::vbCtrlMask;
        if (::GetKeyState(VK_MENU) < 0) shift |= platform::vbAltMask;
        float x = static_cast<float>(static_cast<int16_t>(LOWORD(at)));
        float y = static_cast<float>(static_cast<int16_t>(HIWORD(at)));
        MouseHandler copy = handler; // the handler may destroy this window
        copy(button, shift, x, y);
    }
    static int16_t buttonsOf(WPARAM keys) {
        int16_t b = 0;
        if (keys & MK_LBUTTON) b |= platform::vbLeftButton;
        if (keys & MK_RBUTTON) b |= platform::vbRightButton;
        if (keys & MK_MBUTTON) b |= platform::vbMiddleButton;
        return b;
    }

    LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            // A window without a stored image: the owner draws it again whenever the system asks.
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            if (Paint) {
                Handler copy = Paint;
                copy();
            }
            ::GdiFlush();
            ::BitBlt(dc, 0, 0, surface_->widthPx(), surface_->heightPx(),
                     static_cast<HDC>(surface_->memoryDc()), 0, 0, SRCCOPY);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_MOUSEACTIVATE:
            return MA_ACTIVATE;
        case WM_LBUTTONDOWN:
            if (::GetFocus() != hwnd) ::SetFocus(hwnd);
            ::SetCapture(hwnd);
            afterDouble_ = false;
            pressed_ = true;
            mouse(MouseDown, platform::vbLeftButton, wParam, lParam);
            return 0;
        case WM_LBUTTONDBLCLK: {
            // The second press of a double click: DblClick instead of MouseDown, and no Click. It
            // is a left press, so it takes the focus too (which may have moved between the presses).
            if (::GetFocus() != hwnd) ::SetFocus(hwnd);
            ::SetCapture(hwnd);
            afterDouble_ = true;
            pressed_ = true;
            if (DblClick) {
                Handler copy = DblClick;
                copy();
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            const bool clicked = pressed_ && !afterDouble_;
            pressed_ = false;
            if (::GetCapture() == hwnd) ::ReleaseCapture();
            mouse(MouseUp, platform::vbLeftButton, wParam, lParam);
            RECT client{};
            ::GetClientRect(hwnd, &client);
            const POINT p{static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
            if (clicked && ::PtInRect(&client, p) && Click) {
                Handler copy = Click;
                copy();
            }
            return 0;
        }
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK: // only the left button double-clicks: a second right press is a press
            ::SetCapture(hwnd);
            mouse(MouseDown, platform::vbRightButton, wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            if (::GetCapture() == hwnd) ::ReleaseCapture();
            mouse(MouseUp, platform::vbRightButton, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            mouse(MouseMove, buttonsOf(wParam), wParam, lParam);
            return 0;
        case WM_SETFOCUS:
            core_.focusEntered(reinterpret_cast<HWND>(wParam));
            if (GotFocus) GotFocus();
            return 0;
        case WM_KILLFOCUS:
            if (LostFocus) LostFocus();
            core_.focusLeft(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: // a key with Alt held is a key like any other to the control
            core_.keyDown(static_cast<int16_t>(wParam));
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            core_.keyUp(static_cast<int16_t>(wParam));
            return 0;
        case WM_CHAR: {
            int16_t ascii = static_cast<int16_t>(wParam);
            core_.keyPress(ascii);
            return 0;
        }
        default:
            return ::DefWindowProcW(hwnd, msg, wParam, lParam);
        }
    }

    Win32SiteCore& core_;
    std::unique_ptr<Win32Surface> surface_;
    int16_t pointer_ = 0;
    std::shared_ptr<platform::Picture> icon_;
    bool pressed_ = false, afterDouble_ = false;
};

// ---- text box: a real EDIT control -----------------------------------------------------------

class Win32TextBox final : public PlacedWindow<platform::TextBox> {
  public:
    explicit Win32TextBox(Win32SiteCore& core) : core_(core) {
        hwnd_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL | ES_LEFT, 0, 0, 0, 0,
                                  core.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowSubclass(hwnd_, &Win32TextBox::proc, 2, reinterpret_cast<DWORD_PTR>(this));
        colours();
        SetFont(font_);
    }
    ~Win32TextBox() override {
        core_.editColours.erase(hwnd_);
        ::RemoveWindowSubclass(hwnd_, &Win32TextBox::proc, 2);
        ::DestroyWindow(hwnd_);
        if (font_handle_) ::DeleteObject(static_cast<HGDIOBJ>(font_handle_));
    }

    void Move(double left, double top, double width, double height) override {
        remember(left, top, width, height);
        moveWindow(Stacking::Top); // over the drawing surface it edits on
    }
    void SetVisible(bool visible) override {
        // A hidden window keeps the keyboard unless someone takes it: the drawing surface does.
        if (!visible && ::GetFocus() == hwnd_ && core_.focusFallback) ::SetFocus(core_.focusFallback);
        PlacedWindow::SetVisible(visible);
    }

    std::u16string Text() const override {
        const int n = ::GetWindowTextLengthW(hwnd_);
        std::u16string text(static_cast<size_t>(n) + 1, u'\0');
        ::GetWindowTextW(hwnd_, reinterpret_cast<wchar_t*>(text.data()), n + 1);
        text.resize(static_cast<size_t>(n));
        return text;
    }
    void SetText(const std::u16string& text) override {
        ::SetWindowTextW(hwnd_, reinterpret_cast<const wchar_t*>(text.c_str()));
    }
    int32_t SelStart() const override {
        DWORD start = 0, end = 0;
        ::SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return static_cast<int32_t>(start);
    }
    void SetSelStart(int32_t start) override {
        if (start < 0) raise(err::InvalidPropertyValue);
        ::SendMessageW(hwnd_, EM_SETSEL, start, start);
    }
    int32_t SelLength() const override {
        DWORD start = 0, end = 0;
        ::SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return static_cast<int32_t>(end - start);
    }
    void SetSelLength(int32_t length) override {
        if (length < 0) raise(err::InvalidPropertyValue);
        const int32_t start = SelStart();
        ::SendMessageW(hwnd_, EM_SETSEL, start, start + length);
    }
    int16_t Alignment() const override { return alignment_; }
    void SetAlignment(int16_t alignment) override {
        if (alignment < 0 || alignment > 2) raise(err::InvalidPropertyValue);
        alignment_ = alignment;
        LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(ES_CENTER | ES_RIGHT);
        style |= alignment == 1 ? ES_RIGHT : alignment == 2 ? ES_CENTER : ES_LEFT;
        ::SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
        ::InvalidateRect(hwnd_, nullptr, TRUE);
    }
    uint32_t BackColor() const override { return back_; }
    void SetBackColor(uint32_t color) override {
        back_ = color;
        colours();
    }
    uint32_t ForeColor() const override { return fore_; }
    void SetForeColor(uint32_t color) override {
        fore_ = color;
        colours();
    }
    platform::FontDesc Font() const override { return font_; }
    void SetFont(const platform::FontDesc& font) override {
        font_ = font;
        void* made = createFont(font, core_.services().twipsPerPixel());
        ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
        if (font_handle_) ::DeleteObject(static_cast<HGDIOBJ>(font_handle_));
        font_handle_ = made;
    }

  private:
    static COLORREF resolve(uint32_t c) {
        return platform::resolveOleColor(c, [](int32_t index) { return ::GetSysColor(index); });
    }
    void colours() {
        core_.editColours[hwnd_] = {resolve(back_), resolve(fore_)};
        ::InvalidateRect(hwnd_, nullptr, TRUE);
    }

    static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR data) {
        auto* self = reinterpret_cast<Win32TextBox*>(data);
        try {
            switch (msg) {
            case WM_CHAR: {
                // KeyPress before the character goes in; a handler that sets it to 0 swallows it.
                int16_t ascii = static_cast<int16_t>(wParam);
                if (!self->core_.keyPress(ascii)) return 0;
                if (self->KeyPress) {
                    KeyPressHandler copy = self->KeyPress;
                    copy(ascii);
                }
                if (!::IsWindow(hwnd) || ascii == 0) return 0;
                wParam = static_cast<WPARAM>(static_cast<uint16_t>(ascii));
                break;
            }
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                self->core_.keyDown(static_cast<int16_t>(wParam));
                break;
            case WM_KEYUP:
            case WM_SYSKEYUP:
                self->core_.keyUp(static_cast<int16_t>(wParam));
                break;
            case WM_SETFOCUS:
                self->core_.focusEntered(reinterpret_cast<HWND>(wParam));
                if (self->GotFocus) self->GotFocus();
                break;
            case WM_KILLFOCUS: {
                LRESULT r = ::DefSubclassProc(hwnd, msg, wParam, lParam);
                if (self->LostFocus) {
                    Handler copy = self->LostFocus;
                    copy();
                }
                self->core_.focusLeft(reinterpret_cast<HWND>(wParam));
                return r;
            }
            default:
                break;
            }
        } catch (...) {
        }
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }

    Win32SiteCore& core_;
    int16_t alignment_ = 0;
    uint32_t back_ = platform::oleColor(platform::SysColor::Window),
             fore_ = platform::oleColor(platform::SysColor::WindowText);
    platform::FontDesc font_;
    void* font_handle_ = nullptr;
};

// ---- menu and timers --------------------------------------------------------------------------

class Win32Menu final : public platform::Menu {
  public:
    explicit Win32Menu(std::vector<std::u16string> captions)
        : captions_(std::move(captions)), enabled_(captions_.size(), true) {}
    int16_t count() const override { return static_cast<int16_t>(captions_.size()); }
    std::u16string Caption(int16_t i) const override { return captions_.at(static_cast<size_t>(i)); }
    bool Enabled(int16_t i) const override { return enabled_.at(static_cast<size_t>(i)); }
    void SetEnabled(int16_t i, bool on) override { enabled_.at(static_cast<size_t>(i)) = on; }

  private:
    std::vector<std::u16string> captions_;
    std::vector<bool> enabled_;
};

// Host timers tick through one hidden window.
class TimerWindow final : public WindowHandler {
  public:
    static TimerWindow& instance() {
        static TimerWindow window;
        return window;
    }
    HWND hwnd() const { return hwnd_; }
    std::map<UINT_PTR, platform::Timer*> timers;
    UINT_PTR nextId = 1;

  private:
    TimerWindow() { hwnd_ = createWindow(kControlClass, L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE, this); }
    LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TIMER) {
            auto it = timers.find(wParam);
            if (it != timers.end() && it->second->Tick) {
                Handler copy = it->second->Tick;
                copy();
            }
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    HWND hwnd_;
};

class Win32Timer final : public platform::Timer {
  public:
    Win32Timer() : id_(TimerWindow::instance().nextId++) { TimerWindow::instance().timers[id_] = this; }
    ~Win32Timer() override {
        stop();
        TimerWindow::instance().timers.erase(id_);
    }
    int32_t Interval() const override { return interval_; }
    void SetInterval(int32_t ms) override {
        if (ms < 0 || ms > 65535) raise(err::InvalidPropertyValue);
        interval_ = ms;
        if (enabled_) start(); // a new interval counts from now
    }
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool on) override {
        if (on == enabled_) return; // enabling an enabled timer does not restart it
        enabled_ = on;
        on ? start() : stop();
    }

  private:
    void start() {
        stop();
        if (interval_ > 0)
            ::SetTimer(TimerWindow::instance().hwnd(), id_, static_cast<UINT>(interval_), nullptr);
    }
    void stop() { ::KillTimer(TimerWindow::instance().hwnd(), id_); }
    UINT_PTR id_;
    int32_t interval_ = 0;
    bool enabled_ = false;
};

} // namespace

std::unique_ptr<platform::Timer> Win32Services::createHostTimer() {
    return std::make_unique<Win32Timer>();
}

void Win32SiteCore::UserControl::PopupMenu(platform::Menu& menu) {
    HMENU popup = ::CreatePopupMenu();
    for (int16_t i = 0; i < menu.count(); ++i) {
        const std::u16string caption = menu.Caption(i);
        if (caption == u"-")
            ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(popup, MF_STRING | (menu.Enabled(i) ? 0 : MF_GRAYED), static_cast<UINT_PTR>(i + 1),
                          reinterpret_cast<const wchar_t*>(caption.c_str()));
    }
    ::POINT at{};
    ::GetCursorPos(&at);
    presentAll();
    MenuTracking tracking(core_.services(), menu);
    int chosen = ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
                                  at.y, 0, core_.hwnd(), nullptr);
    ::DestroyMenu(popup);
    if (std::optional<int16_t> answer = tracking.answer()) chosen = *answer + 1;
    if (chosen > 0 && menu.Click) menu.Click(static_cast<int16_t>(chosen - 1));
}

// ---- the child control (the list's scroll bar) ------------------------------------------------

namespace {

class Win32ChildSite final : public platform::ControlSite::ChildSite {
  public:
    Win32ChildSite(Win32SiteCore& parent, std::u16string name) : parent_(parent), name_(std::move(name)) {
        core_ = std::make_unique<Win32SiteCore>(parent.services(), *this, parent.hwnd(), 0, 0, 0, 0,
                                                platform::ScaleMode::Twips);
        extender_ = std::make_unique<Extender>(*core_);
    }

    platform::Services& services() override { return parent_.services(); }
    platform::UserControlSurface& UserControl() override { return core_->userControl(); }
    bool AmbientUserMode() override { return parent_.site().AmbientUserMode(); }
    std::shared_ptr<platform::StdFont> AmbientFont() override { return parent_.site().AmbientFont(); }
    std::u16string AmbientDisplayName() override { return name_; }
    bool ExtenderVisible() override { return ::IsWindowVisible(core_->hwnd()); }
    void PropertyChanged(std::string_view) override {}
    void RaiseEvent(std::string_view name, int32_t memberId, std::vector<Variant>& args) override {
        if (onEvent) onEvent(name, memberId, args);
    }
    std::unique_ptr<platform::PictureBox> createPictureBox() override {
        return std::make_unique<Win32PictureBox>(*core_);
    }
    std::unique_ptr<platform::TextBox> createTextBox() override {
        return std::make_unique<Win32TextBox>(*core_);
    }
    std::unique_ptr<platform::Menu> createMenu(std::vector<std::u16string> captions) override {
        return std::make_unique<Win32Menu>(std::move(captions));
    }
    std::unique_ptr<platform::Timer> createTimer() override { return parent_.services().createHostTimer(); }
    std::unique_ptr<ChildSite> createChildSite(std::u16string name) override {
        return std::make_unique<Win32ChildSite>(*core_, std::move(name));
    }
    platform::Window& extender() override { return *extender_; }

  private:
    // The child as its parent places it, in the parent's pixels.
    class Extender final : public HandleWindow<platform::Window> {
      public:
        explicit Extender(Win32SiteCore& core) { hwnd_ = core.hwnd(); }
        // Where the window is now: the child sizes itself too (the bar keeps its own width).
        double Left() const override { return place().left; }
        double Top() const override { return place().top; }
        double Width() const override { return place().right - place().left; }
        double Height() const override { return place().bottom - place().top; }
        void Move(double left, double top, double width, double height) override {
            const PixelPlace at = pixelPlace(left, top, width, height);
            ::SetWindowPos(hwnd_, nullptr, at.left, at.top, at.width, at.height,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        }
        void SetFocus() override {} // a scroll bar never takes the focus

      private:
        RECT place() const {
            RECT r{};
            ::GetWindowRect(hwnd_, &r);
            ::MapWindowPoints(nullptr, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
            return r;
        }
    };

    Win32SiteCore& parent_;
    std::u16string name_;
    std::unique_ptr<Win32SiteCore> core_;
    std::unique_ptr<Extender> extender_;
};

// The top-level window that holds a site made without a parent.
class FrameWindow final : public WindowHandler {
  public:
    LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CLOSE) { // the user closed the window: the program's loop ends
            ::PostQuitMessage(0);
            return 0;
        }
        if (msg == WM_SETFOCUS && child) {
            ::SetFocus(child);
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    HWND child = nullptr;
};

constexpr int kFrameMargin = 8;

} // namespace

// ---- the site of a control on its window -------------------------------------------------------

Win32Site::Win32Site(Win32Services& services, std::u16string typeName, int32_t clientW, int32_t clientH,
                     void* parent, std::u16string caption)
    : services_(services), typeName_(std::move(typeName)) {
    HWND parentWindow = static_cast<HWND>(parent);
    int x = 0, y = 0;
    // The scroll bar draws in twips, as on every host.
    const platform::ScaleMode scale =
        typeName_ == u"XPVScroll" ? platform::ScaleMode::Twips : platform::ScaleMode::Pixels;
    if (!parentWindow) {
        auto* frame = new FrameWindow; // lives as long as the program
        RECT outer{0, 0, clientW + 2 * kFrameMargin, clientH + 2 * kFrameMargin};
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        ::AdjustWindowRect(&outer, style, FALSE);
        parentWindow =
            createWindow(kFrameClass, reinterpret_cast<const wchar_t*>(caption.c_str()), style, 0, 40, 40,
                         outer.right - outer.left, outer.bottom - outer.top, nullptr, frame);
        frame_ = parentWindow;
        x = y = kFrameMargin;
        core_ = std::make_unique<Win32SiteCore>(services, *this, parentWindow, x, y, clientW, clientH, scale);
        frame->child = core_->hwnd();
    } else {
        core_ = std::make_unique<Win32SiteCore>(services, *this, parentWindow, x, y, clientW, clientH, scale);
    }
    core_->shortcut = [this](int16_t code, int16_t shift) { return onShortcut && onShortcut(code, shift); };
}

Win32Site::~Win32Site() {
    core_.reset();
    if (frame_ && ::IsWindow(static_cast<HWND>(frame_))) ::DestroyWindow(static_cast<HWND>(frame_));
}

void Win32Site::resizeClient(int32_t w, int32_t h) {
    HWND hwnd = core_->hwnd();
    RECT outer{0, 0, w, h};
    ::AdjustWindowRectEx(&outer, static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    ::SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (Resize) Resize();
}

void Win32Site::moveTo(int32_t x, int32_t y) {
    ::SetWindowPos(core_->hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t Win32Site::clientWidth() const {
    RECT r{};
    ::GetClientRect(core_->hwnd(), &r);
    return r.right;
}

int32_t Win32Site::clientHeight() const {
    RECT r{};
    ::GetClientRect(core_->hwnd(), &r);
    return r.bottom;
}

void* Win32Site::window() const {
    return core_->hwnd();
}

void* Win32Site::frameWindow() const {
    return frame_;
}

void Win32Site::show() {
    if (frame_) {
        ::ShowWindow(static_cast<HWND>(frame_), SW_SHOW);
        ::UpdateWindow(static_cast<HWND>(frame_));
    }
}

platform::Services& Win32Site::services() {
    return services_;
}
platform::UserControlSurface& Win32Site::UserControl() {
    return core_->userControl();
}
std::shared_ptr<platform::StdFont> Win32Site::AmbientFont() {
    return ambient.font ? ambient.font : std::make_shared<platform::StdFont>();
}
bool Win32Site::ExtenderVisible() {
    return ::IsWindowVisible(core_->hwnd()) || (frame_ && !::IsWindowVisible(static_cast<HWND>(frame_)));
}
void Win32Site::PropertyChanged(std::string_view name) {
    if (onPropertyChanged) onPropertyChanged(name);
}
void Win32Site::RaiseEvent(std::string_view name, int32_t memberId, std::vector<Variant>& args) {
    if (onEvent) onEvent(name, memberId, args);
}
std::unique_ptr<platform::PictureBox> Win32Site::createPictureBox() {
    return std::make_unique<Win32PictureBox>(*core_);
}
std::unique_ptr<platform::TextBox> Win32Site::createTextBox() {
    return std::make_unique<Win32TextBox>(*core_);
}
std::unique_ptr<platform::Menu> Win32Site::createMenu(std::vector<std::u16string> captions) {
    return std::make_unique<Win32Menu>(std::move(captions));
}
std::unique_ptr<platform::Timer> Win32Site::createTimer() {
    return services_.createHostTimer();
}
std::unique_ptr<platform::ControlSite::ChildSite> Win32Site::createChildSite(std::u16string name) {
    return std::make_unique<Win32ChildSite>(*core_, std::move(name));
}

} // namespace tavrin::win32
