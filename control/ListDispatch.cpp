// The list's automation interface: every public member by name and member ID, and the private
// fields readable by name for tests and the script host. The two item arrays read as the number
// of entries of p_Items (items plus the spare slot) and the flags of p_Selected as "0 1 0".
#include <cstdio>

#include "control/ListPropertyTable.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {

using Args = std::vector<Variant>;
using B = TableBuilder<Tavrin>;

int16_t optI2(const Variant& v, int16_t fallback) {
    return v.isMissing() ? fallback : toI2(v);
}
Variant colour(uint32_t c) {
    return Variant::i4(static_cast<int32_t>(c));
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

// Every property of the table, with its get and, unless it is read-only, its let (a set for
// objects).
void addProperties(B& b) {
    for (const Tavrin::PropertyRow& row : Tavrin::propertyTable()) {
        if (row.memberId == 0) continue;
        const auto get = row.get;
        b.get(row.name, row.memberId, [get](Tavrin& t, Args&) { return get(t); });
        if (!row.let) continue;
        const auto assign = row.let;
        const auto call = [assign](Tavrin& t, Args& a) { assign(t, a.back()); };
        if (row.type == PropertyType::Font || row.type == PropertyType::Picture)
            b.set(row.name, row.memberId, call);
        else
            b.let(row.name, row.memberId, call);
    }
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
