// The controls of an application form: Tavrin lists and the host's own label, push button and text
// box. A Window creates them (by code or from a form file) and owns them; references stay valid
// until the control is removed or the window is gone.
//
// Events reach a program two ways: typed callbacks (onClick, onListIndexChange, ...) and the
// name-based sink onEvent, which sees every event by its name with its arguments by reference.
// For one event the typed callback runs first. A callback may change the form (remove items, move
// the focus); it must not destroy the control that raised the event.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/Tavrin.h"
#include "tavrin/automation/Variant.h"

namespace tavrin::app {

// The edges of the window a control keeps its distance to when the window is resized. Left and
// Right together stretch the control; neither keeps it where it was on that axis.
enum class Anchor : uint8_t { None = 0, Left = 1, Top = 2, Right = 4, Bottom = 8, TopLeft = 3, All = 15 };
constexpr Anchor operator|(Anchor a, Anchor b) {
    return static_cast<Anchor>(static_cast<uint8_t>(a) | static_cast<uint8_t>(b));
}
constexpr bool hasAnchor(Anchor set, Anchor edge) {
    return (static_cast<uint8_t>(set) & static_cast<uint8_t>(edge)) != 0;
}

// A place in the window's client area, in pixels: the control's outer rectangle.
struct Place {
    int32_t left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Place&) const = default;
};

enum class ControlType { List, Label, Button, TextBox };
// "Tavrin", "Label", "CommandButton", "TextBox": the type names of form files.
const char* typeName(ControlType type);

class Control {
  public:
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual ControlType type() const = 0;
    const std::string& name() const { return name_; }

    Place place() const { return place_; }
    // Moves and sizes the control (negative sizes count as 0); the anchors measure from here on.
    void move(Place place);
    int32_t tabIndex() const { return tabIndex_; }
    void setTabIndex(int32_t index); // the window renumbers the others to keep the order whole
    Anchor anchor() const { return anchor_; }
    void setAnchor(Anchor anchor) { anchor_ = anchor; }
    // Whether Tab stops here: lists, buttons and text boxes do, labels never.
    virtual bool tabStop() const { return true; }

    virtual bool hasFocus() const = 0;
    // Gives the control the focus, with the focus events of the control losing it first.
    virtual void setFocus() = 0;

    // Every setting of the control by name, as a form file keeps it: a list's property bag, a
    // label's or button's "Caption", a text box's "Text".
    virtual Variant property(std::string_view name) const = 0;
    // Raises the control's error (380, 13, 438, ...) with nothing changed.
    virtual void setProperty(std::string_view name, const Variant& value) = 0;

    // Typed callbacks every control has.
    std::function<void()> onGotFocus, onLostFocus;
    // Every event by name, after its typed callback.
    std::function<void(std::string_view event, std::vector<Variant>& args)> onEvent;

  protected:
    Control(std::string name, Place place) : name_(std::move(name)), place_(place) {}
    virtual void placed() = 0; // the host window follows place_
    void raise(std::string_view event, std::vector<Variant>& args);
    void raise(std::string_view event);

  private:
    friend class Window;
    std::string name_;
    Place place_;
    int32_t tabIndex_ = 0;
    Anchor anchor_ = Anchor::TopLeft;
    class Window* window_ = nullptr;
};

// A Tavrin list. `list()` (or `->`) is the whole control: items, properties, methods.
class List : public Control {
  public:
    ControlType type() const override { return ControlType::List; }
    virtual Tavrin& list() = 0;
    virtual const Tavrin& list() const = 0;
    Tavrin* operator->() { return &list(); }

    std::function<void()> onClick, onDblClick, onListIndexChange, onTopIndexChange, onScroll;
    std::function<void(int16_t button, int16_t shift, float x, float y)> onMouseDown, onMouseMove, onMouseUp;
    std::function<void(int16_t keyCode, int16_t shift)> onKeyDown, onKeyUp;
    std::function<void(int16_t keyAscii)> onKeyPress;

  protected:
    using Control::Control;
};

// A line of text; it takes neither the focus nor the mouse.
class Label : public Control {
  public:
    ControlType type() const override { return ControlType::Label; }
    bool tabStop() const override { return false; }
    virtual std::u16string caption() const = 0;
    virtual void setCaption(const std::u16string& caption) = 0;

  protected:
    using Control::Control;
};

// A push button: a click, or Space or Enter while it has the focus, raises Click.
class Button : public Control {
  public:
    ControlType type() const override { return ControlType::Button; }
    virtual std::u16string caption() const = 0;
    virtual void setCaption(const std::u16string& caption) = 0;
    std::function<void()> onClick;

  protected:
    using Control::Control;
};

// A single-line text box with a caret, selection and the clipboard.
class TextBox : public Control {
  public:
    ControlType type() const override { return ControlType::TextBox; }
    virtual std::u16string text() const = 0;
    virtual void setText(const std::u16string& text) = 0;
    // Each character typed, before it goes into the text; Enter arrives as 13.
    std::function<void(int16_t keyAscii)> onKeyPress;
    std::function<void()> onChange;

  protected:
    using Control::Control;
};

} // namespace tavrin::app
