// Life of the scroll bar in its container: new (InitProperties), loaded (ReadProperties), saved
// (WriteProperties) and destroyed (Terminate).
//
// 1. A new control takes the defaults and loads its pictures, but is left blank: the paint inside
//    the resize runs before the pictures are there, and the steps after it do not paint.
// 2. A loaded control assigns every stored value directly (no range rule, no PropertyChanged) and
//    attaches to the window messages only at run time. This is the only place that attaches.
// 3. Saving writes every entry with its default, so a bar at its defaults leaves the bag empty.
// 4. Terminate stops the repeat timers, releases the pictures, then detaches.
#include "scrollbar/ScrollPropertyTable.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

// A saved property read back with its default, straight into its field.
void XPVScroll::loadProperty(const platform::PropertyBag& bag, std::string_view name) {
    const PropertyRow& row = propertyRow(name);
    row.store(*this, bag.ReadProperty(row.name, row.defaultValue));
}

// The range and the value take their defaults directly; Theme and dFormat keep their own.
void XPVScroll::InitProperties() {
    uc_.SetHeight(kNewHeight);
    for (const PropertyRow& row : propertyTable())
        if (row.newControlDefault) row.store(*this, row.defaultValue);
    tScrl_->SetInterval(kFirstRepeatInterval);
    UserControl_Resize();
    pLoadTheme();
    pBarPosition();
}

void XPVScroll::ReadProperties(const platform::PropertyBag& bag) {
    loadProperty(bag, "Theme");
    pLoadTheme();
    for (const char* name : {"Enabled", "LargeChange", "Max", "Min", "SmallChange"})
        loadProperty(bag, name);
    // Read once more after the range: the pictures stay those loaded above.
    for (const char* name : {"Theme", "Value", "dFormat"})
        loadProperty(bag, name);
    // At design time the bar never reacts to the mouse.
    if (site_.AmbientUserMode()) pSubclass();
    UserControl_Resize();
    pBarPosition();
}

void XPVScroll::WriteProperties(platform::PropertyBag& bag) const {
    for (const PropertyRow& row : propertyTable())
        if (row.saved) bag.WriteProperty(row.name, row.field(*this), row.defaultValue);
}

void XPVScroll::Terminate() {
    // Nothing of a terminated bar may run: a held button's repeat would step and draw with the
    // pictures released just below, and raise Change into a container that is going away.
    p_Terminated = true;
    tScrl_->Tick = nullptr;
    tScrlEnable_->Tick = nullptr;
    tScrlEnable_->SetEnabled(false);
    tScrl_->SetEnabled(false);
    p_Pressed = false;
    p_Dragging = false;
    p_Paging = false;
    for (auto& picture : p_Pictures)
        picture.reset();
    p_CurUp.picture.reset();
    p_CurDown.picture.reset();
    p_CurBar.picture.reset();
    // The hover timer is left to end with the window.
    pTerminate();
}

} // namespace tavrin
