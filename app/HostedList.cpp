// A Tavrin list on an application form: its control site placed on the form, its events to the
// typed callbacks and the name-based sink, and the host's focus events.
//
// Events of one raise, in order: the typed callback, then onEvent by name. GotFocus and LostFocus
// are the host's: they follow the control's own EnterFocus and ExitFocus handlers.
#include <algorithm>

#include "app/Hosted.h"
#include "control/TavrinAccess.h"
#include "scrollbar/BarEvents.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::app {

namespace {

constexpr double kWheelRows = 3;

class HostedList final : public List, public Hosted, private software::WindowEvents {
  public:
    HostedList(Window::Impl& form, std::string name, Place place, const platform::PropertyBag* bag)
        : List(std::move(name), place), form_(form) {
        // At design time the list shows the name the form gives it.
        form.desktop.ambient().displayName = utf16(this->name());
        site_ = form.desktop.createControlSite(u"Tavrin", std::max(0, form.px(place.width)),
                                               std::max(0, form.px(place.height)));
        form.desktop.ambient().displayName.clear();
        site_->onEvent = [this](std::string_view event, int32_t, std::vector<Variant>& args) {
            dispatchEvent(event, args);
        };
        list_ = std::make_unique<Tavrin>(*site_);
        if (bag)
            list_->ReadProperties(*bag);
        else
            list_->InitProperties();
        wrapFocus();
        site_->core().window().events = this;
        placed();
    }
    ~HostedList() override {
        list_->Terminate();
        list_.reset();
    }

    Tavrin& list() override { return *list_; }
    const Tavrin& list() const override { return *list_; }

    bool hasFocus() const override {
        software::DesktopWindow* f = form_.desktop.focused();
        return f && f->owner() == &site_->core();
    }
    void setFocus() override { form_.desktop.focusWindow(TavrinAccess::iUC(*list_).hWnd()); }

    Variant property(std::string_view name) const override {
        return const_cast<Tavrin&>(*list_).invoke(name, InvokeKind::PropertyGet, {});
    }
    void setProperty(std::string_view name, const Variant& value) override {
        InvokeKind kind = value.type() == VarType::Object ? InvokeKind::PropertySet : InvokeKind::PropertyLet;
        list_->invoke(name, kind, CallArgs{{value}, {}});
        placed(); // the appearance moves the frame in or out
    }

    software::DesktopWindow& hostWindow() override { return site_->core().window(); }
    software::DesktopWindow* focusWindow() override { return site_->child("iUC"); }
    void writeBag(platform::PropertyBag& bag) override { list_->WriteProperties(bag); }
    void readBag(const platform::PropertyBag& bag) override {
        list_->ReadProperties(bag);
        placed();
    }

  protected:
    // The place is the outer rectangle; the control's frame, when it has one, is inside it.
    void placed() override {
        Place p = form_.px(place());
        int32_t frame = site_->core().window().frame();
        site_->place(p.left, p.top, std::max(0, p.width - 2 * frame), std::max(0, p.height - 2 * frame));
        form_.desktop.flushPaints();
    }

  private:
    // The wheel scrolls by three rows a notch through the bar's value, and the list hears of it as
    // of any move of the bar by the user: the bar's Change.
    bool mouseWheel(int32_t notches, float, float) override {
        XPVScroll& bar = TavrinAccess::sbUC(*list_);
        if (!bar.Enabled() || !site_->core().window().enabled()) return true;
        double to = std::clamp(bar.Value() - kWheelRows * notches, bar.Min(), bar.Max());
        if (to == bar.Value()) return true;
        bar.SetValue(to);
        std::vector<Variant> none;
        TavrinAccess::sbUCSite(*list_).RaiseEvent(eventName(BarEvent::Change),
                                                  static_cast<int32_t>(BarEvent::Change), none);
        return true;
    }

    void wrapFocus() {
        auto enter = site_->EnterFocus, exit = site_->ExitFocus;
        site_->EnterFocus = [this, enter] {
            if (enter) enter();
            if (onGotFocus) onGotFocus();
            raise("GotFocus");
        };
        site_->ExitFocus = [this, exit] {
            if (exit) exit();
            if (onLostFocus) onLostFocus();
            raise("LostFocus");
        };
    }

    void dispatchEvent(std::string_view event, std::vector<Variant>& args) {
        auto i16 = [&](size_t i) { return i < args.size() ? toInteger(args[i]) : int16_t{0}; };
        auto f = [&](size_t i) { return i < args.size() ? static_cast<float>(toDouble(args[i])) : 0.0f; };
        if (event == "Click" && onClick)
            onClick();
        else if (event == "DblClick" && onDblClick)
            onDblClick();
        else if (event == "ListIndexChange" && onListIndexChange)
            onListIndexChange();
        else if (event == "TopIndexChange" && onTopIndexChange)
            onTopIndexChange();
        else if (event == "Scroll" && onScroll)
            onScroll();
        else if (event == "MouseDown" && onMouseDown)
            onMouseDown(i16(0), i16(1), f(2), f(3));
        else if (event == "MouseMove" && onMouseMove)
            onMouseMove(i16(0), i16(1), f(2), f(3));
        else if (event == "MouseUp" && onMouseUp)
            onMouseUp(i16(0), i16(1), f(2), f(3));
        else if (event == "KeyDown" && onKeyDown)
            onKeyDown(i16(0), i16(1));
        else if (event == "KeyUp" && onKeyUp)
            onKeyUp(i16(0), i16(1));
        else if (event == "KeyPress" && onKeyPress)
            onKeyPress(i16(0));
        raise(event, args);
    }

    static int16_t toInteger(const Variant& v) { return toI2(v); }
    static double toDouble(const Variant& v) { return toR8(v); }

    Window::Impl& form_;
    std::unique_ptr<software::SoftwareSite> site_;
    std::unique_ptr<Tavrin> list_;
};

} // namespace

std::unique_ptr<List> makeList(Window::Impl& form, std::string name, Place place,
                               const platform::PropertyBag* bag) {
    return std::make_unique<HostedList>(form, std::move(name), place, bag);
}

} // namespace tavrin::app
