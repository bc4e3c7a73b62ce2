// The controls of an application form as the software window system hosts them, and the state
// behind a Window.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/software/Desktop.h"
#include "platform/software/SoftwareSite.h"
#include "tavrin/app/Window.h"
#include "tavrin/platform/PropertyBag.h"

namespace tavrin::sdl {
class InputRouter;
}

namespace tavrin::app {

// What the form's own code needs of every hosted control beside the public members.
class Hosted {
  public:
    virtual ~Hosted() = default;
    virtual software::DesktopWindow& hostWindow() = 0;
    // The window that takes the focus for this control.
    virtual software::DesktopWindow* focusWindow() = 0;
    // The settings a form file keeps, and loading them (a fresh control only).
    virtual void writeBag(platform::PropertyBag& bag) = 0;
    virtual void readBag(const platform::PropertyBag& bag) = 0;
    // Design time and back.
    virtual void setUserMode(bool userMode) {}
};

std::unique_ptr<List> makeList(Window::Impl& form, std::string name, Place place,
                               const platform::PropertyBag* bag);
std::unique_ptr<Label> makeLabel(Window::Impl& form, std::string name, Place place, std::u16string caption);
std::unique_ptr<Button> makeButton(Window::Impl& form, std::string name, Place place, std::u16string caption);
std::unique_ptr<TextBox> makeTextBox(Window::Impl& form, std::string name, Place place, std::u16string text);

Hosted& hosted(Control& control);

// The distances a control keeps to the right and bottom edges when anchored there.
struct Gaps {
    int32_t right = 0, bottom = 0;
};

// The display's scale (1, 1.25, 1.5, 2) where the library has a window host; 1 elsewhere.
double screenScale();

struct Window::Impl {
    explicit Impl(Window& self, WindowOptions options);

    Window& self;
    WindowOptions options;
    double scale = 1; // device pixels per pixel of the form
    software::Desktop desktop;
    std::vector<std::unique_ptr<Control>> controls; // in tab order
    std::map<const Control*, Gaps> gaps;
    int32_t frameLimit = 0;
    bool steppedClock = false;
    bool closing = false;
    // The screen loop, while one runs: closes it.
    std::function<void()> stopLoop;
    // The screen's input, while the loop runs (for tools that script real input).
    sdl::InputRouter* router = nullptr;

    // A length or a place of the form in device pixels (halves round to even).
    int32_t px(int32_t formPixels) const;
    Place px(Place place) const;
    Control* owning(const software::DesktopWindow* w) const;
    void adopt(std::unique_ptr<Control> control);
    void rememberGaps(const Control& control);
    void applyAnchors();
    bool tabKey(int16_t keyCode, int16_t shift);
    void focusFirst();
    void clear();
};

} // namespace tavrin::app
