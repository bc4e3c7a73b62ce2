// The host's own simple controls on an application form: label, push button, text box.
//
// Each is a window of the form drawn by its own code whenever something visible changes:
//   label:  the form's colour, the caption on one line, left and vertically centred;
//   button: the face with a raised 3D edge (sunken while pressed), the caption centred, and a
//           dotted focus rectangle while it has the focus;
//   text box: the host's text box behind a sunken frame.
#include "app/Hosted.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/SystemColors.h"

namespace tavrin::app {

namespace {

using software::DesktopWindow;
using software::SoftwareSurface;
using software::WindowKind;

using platform::SysColor;
constexpr uint32_t kButtonFace = platform::oleColor(SysColor::ButtonFace),
                   kWindowText = platform::oleColor(SysColor::WindowText);
constexpr auto kSysShadow = static_cast<int32_t>(SysColor::ButtonShadow),
               kSysHighlight = static_cast<int32_t>(SysColor::ButtonHighlight),
               kSysDarkShadow = static_cast<int32_t>(SysColor::DarkShadow3D);

DesktopWindow::Params windowParams(Window::Impl& form, WindowKind kind, const std::string& name,
                                   Place place) {
    const Place p = form.px(place);
    DesktopWindow::Params w;
    w.kind = kind;
    w.name = name;
    w.parent = &form.desktop.form();
    w.left = p.left;
    w.top = p.top;
    w.width = p.width;
    w.height = p.height;
    return w;
}

std::u16string textOf(const Variant& v) {
    return toText(v);
}

// A caption kept by name in form files and by dispatch. The control is drawn first when its
// caption is set, right after it is made.
template <class Base, WindowKind Kind>
class Captioned : public Base, public Hosted, protected software::WindowEvents {
  public:
    Captioned(Window::Impl& form, std::string name, Place place)
        : Base(std::move(name), place), form_(form),
          window_(form.desktop, windowParams(form, Kind, this->name(), place)) {
        window_.events = this;
    }

    std::u16string caption() const override { return caption_; }
    void setCaption(const std::u16string& caption) override {
        caption_ = caption;
        render();
    }
    bool hasFocus() const override { return form_.desktop.focused() == &window_; }
    void setFocus() override {
        if (window_.takesFocus()) form_.desktop.focusWindow(window_.hwnd());
    }
    Variant property(std::string_view name) const override {
        if (namesEqual(name, "Caption")) return Variant::string(caption_);
        tavrin::raise(err::MemberNotFound);
    }
    void setProperty(std::string_view name, const Variant& value) override {
        if (!namesEqual(name, "Caption")) tavrin::raise(err::MemberNotFound);
        setCaption(textOf(value));
    }
    DesktopWindow& hostWindow() override { return window_; }
    DesktopWindow* focusWindow() override { return window_.takesFocus() ? &window_ : nullptr; }
    void writeBag(platform::PropertyBag& bag) override {
        bag.WriteProperty("Caption", Variant::string(caption_), Variant::string(u""));
    }
    void readBag(const platform::PropertyBag& bag) override {
        setCaption(toText(bag.ReadProperty("Caption", Variant::string(u""))));
    }

  protected:
    void placed() override {
        Place p = form_.px(this->place());
        window_.move(p.left, p.top, p.width, p.height);
        render();
    }
    virtual void render() = 0;
    SoftwareSurface& surface() { return window_.surface(); }
    // The whole control in the button face colour: where every render starts.
    SoftwareSurface& clearFace() {
        SoftwareSurface& s = surface();
        s.SetBackColor(kButtonFace);
        s.Cls();
        return s;
    }
    uint32_t sys(int32_t index) const { return form_.desktop.sysColor(index); }
    void drawCaption(platform::RECT r, uint32_t format) {
        SoftwareSurface& s = surface();
        s.drawText(caption_, r, format | platform::DT_SINGLELINE | platform::DT_VCENTER,
                   s.gdi().resolveColor(kWindowText));
    }

    Window::Impl& form_;
    mutable DesktopWindow window_;
    std::u16string caption_;
};

class HostedLabel final : public Captioned<Label, WindowKind::ChildControl> {
  public:
    using Captioned::Captioned;

  private:
    void render() override {
        SoftwareSurface& s = clearFace();
        drawCaption({0, 0, s.widthPx(), s.heightPx()}, platform::DT_LEFT);
    }
};

class HostedButton final : public Captioned<Button, WindowKind::Other> {
  public:
    using Captioned::Captioned;

  private:
    void render() override {
        SoftwareSurface& s = clearFace();
        int32_t w = s.widthPx(), h = s.heightPx();
        if (w < 2 || h < 2) return;
        uint32_t light = pressed_ ? sys(kSysShadow) : sys(kSysHighlight);
        uint32_t dark = pressed_ ? sys(kSysHighlight) : sys(kSysDarkShadow);
        s.fillRect({0, 0, w, 1}, light);
        s.fillRect({0, 0, 1, h}, light);
        s.fillRect({0, h - 1, w, h}, dark);
        s.fillRect({w - 1, 0, w, h}, dark);
        if (!pressed_) {
            s.fillRect({1, h - 2, w - 1, h - 1}, sys(kSysShadow));
            s.fillRect({w - 2, 1, w - 1, h - 1}, sys(kSysShadow));
        }
        int32_t shift = pressed_ ? 1 : 0;
        drawCaption({shift, shift, w + shift, h + shift}, platform::DT_CENTER);
        if (hasFocus() && w > 8 && h > 8) s.focusRect({4, 4, w - 4, h - 4});
    }

    void press() {
        if (onClick) onClick();
        raise("Click");
    }
    void mouseDown(int16_t button, int16_t, float, float) override {
        if (button != platform::vbLeftButton) return;
        pressed_ = true;
        render();
    }
    void mouseUp(int16_t button, int16_t, float, float) override {
        if (button != platform::vbLeftButton) return;
        pressed_ = false;
        render();
    }
    void click() override { press(); }
    void dblClick() override { press(); } // a quick second press is a second click
    void keyDown(int16_t keyCode, int16_t) override {
        if (keyCode == 32 || keyCode == 13) press();
    }
    void gotFocus() override {
        render();
        if (onGotFocus) onGotFocus();
        raise("GotFocus");
    }
    void lostFocus() override {
        render();
        if (onLostFocus) onLostFocus();
        raise("LostFocus");
    }

    bool pressed_ = false;
};

class HostedTextBox final : public TextBox, public Hosted {
  public:
    static constexpr int32_t kFrame = 2;

    HostedTextBox(Window::Impl& form, std::string name, Place place, std::u16string text)
        : TextBox(std::move(name), place), form_(form),
          box_(form.desktop, form.desktop.form(), nullptr, this->name()) {
        box_.window().setFrame(kFrame);
        box_.SetText(text);
        box_.KeyPress = [this](int16_t& ascii) {
            if (onKeyPress) onKeyPress(ascii);
            std::vector<Variant> args{Variant::i2(ascii)};
            raise("KeyPress", args);
        };
        box_.GotFocus = [this] {
            if (onGotFocus) onGotFocus();
            raise("GotFocus");
        };
        box_.LostFocus = [this] {
            if (onLostFocus) onLostFocus();
            raise("LostFocus");
        };
        box_.changed = [this] {
            if (onChange) onChange();
            raise("Change");
        };
        box_.SetVisible(true);
        placed();
    }

    std::u16string text() const override { return box_.Text(); }
    void setText(const std::u16string& text) override {
        box_.SetText(text);
        if (onChange) onChange();
        raise("Change");
    }
    bool hasFocus() const override { return form_.desktop.focused() == &box_.window(); }
    void setFocus() override { form_.desktop.focusWindow(box_.window().hwnd()); }
    Variant property(std::string_view name) const override {
        if (namesEqual(name, "Text")) return Variant::string(box_.Text());
        tavrin::raise(err::MemberNotFound);
    }
    void setProperty(std::string_view name, const Variant& value) override {
        if (!namesEqual(name, "Text")) tavrin::raise(err::MemberNotFound);
        setText(textOf(value));
    }
    DesktopWindow& hostWindow() override { return box_.window(); }
    DesktopWindow* focusWindow() override { return &box_.window(); }
    void writeBag(platform::PropertyBag& bag) override {
        bag.WriteProperty("Text", Variant::string(box_.Text()), Variant::string(u""));
    }
    void readBag(const platform::PropertyBag& bag) override {
        box_.SetText(toText(bag.ReadProperty("Text", Variant::string(u""))));
    }

  protected:
    void placed() override {
        Place p = form_.px(place());
        box_.Move(p.left, p.top, p.width, p.height); // the outer rectangle, frame included
    }

  private:
    Window::Impl& form_;
    mutable software::SoftwareTextBox box_;
};

} // namespace

std::unique_ptr<Label> makeLabel(Window::Impl& form, std::string name, Place place, std::u16string caption) {
    auto label = std::make_unique<HostedLabel>(form, std::move(name), place);
    label->setCaption(caption);
    return label;
}

std::unique_ptr<Button> makeButton(Window::Impl& form, std::string name, Place place,
                                   std::u16string caption) {
    auto button = std::make_unique<HostedButton>(form, std::move(name), place);
    button->setCaption(caption);
    return button;
}

std::unique_ptr<TextBox> makeTextBox(Window::Impl& form, std::string name, Place place, std::u16string text) {
    return std::make_unique<HostedTextBox>(form, std::move(name), place, std::move(text));
}

} // namespace tavrin::app
