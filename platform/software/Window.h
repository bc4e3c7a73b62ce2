// The windows of the simulated desktop: the form, the control windows on it and their children.
//
// Each window has a rectangle in its parent's client area (pixels), an optional frame inset, a
// visibility and enabled state and a software surface of its client size. The desktop keeps a
// registry from handle to window; a window removes itself from the desktop when destroyed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/software/SoftwareSurface.h"
#include "tavrin/platform/Host.h"

namespace tavrin::software {

class Desktop;
class SiteCore;

// What a window does with the input the desktop delivers to it. Empty by default.
class WindowEvents {
  public:
    virtual ~WindowEvents() = default;
    virtual void mouseDown(int16_t button, int16_t shift, float x, float y) {}
    virtual void mouseMove(int16_t buttons, int16_t shift, float x, float y) {}
    virtual void mouseUp(int16_t button, int16_t shift, float x, float y) {}
    virtual void click() {}
    virtual void dblClick() {}
    virtual void gotFocus() {}
    virtual void lostFocus() {}
    virtual void paint() {}
    // A typed character for a window that takes text (the text box).
    virtual void keyPress(int16_t& ascii) {}
    // A key going down while the window has the focus, after the control's key preview.
    virtual void keyDown(int16_t keyCode, int16_t shift) {}
    // The wheel turned over the window: positive away from the user, in notches. False passes it
    // on to the parent.
    virtual bool mouseWheel(int32_t notches, float x, float y) { return false; }
};

enum class WindowKind { Form, Control, PictureBox, TextBox, ChildControl, Other };

class DesktopWindow {
  public:
    struct Params {
        WindowKind kind = WindowKind::Other;
        std::string name;
        DesktopWindow* parent = nullptr;
        SiteCore* owner = nullptr;                        // the control this window belongs to
        int32_t left = 0, top = 0, width = 0, height = 0; // outer, pixels
        platform::ScaleMode scale = platform::ScaleMode::Pixels;
        bool visible = true;
    };
    DesktopWindow(Desktop& desktop, Params params);
    ~DesktopWindow();
    DesktopWindow(const DesktopWindow&) = delete;
    DesktopWindow& operator=(const DesktopWindow&) = delete;

    platform::HWND hwnd() const { return hwnd_; }
    WindowKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    DesktopWindow* parent() const { return parent_; }
    SiteCore* owner() const { return owner_; }
    const std::vector<DesktopWindow*>& children() const { return children_; } // bottom to top
    Desktop& desktop() { return desktop_; }
    SoftwareSurface& surface() { return *surface_; }

    WindowEvents* events = nullptr;

    // Outer rectangle in the parent's client area; the frame is inside it.
    int32_t left() const { return left_; }
    int32_t top() const { return top_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t frame() const { return frame_; }
    int32_t clientWidth() const;
    int32_t clientHeight() const;
    // Moves and sizes the outer rectangle (negative sizes count as 0). The surface follows the
    // client size; a visible window whose size changed gets a Paint queued, and the windows beneath
    // the part it left get theirs (see Desktop::uncovered). Returns true when the size changed.
    bool move(int32_t left, int32_t top, int32_t width, int32_t height);
    // A new frame inset keeping the client size (the outer size grows or shrinks).
    void setFrame(int32_t inset);

    bool visible() const { return visible_; }
    // Visible here and in every ancestor.
    bool shown() const;
    // Showing queues a Paint for the window; hiding one that was shown uncovers the windows beneath.
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool takesFocus() const {
        return kind_ == WindowKind::PictureBox || kind_ == WindowKind::TextBox || kind_ == WindowKind::Other;
    }

    // Screen position of the client area's top-left corner, and of the outer rectangle.
    platform::POINT clientOrigin() const;
    platform::RECT screenRect() const;
    // The part of the outer rectangle on the screen that the ancestors' client areas leave showing
    // (empty when it lies outside them), whether or not the window is shown.
    platform::RECT visibleScreenRect() const;
    // A window that keeps no picture of its own (the picture box) loses the pixels another window
    // covers and draws them again in its Paint; the others (forms, controls, the text box) keep them.
    bool keepsPicture() const { return kind_ != WindowKind::PictureBox; }
    // Paint events delivered to this window so far.
    int32_t paintCount() const { return paintCount_; }
    void countPaint() { ++paintCount_; }
    // The topmost shown window under a screen point, this one or a descendant; nullptr outside.
    DesktopWindow* hitTest(platform::POINT screen);
    bool isDescendantOf(const DesktopWindow* ancestor) const;

  private:
    int32_t zRank() const;

    Desktop& desktop_;
    platform::HWND hwnd_;
    WindowKind kind_;
    std::string name_;
    DesktopWindow* parent_;
    SiteCore* owner_;
    std::vector<DesktopWindow*> children_;
    int32_t left_, top_, width_, height_, frame_ = 0;
    bool visible_, enabled_ = true;
    int32_t paintCount_ = 0;
    std::unique_ptr<SoftwareSurface> surface_;
};

// Every DrawingSurface member forwarded to a SoftwareSurface, for the host objects that are
// drawing surfaces (picture box, the control's own surface).
template <class Base> class SurfaceForwarder : public Base {
  public:
    platform::HDC hDC() override { return target().hDC(); }
    uint32_t BackColor() const override { return target().BackColor(); }
    void SetBackColor(uint32_t c) override { target().SetBackColor(c); }
    void Cls() override { target().Cls(); }
    platform::FontDesc Font() const override { return target().Font(); }
    void SetFont(const platform::FontDesc& f) override { target().SetFont(f); }
    bool FontUnderline() const override { return target().FontUnderline(); }
    void SetFontUnderline(bool u) override { target().SetFontUnderline(u); }
    double TextHeight(std::u16string_view t) override { return target().TextHeight(t); }
    double TextWidth(std::u16string_view t) override { return target().TextWidth(t); }
    double CurrentX() const override { return target().CurrentX(); }
    double CurrentY() const override { return target().CurrentY(); }
    void SetCurrentX(double x) override { target().SetCurrentX(x); }
    void SetCurrentY(double y) override { target().SetCurrentY(y); }
    void Print(std::u16string_view t) override { target().Print(t); }
    void Line(double x1, double y1, double x2, double y2, uint32_t rgb) override {
        target().Line(x1, y1, x2, y2, rgb);
    }
    void PSet(double x, double y, uint32_t rgb) override { target().PSet(x, y, rgb); }
    uint32_t Point(double x, double y) const override { return target().Point(x, y); }
    void PaintPicture(const platform::Picture* p, double x, double y, std::optional<double> w = {},
                      std::optional<double> h = {}) override {
        target().PaintPicture(p, x, y, w, h);
    }
    platform::ScaleMode scaleMode() const override { return target().scaleMode(); }
    double ScaleWidth() const override { return target().ScaleWidth(); }
    double ScaleHeight() const override { return target().ScaleHeight(); }
    uint64_t contentRevision() const override { return target().contentRevision(); }
    bool moveBand(const platform::RECT& band, int32_t dy) override { return target().moveBand(band, dy); }
    bool pixelRowsOf(std::span<const double> ys, std::span<int32_t> rows) const override {
        return target().pixelRowsOf(ys, rows);
    }

  protected:
    // The surface is the window's for the object's whole life: the forwarding is direct calls.
    void setTarget(SoftwareSurface& surface) { target_ = &surface; }
    SoftwareSurface& target() const { return *target_; }

  private:
    SoftwareSurface* target_ = nullptr;
};

// The platform::Window members over a desktop window (the extender of a child control, the
// picture box and the text box).
template <class Base> class WindowForwarder : public Base {
  public:
    platform::HWND hWnd() const override { return win().hwnd(); }
    double Left() const override { return win().left(); }
    double Top() const override { return win().top(); }
    double Width() const override { return win().width(); }
    double Height() const override { return win().height(); }
    void Move(double left, double top, double width, double height) override;
    bool Visible() const override { return win().visible(); }
    void SetVisible(bool visible) override { win().setVisible(visible); }
    bool Enabled() const override { return win().enabled(); }
    void SetEnabled(bool enabled) override { win().setEnabled(enabled); }
    void SetFocus() override;

  protected:
    virtual DesktopWindow& win() const = 0;
    // Runs after a Move that changed the size (the text box re-renders, a child control resizes).
    virtual void sizeChanged() {}
};

// Pixel lengths given as doubles, rounded the host's way (halves to even); raises 6 on overflow.
int32_t toPixels(double v);
// SetFocus of a child window: raises 5 when the window cannot take the focus (hidden, disabled).
void setFocusChecked(DesktopWindow& window);

template <class Base> void WindowForwarder<Base>::Move(double left, double top, double width, double height) {
    if (win().move(toPixels(left), toPixels(top), toPixels(width), toPixels(height))) sizeChanged();
}

template <class Base> void WindowForwarder<Base>::SetFocus() {
    setFocusChecked(win());
}

} // namespace tavrin::software
