// The scroll bar's property table, in the order the properties are saved.
#include "scrollbar/ScrollPropertyTable.h"

#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace {

template <auto Field> Variant fieldR8(const XPVScroll& bar) {
    return Variant::r8(bar.*Field);
}
template <auto Field> void storeR8(XPVScroll& bar, const Variant& v) {
    bar.*Field = toR8(v);
}

} // namespace

const std::vector<XPVScroll::PropertyRow>& XPVScroll::propertyTable() {
    static const std::vector<PropertyRow> table = {
        {"Enabled", kDispIdBase + 7, Variant::boolean(true), false, true,
         [](XPVScroll& s) { return Variant::boolean(s.Enabled()); },
         [](XPVScroll& s, const Variant& v) { s.SetEnabled(toBool(v)); },
         [](const XPVScroll& s) { return Variant::boolean(s.Enabled()); },
         [](XPVScroll& s, const Variant& v) { s.uc_.SetEnabled(toBool(v)); }},
        {"LargeChange", kDispIdBase + 4, Variant::i2(1), true, true,
         [](XPVScroll& s) { return Variant::r8(s.LargeChange()); },
         [](XPVScroll& s, const Variant& v) { s.SetLargeChange(toR8(v)); },
         &fieldR8<&XPVScroll::LargeChange_>, &storeR8<&XPVScroll::LargeChange_>},
        {"Min", kDispIdBase + 1, Variant::i2(0), true, true,
         [](XPVScroll& s) { return Variant::r8(s.Min()); },
         [](XPVScroll& s, const Variant& v) { s.SetMin(toR8(v)); }, &fieldR8<&XPVScroll::Min_>,
         &storeR8<&XPVScroll::Min_>},
        {"Max", kDispIdBase + 2, Variant::i2(32767), true, true,
         [](XPVScroll& s) { return Variant::r8(s.Max()); },
         [](XPVScroll& s, const Variant& v) { s.SetMax(toR8(v)); }, &fieldR8<&XPVScroll::Max_>,
         &storeR8<&XPVScroll::Max_>},
        {"SmallChange", kDispIdBase + 3, Variant::i2(1), true, true,
         [](XPVScroll& s) { return Variant::r8(s.SmallChange()); },
         [](XPVScroll& s, const Variant& v) { s.SetSmallChange(toR8(v)); },
         &fieldR8<&XPVScroll::SmallChange_>, &storeR8<&XPVScroll::SmallChange_>},
        // Saved as the stored number, not through dFormat.
        {"Value", kDispIdBase + 0, Variant::i2(0), true, true,
         [](XPVScroll& s) { return Variant::r8(s.Value()); },
         [](XPVScroll& s, const Variant& v) { s.SetValue(toR8(v)); }, &fieldR8<&XPVScroll::Value_>,
         &storeR8<&XPVScroll::Value_>},
        {"Theme", kDispIdBase + 5, Variant::i2(0), false, true,
         [](XPVScroll& s) { return Variant::i4(s.Theme()); },
         [](XPVScroll& s, const Variant& v) { s.SetTheme(toI4(v)); },
         [](const XPVScroll& s) { return Variant::i4(s.Theme_); },
         [](XPVScroll& s, const Variant& v) { s.Theme_ = toI4(v); }},
        {"dFormat", kDispIdBase + 6, Variant::string(u""), false, true,
         [](XPVScroll& s) { return Variant::string(s.dFormat()); },
         [](XPVScroll& s, const Variant& v) { s.SetdFormat(toText(v)); },
         [](const XPVScroll& s) { return Variant::string(s.dFormat_); },
         [](XPVScroll& s, const Variant& v) { s.dFormat_ = toText(v); }},
        {"hWnd", kDispIdBase + 8, Variant(), false, false, [](XPVScroll& s) { return Variant::i4(s.hWnd()); },
         nullptr, nullptr, nullptr},
    };
    return table;
}

const XPVScroll::PropertyRow& XPVScroll::propertyRow(std::string_view name) {
    for (const PropertyRow& row : propertyTable())
        if (namesEqual(row.name, name)) return row;
    raise(err::MemberNotFound);
}

} // namespace tavrin
