// The scroll bar's automation members and the private fields readable by name.
//
// Member IDs run from 0x68030000 in declaration order: Value, Min, Max, SmallChange, LargeChange,
// Theme, dFormat, Enabled, hWnd.
#include <functional>
#include <utility>

#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace {

using Getter = std::function<Variant(XPVScroll&)>;
using Letter = std::function<void(XPVScroll&, const Variant&)>;

void addProperty(TableBuilder<XPVScroll>& builder, std::string name, int32_t n, Getter get, Letter let) {
    const int32_t id = XPVScroll::kDispIdBase + n;
    builder.get(name, id, [get](XPVScroll& bar, std::vector<Variant>&) { return get(bar); });
    if (let) builder.let(name, id, [let](XPVScroll& bar, std::vector<Variant>& a) { let(bar, a.back()); });
}

DispatchTable buildTable() {
    DispatchTable table;
    TableBuilder<XPVScroll> b(table);
    addProperty(
        b, "Value", 0, [](XPVScroll& s) { return Variant::r8(s.Value()); },
        [](XPVScroll& s, const Variant& v) { s.SetValue(toR8(v)); });
    addProperty(
        b, "Min", 1, [](XPVScroll& s) { return Variant::r8(s.Min()); },
        [](XPVScroll& s, const Variant& v) { s.SetMin(toR8(v)); });
    addProperty(
        b, "Max", 2, [](XPVScroll& s) { return Variant::r8(s.Max()); },
        [](XPVScroll& s, const Variant& v) { s.SetMax(toR8(v)); });
    addProperty(
        b, "SmallChange", 3, [](XPVScroll& s) { return Variant::r8(s.SmallChange()); },
        [](XPVScroll& s, const Variant& v) { s.SetSmallChange(toR8(v)); });
    addProperty(
        b, "LargeChange", 4, [](XPVScroll& s) { return Variant::r8(s.LargeChange()); },
        [](XPVScroll& s, const Variant& v) { s.SetLargeChange(toR8(v)); });
    addProperty(
        b, "Theme", 5, [](XPVScroll& s) { return Variant::i4(s.Theme()); },
        [](XPVScroll& s, const Variant& v) { s.SetTheme(toI4(v)); });
    addProperty(
        b, "dFormat", 6, [](XPVScroll& s) { return Variant::string(s.dFormat()); },
        [](XPVScroll& s, const Variant& v) { s.SetdFormat(toText(v)); });
    addProperty(
        b, "Enabled", 7, [](XPVScroll& s) { return Variant::boolean(s.Enabled()); },
        [](XPVScroll& s, const Variant& v) { s.SetEnabled(toBool(v)); });
    addProperty(
        b, "hWnd", 8, [](XPVScroll& s) { return Variant::i4(s.hWnd()); }, nullptr);
    return table;
}

} // namespace

const DispatchTable& XPVScroll::dispatchTable() const {
    static const DispatchTable table = buildTable();
    return table;
}

bool XPVScroll::readPrivate(std::string_view name, Variant& out) const {
    const std::pair<const char*, Variant> fields[] = {
        {"p_BarTop", Variant::r8(p_BarTop)},
        {"p_BarHeight", Variant::r8(p_BarHeight)},
        {"p_DownTop", Variant::r8(p_DownTop)},
        {"p_GripTop", Variant::i4(p_GripTop)},
        {"p_Hot", Variant::boolean(p_Hot)},
        {"p_Pressed", Variant::boolean(p_Pressed)},
        {"p_Dragging", Variant::boolean(p_Dragging)},
        {"p_Paging", Variant::boolean(p_Paging)},
        {"p_Direction", Variant::i4(p_Direction)},
        {"p_DragStartY", Variant::r8(p_DragStartY)},
        {"p_DragStartTop", Variant::r8(p_DragStartTop)},
        {"p_Subclassed", Variant::boolean(p_Subclassed)},
        // A current picture reads as the name of the theme picture it shows ("" when none).
        {"p_CurUp", Variant::string(p_CurUp.picture ? themePartName(p_CurUp.part) : "")},
        {"p_CurDown", Variant::string(p_CurDown.picture ? themePartName(p_CurDown.part) : "")},
        {"p_CurBar", Variant::string(p_CurBar.picture ? themePartName(p_CurBar.part) : "")},
        {"tScrl.Interval", Variant::i4(tScrl_->Interval())},
        {"tScrl.Enabled", Variant::boolean(tScrl_->Enabled())},
        {"tScrlEnable.Interval", Variant::i4(tScrlEnable_->Interval())},
        {"tScrlEnable.Enabled", Variant::boolean(tScrlEnable_->Enabled())},
    };
    for (const auto& [fieldName, value] : fields) {
        if (namesEqual(name, fieldName)) {
            out = value;
            return true;
        }
    }
    return false;
}

} // namespace tavrin
