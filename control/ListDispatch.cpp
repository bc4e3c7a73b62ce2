// The list's automation interface: every public member by name and member ID, and the private
// fields readable by name for tests and the script host. The two item arrays read as the number
// of entries of p_Items (items plus the spare slot) and the flags of p_Selected as "0 1 0".
#include <cstdio>

#include "tavrin/Tavrin.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {

using Args = std::vector<Variant>;
using B = TableBuilder<Tavrin>;

int16_t optI2(const Variant& v, int16_t fallback) {
    return v.isMissing() ? fallback : toI2(v);
}
uint32_t toColour(const Variant& v) {
    return static_cast<uint32_t>(toI4(v));
}
Variant colour(uint32_t c) {
    return Variant::i4(static_cast<int32_t>(c));
}

std::shared_ptr<Picture> toPictureOrNothing(const Variant& v) {
    if (v.type() != VarType::Object) raise(err::TypeMismatch);
    if (!v.asObject()) return nullptr;
    auto picture = std::dynamic_pointer_cast<Picture>(v.asObject());
    if (!picture) raise(err::TypeMismatch);
    return picture;
}

Variant object(std::shared_ptr<Dispatchable> o) {
    return Variant::object(std::move(o));
}

// A property of a 16-bit, 32-bit, Boolean or colour type, by its getter and setter.
template <class Get, class Set> void i2Property(B& b, const char* name, int32_t id, Get get, Set set) {
    b.get(name, id, [get](Tavrin& t, Args&) { return Variant::i2((t.*get)()); });
    b.let(name, id, [set](Tavrin& t, Args& a) { (t.*set)(toI2(a.back())); });
}
template <class Get, class Set> void i4Property(B& b, const char* name, int32_t id, Get get, Set set) {
    b.get(name, id, [get](Tavrin& t, Args&) { return Variant::i4((t.*get)()); });
    b.let(name, id, [set](Tavrin& t, Args& a) { (t.*set)(toI4(a.back())); });
}
template <class Get, class Set> void boolProperty(B& b, const char* name, int32_t id, Get get, Set set) {
    b.get(name, id, [get](Tavrin& t, Args&) { return Variant::boolean((t.*get)()); });
    b.let(name, id, [set](Tavrin& t, Args& a) { (t.*set)(toBool(a.back())); });
}
template <class Get, class Set> void colourProperty(B& b, const char* name, int32_t id, Get get, Set set) {
    b.get(name, id, [get](Tavrin& t, Args&) { return colour((t.*get)()); });
    b.let(name, id, [set](Tavrin& t, Args& a) { (t.*set)(toColour(a.back())); });
}

void addMethods(B& b) {
    b.method("SetImageList", 0x60030040, {"ImageListControl"}, 1, [](Tavrin& t, Args& a) {
        t.SetImageList(a[0]);
        return Variant();
    });
    b.method("AddItem", 0x60030041, {"Text", "Icon", "IconSelected"}, 1, [](Tavrin& t, Args& a) {
        t.AddItem(a[0], optI2(a[1], 0), optI2(a[2], 0));
        return Variant();
    });
    b.method("InsertItem", 0x60030042, {"Index", "Text", "Icon", "IconSelected"}, 2, [](Tavrin& t, Args& a) {
        t.InsertItem(toI2(a[0]), a[1], optI2(a[2], 0), optI2(a[3], 0));
        return Variant();
    });
    b.method("ModifyItem", 0x60030043, {"Index", "Text", "Icon", "IconSelected"}, 1, [](Tavrin& t, Args& a) {
        t.ModifyItem(toI2(a[0]), a[1].isMissing() ? Variant::i4(0) : a[1], optI2(a[2], -1), optI2(a[3], -1));
        return Variant();
    });
    b.method("RemoveItem", 0x60030044, {"Index"}, 1, [](Tavrin& t, Args& a) {
        t.RemoveItem(toI2(a[0]));
        return Variant();
    });
    b.method("FindFirst", 0x60030045, {"fndString", "StartIndex", "StartWith"}, 1, [](Tavrin& t, Args& a) {
        bool startWith = a[2].isMissing() ? false : toBool(a[2]);
        return Variant::i2(t.FindFirst(toText(a[0]), optI2(a[1], 0), startWith));
    });
    b.method("Clear", 0x60030046, {}, 0, [](Tavrin& t, Args&) {
        t.Clear();
        return Variant();
    });
    b.method("Order", 0x60030047, {}, 0, [](Tavrin& t, Args&) {
        t.Order();
        return Variant();
    });
    b.method("StartEdit", 0x60030057, {}, 0, [](Tavrin& t, Args&) {
        t.StartEdit();
        return Variant();
    });
    b.method("EndEdit", 0x60030058, {"Modify"}, 0, [](Tavrin& t, Args& a) {
        t.EndEdit(a[0].isMissing() ? false : toBool(a[0]));
        return Variant();
    });
    b.method("About", -552, {}, 0, [](Tavrin& t, Args&) {
        t.About();
        return Variant();
    });
}

void addProperties(B& b) {
    i4Property(b, "Alignment", 0x68030029, &Tavrin::Alignment, &Tavrin::SetAlignment);
    i4Property(b, "Appearance", 0x68030028, &Tavrin::Appearance, &Tavrin::SetAppearance);
    colourProperty(b, "BackNormal", 0x68030027, &Tavrin::BackNormal, &Tavrin::SetBackNormal);
    colourProperty(b, "BackSelected", 0x68030026, &Tavrin::BackSelected, &Tavrin::SetBackSelected);
    colourProperty(b, "BackSelectedG1", 0x68030025, &Tavrin::BackSelectedG1, &Tavrin::SetBackSelectedG1);
    colourProperty(b, "BackSelectedG2", 0x68030024, &Tavrin::BackSelectedG2, &Tavrin::SetBackSelectedG2);
    colourProperty(b, "BorderColor", 0x68030023, &Tavrin::BorderColor, &Tavrin::SetBorderColor);
    i2Property(b, "BorderWidth", 0x68030022, &Tavrin::BorderWidth, &Tavrin::SetBorderWidth);
    colourProperty(b, "BoxBorder", 0x68030021, &Tavrin::BoxBorder, &Tavrin::SetBoxBorder);
    i2Property(b, "BoxOffset", 0x68030020, &Tavrin::BoxOffset, &Tavrin::SetBoxOffset);
    i2Property(b, "BoxRadius", 0x6803001F, &Tavrin::BoxRadius, &Tavrin::SetBoxRadius);
    boolProperty(b, "Enabled", 0x6803001E, &Tavrin::Enabled, &Tavrin::SetEnabled);
    i2Property(b, "LeftMargin", 0x6803001D, &Tavrin::LeftMargin, &Tavrin::SetLeftMargin);
    boolProperty(b, "RequiredField", 0x6803001C, &Tavrin::RequiredField, &Tavrin::SetRequiredField);
    i4Property(b, "Theme", 0x6803001B, &Tavrin::Theme, &Tavrin::SetTheme);
    boolProperty(b, "Focus", 0x6803001A, &Tavrin::Focus, &Tavrin::SetFocus);
    b.get("Font", 0x68030019, [](Tavrin& t, Args&) { return object(t.Font()); });
    // No object at all: 424; Nothing: 91 from the let; an object of another kind: 13.
    b.set("Font", 0x68030019, [](Tavrin& t, Args& a) {
        if (a.back().type() != VarType::Object) raise(err::ObjectRequired);
        auto font = std::dynamic_pointer_cast<StdFont>(a.back().asObject());
        if (a.back().asObject() && !font) raise(err::TypeMismatch);
        t.SetFont(font);
    });
    colourProperty(b, "FontNormal", 0x68030018, &Tavrin::FontNormal, &Tavrin::SetFontNormal);
    colourProperty(b, "FontSelected", 0x68030017, &Tavrin::FontSelected, &Tavrin::SetFontSelected);
    boolProperty(b, "HoverSelection", 0x68030016, &Tavrin::HoverSelection, &Tavrin::SetHoverSelection);
    boolProperty(b, "GotFocusEffect", 0x68030015, &Tavrin::GotFocusEffect, &Tavrin::SetGotFocusEffect);
    colourProperty(b, "GotFocusEffectColor", 0x68030014, &Tavrin::GotFocusEffectColor,
                   &Tavrin::SetGotFocusEffectColor);
    i2Property(b, "ItemHeight", 0x68030013, &Tavrin::ItemHeight, &Tavrin::SetItemHeight);
    boolProperty(b, "ItemHeightAuto", 0x68030012, &Tavrin::ItemHeightAuto, &Tavrin::SetItemHeightAuto);
    i2Property(b, "ItemOffset", 0x68030011, &Tavrin::ItemOffset, &Tavrin::SetItemOffset);
    i2Property(b, "ItemTextLeft", 0x68030010, &Tavrin::ItemTextLeft, &Tavrin::SetItemTextLeft);
    b.get("ListCount", 0x6803000F, [](Tavrin& t, Args&) { return Variant::i2(t.ListCount()); });
    i2Property(b, "ListIndex", 0x6803000E, &Tavrin::ListIndex, &Tavrin::SetListIndex);
    b.get("MouseIcon", 0x6803000D, [](Tavrin& t, Args&) { return object(t.MouseIcon()); });
    b.set("MouseIcon", 0x6803000D, [](Tavrin& t, Args& a) { t.SetMouseIcon(toPictureOrNothing(a.back())); });
    i2Property(b, "MousePointer", 0x6803000C, &Tavrin::MousePointer, &Tavrin::SetMousePointer);
    i4Property(b, "OrderType", 0x6803000B, &Tavrin::OrderType, &Tavrin::SetOrderType);
    b.get("SelectedCount", 0x6803000A, [](Tavrin& t, Args&) { return Variant::i2(t.SelectedCount()); });
    b.get("SelectionPicture", 0x68030009, [](Tavrin& t, Args&) { return object(t.SelectionPicture()); });
    b.set("SelectionPicture", 0x68030009,
          [](Tavrin& t, Args& a) { t.SetSelectionPicture(toPictureOrNothing(a.back())); });
    i4Property(b, "SelectMode", 0x68030008, &Tavrin::SelectMode, &Tavrin::SetSelectMode);
    i4Property(b, "SelectModeStyle", 0x68030007, &Tavrin::SelectModeStyle, &Tavrin::SetSelectModeStyle);
    boolProperty(b, "ShowMenu", 0x68030006, &Tavrin::ShowMenu, &Tavrin::SetShowMenu);
    i2Property(b, "TopIndex", 0x68030005, &Tavrin::TopIndex, &Tavrin::SetTopIndex);
    boolProperty(b, "WordWrap", 0x68030004, &Tavrin::WordWrap, &Tavrin::SetWordWrap);
}

void addItemProperties(B& b) {
    const std::vector<std::string> index{"Index"};
    b.get(
        "ItemText", 0x68030003, [](Tavrin& t, Args& a) { return Variant::string(t.ItemText(toI2(a[0]))); },
        index);
    b.let(
        "ItemText", 0x68030003, [](Tavrin& t, Args& a) { t.SetItemText(toI2(a[0]), toText(a[1])); }, index);
    b.get(
        "ItemIcon", 0x68030002, [](Tavrin& t, Args& a) { return Variant::i2(t.ItemIcon(toI2(a[0]))); },
        index);
    b.let(
        "ItemIcon", 0x68030002, [](Tavrin& t, Args& a) { t.SetItemIcon(toI2(a[0]), toI2(a[1])); }, index);
    b.get(
        "ItemIconSelected", 0x68030001,
        [](Tavrin& t, Args& a) { return Variant::i2(t.ItemIconSelected(toI2(a[0]))); }, index);
    b.let(
        "ItemIconSelected", 0x68030001,
        [](Tavrin& t, Args& a) { t.SetItemIconSelected(toI2(a[0]), toI2(a[1])); }, index);
    b.get(
        "ItemSelected", 0x68030000,
        [](Tavrin& t, Args& a) { return Variant::boolean(t.ItemSelected(toI2(a[0]))); }, index);
    b.let(
        "ItemSelected", 0x68030000, [](Tavrin& t, Args& a) { t.SetItemSelected(toI2(a[0]), toBool(a[1])); },
        index);
}

DispatchTable buildTable() {
    DispatchTable table;
    B builder(table);
    addMethods(builder);
    addProperties(builder);
    addItemProperties(builder);
    return table;
}

std::string vertexText(const Vertex& v) {
    return std::to_string(v[0]) + " " + std::to_string(v[1]) + " " + std::to_string(v[2]);
}

// The selected flags of every entry, the spare slot's included: "0 1 0".
std::string flagsText(const std::vector<uint8_t>& flags) {
    std::string text;
    for (uint8_t flag : flags)
        text += text.empty() ? (flag ? "1" : "0") : (flag ? " 1" : " 0");
    return text;
}

std::string rectText(const RECT& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
           std::to_string(r.bottom);
}

} // namespace

const DispatchTable& Tavrin::dispatchTable() const {
    static const DispatchTable table = buildTable();
    return table;
}

bool Tavrin::readPrivate(std::string_view name, Variant& out) const {
    struct Field {
        const char* name;
        std::function<Variant(const Tavrin&)> read;
    };
    static const std::vector<Field> fields = {
        {"p_Items", [](const Tavrin& t) { return Variant::i4(static_cast<int32_t>(t.p_Items.size())); }},
        {"p_Selected", [](const Tavrin& t) { return Variant::string(flagsText(t.p_Selected)); }},
        {"p_ImageScaleMode", [](const Tavrin& t) { return Variant::i2(t.p_ImageScaleMode); }},
        {"p_ImageList", [](const Tavrin& t) { return Variant::object(t.p_ImageList); }},
        {"p_LastIndex", [](const Tavrin& t) { return Variant::i2(t.p_LastIndex); }},
        {"p_AutoScroll", [](const Tavrin& t) { return Variant::boolean(t.p_AutoScroll); }},
        {"p_ScrollBarWidth", [](const Tavrin& t) { return Variant::i2(t.p_ScrollBarWidth); }},
        {"p_Font", [](const Tavrin& t) { return Variant::object(t.p_Font); }},
        {"p_BackNormalRGB", [](const Tavrin& t) { return colour(t.p_BackNormalRGB); }},
        {"p_BackSelectedRGB", [](const Tavrin& t) { return colour(t.p_BackSelectedRGB); }},
        {"p_GradientFrom", [](const Tavrin& t) { return Variant::string(vertexText(t.p_GradientFrom)); }},
        {"p_GradientTo", [](const Tavrin& t) { return Variant::string(vertexText(t.p_GradientTo)); }},
        {"p_BoxBorderRGB", [](const Tavrin& t) { return colour(t.p_BoxBorderRGB); }},
        {"p_FontNormalRGB", [](const Tavrin& t) { return colour(t.p_FontNormalRGB); }},
        {"p_FontSelectedRGB", [](const Tavrin& t) { return colour(t.p_FontSelectedRGB); }},
        {"p_RowHeight", [](const Tavrin& t) { return Variant::i2(t.p_RowHeight); }},
        {"p_VisibleRows", [](const Tavrin& t) { return Variant::i2(t.p_VisibleRows); }},
        {"p_RowRect", [](const Tavrin& t) { return Variant::string(rectText(t.p_RowRect)); }},
        {"p_InLayout", [](const Tavrin& t) { return Variant::boolean(t.p_InLayout); }},
        {"p_HasFocus", [](const Tavrin& t) { return Variant::boolean(t.p_HasFocus); }},
        {"p_BorderRefresh", [](const Tavrin& t) { return Variant::boolean(t.p_BorderRefresh); }},
        {"p_RequiredPicture", [](const Tavrin& t) { return Variant::object(t.p_RequiredPicture); }},
        {"p_MouseDown", [](const Tavrin& t) { return Variant::boolean(t.p_MouseDown); }},
        {"p_DragState", [](const Tavrin& t) { return Variant::boolean(t.p_DragState); }},
        {"p_LastMouseY", [](const Tavrin& t) { return Variant::r4(t.p_LastMouseY); }},
        {"p_MouseY", [](const Tavrin& t) { return Variant::i4(t.p_MouseY); }},
        {"p_LastTop", [](const Tavrin& t) { return Variant::i2(t.p_LastTop); }},
    };
    for (const Field& field : fields) {
        if (namesEqual(field.name, name)) {
            out = field.read(*this);
            return true;
        }
    }
    return false;
}

} // namespace tavrin
