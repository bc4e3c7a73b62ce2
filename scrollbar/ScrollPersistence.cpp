// Life of the scroll bar in its container: new (InitProperties), loaded (ReadProperties), saved
// (WriteProperties) and destroyed (Terminate).
//
// 1. A new control takes the defaults and loads its pictures, but is left blank: the paint inside
//    the resize runs before the pictures are there, and the steps after it do not paint.
// 2. A loaded control assigns every stored value directly (no range rule, no PropertyChanged) and
//    attaches to the window messages only at run time. This is the only place that attaches.
// 3. Saving writes every entry with its default, so a bar at its defaults leaves the bag empty.
// 4. Terminate releases the pictures, then detaches.
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace {
// The defaults go to the bag as 16-bit integers; what is read is converted to the field's type.
Variant i2Default(int16_t v) {
    return Variant::i2(v);
}
} // namespace

void XPVScroll::InitProperties() {
    site_.UserControl().SetHeight(kNewHeight);
    SmallChange_ = 1;
    LargeChange_ = 1;
    Min_ = 0;
    Max_ = 32767;
    Value_ = 0;
    tScrl_->SetInterval(kFirstRepeatInterval);
    UserControl_Resize();
    pLoadTheme();
    pBarPosition();
}

void XPVScroll::ReadProperties(const platform::PropertyBag& bag) {
    Theme_ = toI4(bag.ReadProperty("Theme", i2Default(0)));
    pLoadTheme();
    site_.UserControl().SetEnabled(toBool(bag.ReadProperty("Enabled", Variant::boolean(true))));
    LargeChange_ = toR8(bag.ReadProperty("LargeChange", i2Default(1)));
    Max_ = toR8(bag.ReadProperty("Max", i2Default(32767)));
    Min_ = toR8(bag.ReadProperty("Min", i2Default(0)));
    SmallChange_ = toR8(bag.ReadProperty("SmallChange", i2Default(1)));
    // Read once more after the range: the pictures stay those loaded above.
    Theme_ = toI4(bag.ReadProperty("Theme", i2Default(0)));
    Value_ = toR8(bag.ReadProperty("Value", i2Default(0)));
    dFormat_ = toText(bag.ReadProperty("dFormat", Variant::string(u"")));
    // At design time the bar never reacts to the mouse.
    if (site_.AmbientUserMode()) pSubclass();
    UserControl_Resize();
    pBarPosition();
}

void XPVScroll::WriteProperties(platform::PropertyBag& bag) const {
    bag.WriteProperty("Enabled", Variant::boolean(Enabled()), Variant::boolean(true));
    bag.WriteProperty("LargeChange", Variant::r8(LargeChange_), i2Default(1));
    bag.WriteProperty("Min", Variant::r8(Min_), i2Default(0));
    bag.WriteProperty("Max", Variant::r8(Max_), i2Default(32767));
    bag.WriteProperty("SmallChange", Variant::r8(SmallChange_), i2Default(1));
    bag.WriteProperty("Value", Variant::r8(Value_), i2Default(0));
    bag.WriteProperty("Theme", Variant::i4(Theme_), i2Default(0));
    bag.WriteProperty("dFormat", Variant::string(dFormat_), Variant::string(u""));
}

void XPVScroll::Terminate() {
    for (auto& picture : p_Pictures)
        picture.reset();
    p_CurUp.picture.reset();
    p_CurDown.picture.reset();
    p_CurBar.picture.reset();
    // The hover timer is left to end with the window.
    pTerminate();
}

} // namespace tavrin
