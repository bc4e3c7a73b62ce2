// The value model of the scroll bar: the range rules of its properties and the stepping that the
// buttons, the track and the auto-repeat share.
//
// The property procedures keep Min <= Value <= Max and Max >= Min. Loading from the property bag
// assigns the fields directly and checks nothing; the next write applies the rules again.
// No property write raises an event: Change, BarMouseMove and BarMouseUp report the user only.
// An infinite or NaN value overflows (6) before anything changes: a form could not keep it.
#include "scrollbar/BarEvents.h"
#include "tavrin/XPVScroll.h"

#include <cmath>

#include "tavrin/automation/Conversions.h"

namespace tavrin {

XPVScroll::XPVScroll(platform::ControlSite& site)
    : site_(site), uc_(site.UserControl()), tScrl_(site.createTimer()), tScrlEnable_(site.createTimer()) {
    tScrl_->SetInterval(kFirstRepeatInterval);
    tScrl_->SetEnabled(false);
    tScrl_->Tick = [this] { tScrl_Timer(); };
    tScrlEnable_->SetInterval(kRepeatDelay);
    tScrlEnable_->SetEnabled(false);
    tScrlEnable_->Tick = [this] { tScrlEnable_Timer(); };
    site_.Resize = [this] { UserControl_Resize(); };
}

XPVScroll::~XPVScroll() {
    site_.Resize = nullptr;
    tScrl_->Tick = nullptr;
    tScrlEnable_->Tick = nullptr;
    // A host that destroys the control without Terminate must not keep delivering to it.
    if (!p_Subclassed) return;
    auto& server = site_.services().subclassServer();
    for (int32_t msg : {platform::WM_MOUSEMOVE, platform::WM_LBUTTONDOWN, platform::WM_LBUTTONUP,
                        platform::WM_LBUTTONDBLCLK, platform::WM_TIMER}) {
        try {
            server.UnhookMessage(this, hWnd(), msg);
        } catch (const AutomationError&) {
            // The window may already be gone; nothing is left to detach then.
        }
    }
}

double XPVScroll::Value() const {
    if (dFormat_.empty()) return Value_;
    // The formatted text is read back as a number: "0" gives whole numbers, a format that does not
    // produce a number fails with a type mismatch.
    return toR8(Variant::string(formatNumber(Value_, dFormat_)));
}

void XPVScroll::SetValue(double v) {
    checkedFinite(v);
    if (!(Min_ <= v && v <= Max_)) return;
    Value_ = v;
    // While the thumb is dragged the thumb keeps its size; the container's write on release (its
    // rounding) only moves the thumb.
    if (p_Dragging)
        pBarPosition();
    else
        pBarSizeAndPosition();
    site_.PropertyChanged("Value");
}

void XPVScroll::SetMin(double v) {
    checkedFinite(v);
    Min_ = v > Max_ ? Max_ : v;
    if (Min_ > Value_) Value_ = Min_;
    pBarSizeAndPosition();
    site_.PropertyChanged("Min");
}

void XPVScroll::SetMax(double v) {
    checkedFinite(v);
    Max_ = v < Min_ ? Min_ : v;
    if (Max_ < Value_) Value_ = Max_;
    pBarSizeAndPosition();
    site_.PropertyChanged("Max");
}

void XPVScroll::SetSmallChange(double v) {
    checkedFinite(v);
    if (!(v <= std::fabs(Max_ - Min_))) return;
    SmallChange_ = v;
    site_.PropertyChanged("SmallChange");
}

void XPVScroll::SetLargeChange(double v) {
    checkedFinite(v);
    // The thumb keeps its size until the next size step.
    if (!(v <= std::fabs(Max_ - Min_))) return;
    LargeChange_ = v;
    site_.PropertyChanged("LargeChange");
}

void XPVScroll::SetTheme(int32_t v) {
    if (v < 0 || v > 2) return;
    Theme_ = v;
    pLoadTheme();
    pBarSize();
    site_.PropertyChanged("Theme");
}

void XPVScroll::SetdFormat(const std::u16string& v) {
    dFormat_ = v;
    site_.PropertyChanged("dFormat");
}

bool XPVScroll::Enabled() const {
    return uc_.Enabled();
}

void XPVScroll::SetEnabled(bool v) {
    // A disabled bar looks like an enabled one: no repaint.
    uc_.SetEnabled(v);
    site_.PropertyChanged("Enabled");
}

int32_t XPVScroll::hWnd() const {
    return uc_.hWnd();
}

// One step of a button, a track press or a repeat: clamped to the range, never past an end.
// The caller raises Change (when this returns true), moves the thumb and repaints.
bool XPVScroll::pStep(StepDirection direction, double amount) {
    const double old = Value_;
    if (direction == StepDirection::Decrease) {
        const double next = checkedFinite(Value_ - amount);
        Value_ = next > Min_ ? next : Min_;
    } else {
        const double next = checkedFinite(Value_ + amount);
        Value_ = next < Max_ ? next : Max_;
    }
    return Value_ != old;
}

void XPVScroll::raiseEvent(BarEvent event) {
    std::vector<Variant> noArgs;
    site_.RaiseEvent(eventName(event), static_cast<int32_t>(event), noArgs);
}

} // namespace tavrin
