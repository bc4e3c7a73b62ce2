// The application window: its form on the software window system, the controls in tab order,
// Tab and Shift+Tab, anchors, and the simulated user.
//
// Resize, for each control:
//   Left and Right  -> the width follows, the left edge stays
//   Right only      -> the control moves with the right edge, its width stays
//   neither         -> it stays (likewise Top and Bottom on the vertical axis)
#include <algorithm>
#include <stdexcept>

#include "app/Hosted.h"
#include "platform/software/SoftwareImageList.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::app {

namespace {

constexpr int16_t kTab = 9;
constexpr int32_t kScreenMargin = 200; // the simulated screen around the window

// The scale the window is drawn at: the one asked for, or the display's on the screen.
double scaleFor(const WindowOptions& o) {
    if (o.scale > 0) return std::clamp(o.scale, 1.0, 4.0);
    return o.host == Host::Screen ? screenScale() : 1.0;
}

software::DesktopOptions screenFor(const WindowOptions& o) {
    const double scale = scaleFor(o);
    software::DesktopOptions d = software::DesktopOptions::atScale(scale);
    d.screenWidthPx = std::max(roundToI4((o.width + kScreenMargin) * scale), d.screenWidthPx);
    d.screenHeightPx = std::max(roundToI4((o.height + kScreenMargin) * scale), d.screenHeightPx);
    return d;
}

} // namespace

const char* typeName(ControlType type) {
    switch (type) {
    case ControlType::List:
        return "Tavrin";
    case ControlType::Label:
        return "Label";
    case ControlType::Button:
        return "CommandButton";
    case ControlType::TextBox:
        return "TextBox";
    }
    return "";
}

Hosted& hosted(Control& control) {
    return dynamic_cast<Hosted&>(control);
}

// ---------------------------------------------------------------------------------------------
// Control

void Control::move(Place place) {
    place.width = std::max(0, place.width);
    place.height = std::max(0, place.height);
    place_ = place;
    placed();
    if (window_) window_->controlMoved(*this);
}

void Control::setTabIndex(int32_t index) {
    tabIndex_ = index;
    if (window_) window_->tabIndexChanged(*this);
}

void Control::raise(std::string_view event, std::vector<Variant>& args) {
    if (onEvent) onEvent(event, args);
}

void Control::raise(std::string_view event) {
    std::vector<Variant> none;
    raise(event, none);
}

// ---------------------------------------------------------------------------------------------
// Window::Impl

Window::Impl::Impl(Window& self, WindowOptions o)
    : self(self), options(std::move(o)), scale(scaleFor(options)), desktop(screenFor(options)) {
    desktop.ambient().userMode = options.userMode;
    desktop.resizeForm(px(options.width), px(options.height));
    desktop.otherControl().setVisible(false);
    desktop.keyFilter = [this](int16_t keyCode, int16_t shift) { return tabKey(keyCode, shift); };
}

int32_t Window::Impl::px(int32_t formPixels) const {
    return roundToI4(formPixels * scale);
}

Place Window::Impl::px(Place p) const {
    return {px(p.left), px(p.top), px(p.width), px(p.height)};
}

Control* Window::Impl::owning(const software::DesktopWindow* w) const {
    for (; w; w = w->parent())
        for (const auto& c : controls)
            if (&hosted(*c).hostWindow() == w) return c.get();
    return nullptr;
}

void Window::Impl::adopt(std::unique_ptr<Control> control) {
    control->window_ = &self;
    control->tabIndex_ = static_cast<int32_t>(controls.size());
    rememberGaps(*control);
    controls.push_back(std::move(control));
    desktop.flushPaints();
}

void Window::Impl::rememberGaps(const Control& c) {
    Place p = c.place();
    gaps[&c] = {options.width - (p.left + p.width), options.height - (p.top + p.height)};
}

void Window::Impl::applyAnchors() {
    for (const auto& c : controls) {
        Place p = c->place();
        Gaps g = gaps[c.get()];
        Anchor a = c->anchor();
        if (hasAnchor(a, Anchor::Right)) {
            if (hasAnchor(a, Anchor::Left))
                p.width = std::max(0, options.width - g.right - p.left);
            else
                p.left = options.width - g.right - p.width;
        }
        if (hasAnchor(a, Anchor::Bottom)) {
            if (hasAnchor(a, Anchor::Top))
                p.height = std::max(0, options.height - g.bottom - p.top);
            else
                p.top = options.height - g.bottom - p.height;
        }
        if (p == c->place()) continue;
        c->place_ = p;
        c->placed();
    }
    desktop.flushPaints();
}

// Tab and Shift+Tab: the next or previous tab stop after the focused control, wrapping.
bool Window::Impl::tabKey(int16_t keyCode, int16_t shift) {
    const software::DesktopWindow* focus = desktop.focused();
    bool inText = focus && focus->kind() == software::WindowKind::TextBox;
    if (!inText && self.onShortcut && self.onShortcut(keyCode, shift)) return true;
    if (keyCode != kTab || desktop.menuShown() || desktop.shownForm()) return false;
    std::vector<Control*> stops;
    for (const auto& c : controls)
        if (c->tabStop() && hosted(*c).focusWindow() && hosted(*c).hostWindow().shown() &&
            hosted(*c).hostWindow().enabled())
            stops.push_back(c.get());
    if (stops.empty()) return true;
    Control* current = owning(desktop.focused());
    auto at = std::find(stops.begin(), stops.end(), current);
    bool back = (shift & platform::vbShiftMask) != 0;
    size_t n = stops.size(), i;
    if (at == stops.end())
        i = back ? n - 1 : 0;
    else
        i = (static_cast<size_t>(at - stops.begin()) + (back ? n - 1 : 1)) % n;
    stops[i]->setFocus();
    return true;
}

void Window::Impl::focusFirst() {
    for (const auto& c : controls)
        if (c->tabStop() && hosted(*c).focusWindow() && hosted(*c).hostWindow().shown()) {
            c->setFocus();
            return;
        }
}

void Window::Impl::clear() {
    desktop.focusWindow(0);
    while (!controls.empty()) {
        gaps.erase(controls.back().get());
        controls.pop_back();
    }
    desktop.flushPaints();
}

// ---------------------------------------------------------------------------------------------
// Window

Window::Window(WindowOptions options) : impl_(std::make_unique<Impl>(*this, std::move(options))) {}

Window::~Window() {
    impl_->clear();
}

const std::u16string& Window::caption() const {
    return impl_->options.caption;
}

void Window::setCaption(const std::u16string& caption) {
    impl_->options.caption = caption;
}

int32_t Window::width() const {
    return impl_->options.width;
}

int32_t Window::height() const {
    return impl_->options.height;
}

bool Window::userMode() const {
    return impl_->options.userMode;
}

void Window::resize(int32_t width, int32_t height) {
    impl_->options.width = std::max(1, width);
    impl_->options.height = std::max(1, height);
    impl_->desktop.resizeForm(impl_->px(impl_->options.width), impl_->px(impl_->options.height));
    impl_->applyAnchors();
}

namespace {
void checkName(const Window& w, const std::string& name) {
    if (name.empty()) throw std::invalid_argument("a control needs a name");
    if (w.find(name)) throw std::invalid_argument("a control named " + name + " is already on the form");
}
} // namespace

List& Window::addList(std::string name, Place place) {
    checkName(*this, name);
    auto c = makeList(*impl_, std::move(name), place, nullptr);
    List& ref = *c;
    impl_->adopt(std::move(c));
    return ref;
}

Label& Window::addLabel(std::string name, Place place, std::u16string caption) {
    checkName(*this, name);
    auto c = makeLabel(*impl_, std::move(name), place, std::move(caption));
    Label& ref = *c;
    impl_->adopt(std::move(c));
    return ref;
}

Button& Window::addButton(std::string name, Place place, std::u16string caption) {
    checkName(*this, name);
    auto c = makeButton(*impl_, std::move(name), place, std::move(caption));
    Button& ref = *c;
    impl_->adopt(std::move(c));
    return ref;
}

TextBox& Window::addTextBox(std::string name, Place place, std::u16string text) {
    checkName(*this, name);
    auto c = makeTextBox(*impl_, std::move(name), place, std::move(text));
    TextBox& ref = *c;
    impl_->adopt(std::move(c));
    return ref;
}

void Window::remove(Control& control) {
    auto& cs = impl_->controls;
    auto it = std::find_if(cs.begin(), cs.end(), [&](const auto& c) { return c.get() == &control; });
    if (it == cs.end()) return;
    if (control.hasFocus()) impl_->desktop.focusWindow(0);
    impl_->gaps.erase(&control);
    cs.erase(it);
    for (size_t i = 0; i < cs.size(); ++i)
        cs[i]->tabIndex_ = static_cast<int32_t>(i);
    impl_->desktop.flushPaints();
}

Control* Window::find(std::string_view name) const {
    for (const auto& c : impl_->controls)
        if (namesEqual(c->name(), name)) return c.get();
    return nullptr;
}

std::vector<Control*> Window::controls() const {
    std::vector<Control*> out;
    for (const auto& c : impl_->controls)
        out.push_back(c.get());
    return out;
}

Control* Window::focused() const {
    return impl_->owning(impl_->desktop.focused());
}

std::string Window::freeName(std::string_view stem) const {
    for (int n = 1;; ++n) {
        std::string name = std::string(stem) + std::to_string(n);
        if (!find(name)) return name;
    }
}

void Window::controlMoved(Control& control) {
    impl_->rememberGaps(control);
    impl_->desktop.flushPaints();
}

// The control takes the place its index names; the others keep their order around it.
void Window::tabIndexChanged(Control& control) {
    auto& cs = impl_->controls;
    auto it = std::find_if(cs.begin(), cs.end(), [&](const auto& c) { return c.get() == &control; });
    if (it == cs.end()) return;
    std::unique_ptr<Control> moving = std::move(*it);
    cs.erase(it);
    size_t at =
        static_cast<size_t>(std::clamp<int32_t>(control.tabIndex_, 0, static_cast<int32_t>(cs.size())));
    cs.insert(cs.begin() + static_cast<ptrdiff_t>(at), std::move(moving));
    for (size_t i = 0; i < cs.size(); ++i)
        cs[i]->tabIndex_ = static_cast<int32_t>(i);
}

Variant Window::imageList(int32_t width, int32_t height, int32_t count) {
    return Variant::object(
        std::make_shared<software::SoftwareImageList>(impl_->desktop, width, height, count, 3));
}

void Window::setFrameLimit(int32_t frames) {
    impl_->frameLimit = frames;
}

void Window::setSteppedClock(bool stepped) {
    impl_->steppedClock = stepped;
}

void Window::close() {
    impl_->closing = true;
    if (impl_->stopLoop) impl_->stopLoop();
}

bool Window::snapshot(const std::string& pngPath, std::string* error) const {
    impl_->desktop.flushPaints();
    return impl_->desktop.snapshot(impl_->desktop.form().hwnd(), true, pngPath, error);
}

std::vector<uint32_t> Window::pixels() const {
    impl_->desktop.flushPaints();
    int32_t w = 0, h = 0;
    return impl_->desktop.compose(impl_->desktop.form().hwnd(), true, w, h);
}

Window::User& Window::user() {
    return user_;
}

// ---------------------------------------------------------------------------------------------
// The simulated user: input through the desktop, as the window host gives it.

namespace {
platform::HWND targetOf(Control& c) {
    return hosted(c).hostWindow().hwnd();
}
} // namespace

void Window::User::press(Control& c, float x, float y, int16_t button) {
    const auto s = static_cast<float>(window_.impl_->scale);
    window_.impl_->desktop.mouseDown(targetOf(c), button, x * s, y * s, 0);
}

void Window::User::release(Control& c, float x, float y, int16_t button) {
    const auto s = static_cast<float>(window_.impl_->scale);
    window_.impl_->desktop.mouseUp(targetOf(c), button, x * s, y * s, 0);
}

void Window::User::moveTo(Control& c, float x, float y, int16_t buttons) {
    const auto s = static_cast<float>(window_.impl_->scale);
    window_.impl_->desktop.mouseMove(targetOf(c), x * s, y * s, buttons, 0);
}

void Window::User::click(Control& c, float x, float y) {
    moveTo(c, x, y);
    press(c, x, y);
    release(c, x, y);
}

void Window::User::doubleClick(Control& c, float x, float y) {
    click(c, x, y);
    window_.impl_->desktop.wait(50);
    press(c, x, y);
    release(c, x, y);
}

void Window::User::rightClick(Control& c, float x, float y) {
    press(c, x, y, platform::vbRightButton);
    release(c, x, y, platform::vbRightButton);
}

void Window::User::wheel(Control& c, float x, float y, int32_t notches) {
    const auto s = static_cast<float>(window_.impl_->scale);
    window_.impl_->desktop.mouseWheel(targetOf(c), x * s, y * s, notches);
}

void Window::User::key(int16_t keyCode, int16_t shift) {
    auto& d = window_.impl_->desktop;
    d.keyDown(keyCode, shift);
    // Enter, Escape and Backspace type their character too, as on a real keyboard.
    if (keyCode == 13 || keyCode == 27 || keyCode == 8) d.keyPress(keyCode);
    d.keyUp(keyCode, shift);
}

void Window::User::type(const std::u16string& text) {
    window_.impl_->desktop.typeText(text);
}

void Window::User::wait(uint32_t milliseconds) {
    window_.impl_->desktop.wait(milliseconds);
}

void Window::User::chooseMenu(int16_t index) {
    window_.impl_->desktop.menuChoose(index);
}

} // namespace tavrin::app
