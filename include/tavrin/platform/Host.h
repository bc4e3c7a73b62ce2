// What a user control gets from its host: its own surface, ambient and extender properties, child
// controls, timers, the clock, window functions, the subclassing and picture servers, message boxes
// and modal forms.
//
// Every call runs on the one user-interface thread and has finished when it returns. Events are
// delivered through the std::function slots of each object; an empty slot ignores the event.
// Lengths are pixels unless a member says twips.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/automation/Dispatch.h"
#include "tavrin/platform/DrawingSurface.h"
#include "tavrin/platform/Font.h"
#include "tavrin/platform/Gdi.h"
#include "tavrin/platform/Picture.h"
#include "tavrin/platform/PropertyBag.h"

namespace tavrin::platform {

using HWND = int32_t;

// Button and shift masks of mouse and key events.
constexpr int16_t vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4;
constexpr int16_t vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4;

// Window messages delivered through the subclassing server.
constexpr int32_t WM_TIMER = 0x113, WM_MOUSEMOVE = 0x200, WM_LBUTTONDOWN = 0x201, WM_LBUTTONUP = 0x202,
                  WM_LBUTTONDBLCLK = 0x203;

// Message box styles.
constexpr int32_t vbOKOnly = 0, vbCritical = 16, vbExclamation = 48, vbInformation = 64;

// ---------------------------------------------------------------------------------------------
// Windows and child controls

class Window {
  public:
    virtual ~Window() = default;
    virtual HWND hWnd() const = 0;
    // Position and size in the parent's client area, in pixels.
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    // Negative sizes are taken as 0. A window that is shown or resized gets a Paint event once the
    // handler that caused it has returned.
    virtual void Move(double left, double top, double width, double height) = 0;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetFocus() = 0;
};

using MouseHandler = std::function<void(int16_t& button, int16_t& shift, float& x, float& y)>;
using KeyHandler = std::function<void(int16_t& keyCode, int16_t& shift)>;
using KeyPressHandler = std::function<void(int16_t& keyAscii)>;
using Handler = std::function<void()>;

// A picture box child: the list's drawing surface.
class PictureBox : public Window, public DrawingSurface {
  public:
    MouseHandler MouseDown, MouseMove, MouseUp;
    Handler Click, DblClick, GotFocus, LostFocus, Paint;

    virtual int16_t MousePointer() const = 0;
    virtual void SetMousePointer(int16_t pointer) = 0; // raises 380 outside 0..15 and 99
    virtual std::shared_ptr<Picture> MouseIcon() const = 0;
    virtual void SetMouseIcon(std::shared_ptr<Picture> icon) = 0;
};

// A borderless text box child: typed characters replace the selection.
class TextBox : public Window {
  public:
    KeyPressHandler KeyPress; // raised before the character is inserted
    Handler GotFocus, LostFocus;

    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    virtual int32_t SelStart() const = 0;
    virtual void SetSelStart(int32_t start) = 0;
    virtual int32_t SelLength() const = 0;
    virtual void SetSelLength(int32_t length) = 0;
    virtual int16_t Alignment() const = 0; // 0 left, 1 right, 2 centre
    virtual void SetAlignment(int16_t alignment) = 0;
    virtual uint32_t BackColor() const = 0;
    virtual void SetBackColor(uint32_t color) = 0;
    virtual uint32_t ForeColor() const = 0;
    virtual void SetForeColor(uint32_t color) = 0;
    virtual FontDesc Font() const = 0;
    virtual void SetFont(const FontDesc& font) = 0;
};

// A popup menu: entries with captions ("-" is a separator) and enabled states.
class Menu {
  public:
    virtual ~Menu() = default;
    std::function<void(int16_t index)> Click;

    virtual int16_t count() const = 0;
    virtual std::u16string Caption(int16_t index) const = 0;
    virtual bool Enabled(int16_t index) const = 0;
    virtual void SetEnabled(int16_t index, bool enabled) = 0;
};

// A host timer control. Enabling an enabled timer does not restart it; changing the interval of an
// enabled timer restarts its count from that moment. An interval of 0 never fires.
class Timer {
  public:
    virtual ~Timer() = default;
    Handler Tick;

    virtual int32_t Interval() const = 0;
    virtual void SetInterval(int32_t milliseconds) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// A modal form: the about box.
class Form {
  public:
    virtual ~Form() = default;
    // Position and size in twips on the screen.
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual double Width() const = 0;  // outer
    virtual double Height() const = 0; // outer
    virtual void Move(double left, double top) = 0;
    // Shows the form modally: returns when Unload was called (by a button's Click).
    virtual void ShowModal() = 0;
    virtual void Unload() = 0;
    virtual bool Shown() const = 0;
    virtual DrawingSurface& surface() = 0; // the client area, in pixels

    struct Button {
        std::u16string caption;
        double left, top, width, height; // twips
        Handler Click;
    };
    virtual void addButton(Button button) = 0;
};

// ---------------------------------------------------------------------------------------------
// The control's own surface (the host's object for the control itself)

class UserControlSurface : public DrawingSurface {
  public:
    virtual HWND hWnd() const = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual int16_t Appearance() const = 0; // 0 Flat, 1 3D
    virtual void SetAppearance(int16_t appearance) = 0;
    virtual int16_t BorderStyle() const = 0; // 0 none, 1 fixed single (a 2-pixel sunken frame in 3D)
    virtual void SetBorderStyle(int16_t style) = 0;
    virtual bool KeyPreview() const = 0;
    virtual void SetKeyPreview(bool on) = 0;
    // The outer size in twips, frame included.
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void SetWidth(double twips) = 0;
    virtual void SetHeight(double twips) = 0;
    // Shows the menu at the pointer and returns when it is closed; a chosen entry's Click runs first.
    virtual void PopupMenu(Menu& menu) = 0;
    // Repaints the control's own surface (its background and frame).
    virtual void Refresh() = 0;
};

// ---------------------------------------------------------------------------------------------
// Services of the whole host

class Screen {
  public:
    virtual ~Screen() = default;
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
    virtual double Width() const = 0;  // twips
    virtual double Height() const = 0; // twips
};

// A client of the subclassing server.
class ISubclass {
  public:
    virtual ~ISubclass() = default;
    virtual int32_t ISubclass_MsgResponse() = 0;
    virtual void ISubclass_SetMsgResponse(int32_t value) = 0;
    virtual int32_t ISubclass_WindowProc(int32_t hwnd, int32_t msg, int32_t wParam, int32_t lParam) = 0;
};

class SubclassServer {
  public:
    virtual ~SubclassServer() = default;
    // From now on deliver that message of that window to the client. Raises 5 for a window that
    // does not exist.
    virtual void HookMessage(ISubclass* client, HWND hwnd, int32_t msg) = 0;
    virtual void UnhookMessage(ISubclass* client, HWND hwnd, int32_t msg) = 0;
};

class PictureStore {
  public:
    virtual ~PictureStore() = default;
    // Raises an automation error for a key it does not know.
    virtual std::shared_ptr<Picture> GetPicture(const std::u16string& key) = 0;
};

// The host's image list object as the list uses it by late binding.
class ImageList : public Dispatchable {
  public:
    virtual int16_t ParentScaleMode() const = 0; // raises when there is no parent form
    virtual double ImageHeight() const = 0;      // pixels
    virtual double ImageWidth() const = 0;
    virtual int32_t Count() const = 0;
    // Draws entry `index` (1-based) at x, y given in the parent's scale mode; style 1 is
    // transparent. Raises 35600 ("Index out of bounds") for a missing entry.
    virtual void Draw(int32_t index, HDC dc, double x, double y, int32_t style) = 0;
};

class Services {
  public:
    virtual ~Services() = default;

    virtual Gdi& gdi() = 0;
    virtual Screen& screen() = 0;
    virtual SubclassServer& subclassServer() = 0;
    virtual PictureStore& pictureStore() = 0;

    virtual uint32_t GetTickCount() = 0;
    // Runs pending input, due timers and paints; moves the virtual clock on by 1 ms.
    virtual void DoEvents() = 0;

    virtual POINT GetCursorPos() = 0;          // screen pixels
    virtual RECT GetWindowRect(HWND hwnd) = 0; // screen pixels; all zero for an unknown window
    virtual int32_t SetTimer(HWND hwnd, int32_t id, int32_t milliseconds) = 0; // WM_TIMER through the server
    virtual bool KillTimer(HWND hwnd, int32_t id) = 0;

    virtual int32_t MsgBox(const std::u16string& prompt, int32_t style, const std::u16string& title) = 0;

    // A length converted between scale modes with the screen's twips per pixel.
    virtual double ScaleX(double value, ScaleMode from, ScaleMode to) = 0;
    virtual double ScaleY(double value, ScaleMode from, ScaleMode to) = 0;

    // A new modal form with a client area of the given size in twips.
    virtual std::unique_ptr<Form> createForm(double clientWidthTwips, double clientHeightTwips,
                                             const std::u16string& caption) = 0;
};

// ---------------------------------------------------------------------------------------------
// The site of one user control in its container

class ControlSite {
  public:
    virtual ~ControlSite() = default;

    // The control's own notifications, set by the control: the host's resize of the control, the
    // keys it previews while KeyPreview is on, and the focus entering and leaving it.
    Handler Resize;
    KeyHandler KeyDown, KeyUp;
    KeyPressHandler KeyPress;
    Handler EnterFocus, ExitFocus;

    virtual Services& services() = 0;
    virtual UserControlSurface& UserControl() = 0; // the same object for the site's whole life

    // Ambient properties of the container.
    virtual bool AmbientUserMode() = 0;
    virtual std::shared_ptr<StdFont> AmbientFont() = 0;
    virtual std::u16string AmbientDisplayName() = 0;

    // Extender: the control as its container sees it.
    virtual bool ExtenderVisible() = 0;

    virtual void PropertyChanged(std::string_view name) = 0;
    virtual void RaiseEvent(std::string_view name, int32_t memberId, std::vector<Variant>& args) = 0;

    // Child controls placed on the control's surface.
    virtual std::unique_ptr<PictureBox> createPictureBox() = 0;
    virtual std::unique_ptr<TextBox> createTextBox() = 0;
    virtual std::unique_ptr<Menu> createMenu(std::vector<std::u16string> captions) = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;

    // A site for a child user control (the list's scroll bar) and its extender.
    class ChildSite;
    virtual std::unique_ptr<ChildSite> createChildSite(std::u16string name) = 0;
};

class ControlSite::ChildSite : public ControlSite {
  public:
    // Extender of the child in its parent's client area, pixels.
    virtual Window& extender() = 0;
    // The events the child raises reach the parent through this slot.
    std::function<void(std::string_view name, int32_t memberId, std::vector<Variant>& args)> onEvent;
};

} // namespace tavrin::platform
