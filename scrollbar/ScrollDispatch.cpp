// The scroll bar's automation members and the private fields readable by name.
//
// The members are the property table's (ScrollPropertyTable.cpp).
#include <functional>
#include <utility>

#include "scrollbar/ScrollPropertyTable.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace {

DispatchTable buildTable() {
    DispatchTable table;
    TableBuilder<XPVScroll> b(table);
    for (const XPVScroll::PropertyRow& row : XPVScroll::propertyTable()) {
        const auto get = row.get;
        b.get(row.name, row.memberId, [get](XPVScroll& bar, std::vector<Variant>&) { return get(bar); });
        if (const auto let = row.let)
            b.let(row.name, row.memberId,
                  [let](XPVScroll& bar, std::vector<Variant>& a) { let(bar, a.back()); });
    }
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
