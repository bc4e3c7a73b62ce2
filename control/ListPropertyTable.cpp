// The list's property table, in the order the properties are saved; ReadProperties reads them in
// the order of their readOrder column. Every default here is the one a form file is written and
// read with; only the rows marked Kept or Own give a new control something else.
#include "control/ListPropertyTable.h"

#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/SystemColors.h"

namespace tavrin {

using namespace platform;

namespace {

constexpr uint32_t kWindow = oleColor(SysColor::Window), kWindowText = oleColor(SysColor::WindowText),
                   kHighlight = oleColor(SysColor::Highlight),
                   kHighlightText = oleColor(SysColor::HighlightText),
                   kButtonFace = oleColor(SysColor::ButtonFace);

Variant colour(uint32_t oleColor) {
    return Variant::i4(static_cast<int32_t>(oleColor));
}

// The conversions of a value of each field type to and from a Variant.
template <class T> struct As;
template <> struct As<int16_t> {
    static Variant to(int16_t v) { return Variant::i2(v); }
    static int16_t from(const Variant& v) { return toI2(v); }
};
template <> struct As<int32_t> {
    static Variant to(int32_t v) { return Variant::i4(v); }
    static int32_t from(const Variant& v) { return toI4(v); }
};
template <> struct As<uint32_t> { // a colour
    static Variant to(uint32_t v) { return colour(v); }
    static uint32_t from(const Variant& v) { return static_cast<uint32_t>(toI4(v)); }
};
template <class E>
requires std::is_enum_v<E>
struct As<E> { // one of the list's enumerations: any 32-bit value is kept
    static Variant to(E v) { return Variant::i4(static_cast<int32_t>(v)); }
    static E from(const Variant& v) { return static_cast<E>(toI4(v)); }
};
// A member of an enumeration as its default in form files, a 16-bit integer.
template <class E> Variant member(E v) {
    return Variant::i2(static_cast<int16_t>(v));
}
template <> struct As<bool> {
    static Variant to(bool v) { return Variant::boolean(v); }
    static bool from(const Variant& v) { return toBool(v); }
};

// Nothing, or a picture: any other value (a number, a font) is a type mismatch.
std::shared_ptr<Picture> toPicture(const Variant& v) {
    if (v.type() != VarType::Object) raise(err::TypeMismatch);
    auto picture = std::dynamic_pointer_cast<Picture>(v.asObject());
    if (v.asObject() && !picture) raise(err::TypeMismatch);
    return picture;
}

std::shared_ptr<StdFont> toFont(const Variant& v) {
    auto font = v.type() == VarType::Object ? std::dynamic_pointer_cast<StdFont>(v.asObject()) : nullptr;
    if (!font) raise(err::TypeMismatch);
    return font;
}

Variant object(std::shared_ptr<Dispatchable> o) {
    return Variant::object(std::move(o));
}

// The get, let and field store of a property kept in a field of its own, by the field's type.
template <auto Getter> Variant get(Tavrin& t) {
    using T = std::decay_t<decltype((t.*Getter)())>;
    return As<T>::to((t.*Getter)());
}
template <class T> struct ArgumentOf;
template <class T> struct ArgumentOf<void (Tavrin::*)(T)> { using type = std::decay_t<T>; };
template <auto Setter> void let(Tavrin& t, const Variant& v) {
    (t.*Setter)(As<typename ArgumentOf<decltype(Setter)>::type>::from(v));
}
template <auto Field> void store(Tavrin& t, const Variant& v) {
    using T = std::decay_t<decltype(t.*Field)>;
    t.*Field = As<T>::from(v);
}

// A property kept in a field of its own, with its public get and let.
template <auto Getter, auto Setter, auto Field>
Tavrin::PropertyRow fieldRow(const char* name, int32_t memberId, PropertyType type, Variant defaultValue,
                             NewControlValue newControl, int readOrder) {
    return {name,          memberId,  type,         std::move(defaultValue),
            newControl,    readOrder, &get<Getter>, &let<Setter>,
            &store<Field>, nullptr,   nullptr};
}

} // namespace

const std::vector<Tavrin::PropertyRow>& Tavrin::propertyTable() {
    using enum NewControlValue;
    using enum PropertyType;
    static const std::vector<PropertyRow> table = {
        fieldRow<&Tavrin::LeftMargin, &Tavrin::SetLeftMargin, &Tavrin::LeftMargin_>(
            "LeftMargin", 0x6803001D, I2, Variant::i2(2), Default, 1),
        {"RequiredField", 0x6803001C, Bool, Variant::boolean(false), Kept, 2, &get<&Tavrin::RequiredField>,
         &let<&Tavrin::SetRequiredField>, &store<&Tavrin::RequiredField_>,
         [](Tavrin& t, const Variant&) { t.LoadRequiredPicture(); }, nullptr},
        // The host's own: its border style follows (Fixed Single in 3D, none in Flat).
        {"Appearance", 0x68030028, I4, member(AppearanceCts::Appearance3D), Default, 3,
         &get<&Tavrin::Appearance>, &let<&Tavrin::SetAppearance>,
         [](Tavrin& t, const Variant& v) {
             UserControlSurface& uc = t.userControl();
             uc.SetAppearance(toI2(v));
             const bool threeD = uc.Appearance() == static_cast<int16_t>(AppearanceCts::Appearance3D);
             uc.SetBorderStyle(static_cast<int16_t>(threeD ? BorderStyleCts::BorderFixedSingle
                                                           : BorderStyleCts::BorderNone));
         },
         nullptr, [](Tavrin& t) { return Variant::i2(t.userControl().Appearance()); }},
        // The host's own; loading leaves the scroll bar's alone.
        {"Enabled", 0x6803001E, Bool, Variant::boolean(true), Kept, 4, &get<&Tavrin::Enabled>,
         &let<&Tavrin::SetEnabled>,
         [](Tavrin& t, const Variant& v) { t.userControl().SetEnabled(toBool(v)); }, nullptr, nullptr},
        // The scroll bar's width setting, also the scroll bar's width once loaded.
        {"ScrollBarWidth", 0, I2, Variant::i2(13), Default, 5,
         [](Tavrin& t) { return Variant::i2(t.p_ScrollBarWidth); }, nullptr,
         &store<&Tavrin::p_ScrollBarWidth>,
         [](Tavrin& t, const Variant& v) {
             Window& bar = t.sbUCSite_->extender();
             bar.Move(bar.Left(), bar.Top(), toR4(v), bar.Height());
         },
         nullptr},
        // The surface and the control each get a font of their own, and neither shares the bag's
        // object, so two lists loaded from one bag do not change each other's font.
        {"Font", 0x68030019, Font, Variant(), Own, 6, [](Tavrin& t) { return object(t.Font()); },
         [](Tavrin& t, const Variant& v) {
             // No object at all: 424; Nothing: 91 from the set; an object of another kind: 13.
             if (v.type() != VarType::Object) raise(err::ObjectRequired);
             auto font = std::dynamic_pointer_cast<StdFont>(v.asObject());
             if (v.asObject() && !font) raise(err::TypeMismatch);
             t.SetFont(font);
         },
         [](Tavrin& t, const Variant& v) { t.iUC_->SetFont(toFont(v)->desc()); },
         [](Tavrin& t, const Variant& v) {
             std::shared_ptr<StdFont> own = toFont(v)->clone();
             t.unhookFont();
             t.p_Font = std::move(own);
             t.hookFont();
         },
         [](Tavrin& t) { return object(std::make_shared<StdFont>(t.iUC_->Font())); }},
        fieldRow<&Tavrin::FontNormal, &Tavrin::SetFontNormal, &Tavrin::FontNormal_>(
            "FontNormal", 0x68030018, Colour, colour(kWindowText), Default, 7),
        fieldRow<&Tavrin::FontSelected, &Tavrin::SetFontSelected, &Tavrin::FontSelected_>(
            "FontSelected", 0x68030017, Colour, colour(kHighlightText), Default, 8),
        {"BackNormal", 0x68030027, Colour, colour(kWindow), Default, 9, &get<&Tavrin::BackNormal>,
         &let<&Tavrin::SetBackNormal>, &store<&Tavrin::BackNormal_>,
         [](Tavrin& t, const Variant& v) { t.iUC_->SetBackColor(As<uint32_t>::from(v)); }, nullptr},
        fieldRow<&Tavrin::BackSelected, &Tavrin::SetBackSelected, &Tavrin::BackSelected_>(
            "BackSelected", 0x68030026, Colour, colour(kHighlight), Default, 10),
        fieldRow<&Tavrin::BackSelectedG1, &Tavrin::SetBackSelectedG1, &Tavrin::BackSelectedG1_>(
            "BackSelectedG1", 0x68030025, Colour, colour(kHighlight), Default, 11),
        fieldRow<&Tavrin::BackSelectedG2, &Tavrin::SetBackSelectedG2, &Tavrin::BackSelectedG2_>(
            "BackSelectedG2", 0x68030024, Colour, colour(kWindow), Default, 12),
        // The control's background is the flat border ring.
        {"BorderColor", 0x68030023, Colour, colour(kButtonFace), Default, 15, &get<&Tavrin::BorderColor>,
         &let<&Tavrin::SetBorderColor>, &store<&Tavrin::BorderColor_>,
         [](Tavrin& t, const Variant&) { t.userControl().SetBackColor(t.BorderColor_); }, nullptr},
        fieldRow<&Tavrin::BorderWidth, &Tavrin::SetBorderWidth, &Tavrin::BorderWidth_>(
            "BorderWidth", 0x68030022, I2, Variant::i2(3), Default, 16),
        // A new control starts without the effect, in black; a loaded one without the key gets the
        // button face.
        fieldRow<&Tavrin::GotFocusEffect, &Tavrin::SetGotFocusEffect, &Tavrin::GotFocusEffect_>(
            "GotFocusEffect", 0x68030015, Bool, Variant::boolean(false), Kept, 13),
        fieldRow<&Tavrin::GotFocusEffectColor, &Tavrin::SetGotFocusEffectColor,
                 &Tavrin::GotFocusEffectColor_>("GotFocusEffectColor", 0x68030014, Colour,
                                                colour(kButtonFace), Kept, 14),
        fieldRow<&Tavrin::BoxBorder, &Tavrin::SetBoxBorder, &Tavrin::BoxBorder_>(
            "BoxBorder", 0x68030021, Colour, colour(kHighlightText), Default, 17),
        fieldRow<&Tavrin::BoxOffset, &Tavrin::SetBoxOffset, &Tavrin::BoxOffset_>("BoxOffset", 0x68030020, I2,
                                                                                 Variant::i2(1), Default, 18),
        fieldRow<&Tavrin::BoxRadius, &Tavrin::SetBoxRadius, &Tavrin::BoxRadius_>("BoxRadius", 0x6803001F, I2,
                                                                                 Variant::i2(0), Default, 19),
        fieldRow<&Tavrin::Alignment, &Tavrin::SetAlignment, &Tavrin::Alignment_>(
            "Alignment", 0x68030029, I4, member(AlignmentCts::AlignLeft), Default, 20),
        fieldRow<&Tavrin::Focus, &Tavrin::SetFocus, &Tavrin::Focus_>("Focus", 0x6803001A, Bool,
                                                                     Variant::boolean(true), Default, 21),
        fieldRow<&Tavrin::HoverSelection, &Tavrin::SetHoverSelection, &Tavrin::HoverSelection_>(
            "HoverSelection", 0x68030016, Bool, Variant::boolean(false), Default, 22),
        fieldRow<&Tavrin::WordWrap, &Tavrin::SetWordWrap, &Tavrin::WordWrap_>(
            "WordWrap", 0x68030004, Bool, Variant::boolean(true), Default, 23),
        // Read last, as text, so that the loaded font decides the smallest row.
        {"ItemHeight", 0x68030013, I2, Variant::i2(0), Own, 35, &get<&Tavrin::ItemHeight>,
         &let<&Tavrin::SetItemHeight>,
         [](Tavrin& t, const Variant& v) { t.ItemHeight_ = t.loadedItemHeight(toText(v)); }, nullptr,
         nullptr},
        fieldRow<&Tavrin::ItemHeightAuto, &Tavrin::SetItemHeightAuto, &Tavrin::ItemHeightAuto_>(
            "ItemHeightAuto", 0x68030012, Bool, Variant::boolean(true), Default, 25),
        fieldRow<&Tavrin::ItemOffset, &Tavrin::SetItemOffset, &Tavrin::ItemOffset_>(
            "ItemOffset", 0x68030011, I2, Variant::i2(0), Default, 24),
        fieldRow<&Tavrin::ItemTextLeft, &Tavrin::SetItemTextLeft, &Tavrin::ItemTextLeft_>(
            "ItemTextLeft", 0x68030010, I2, Variant::i2(2), Default, 26),
        fieldRow<&Tavrin::OrderType, &Tavrin::SetOrderType, &Tavrin::OrderType_>(
            "OrderType", 0x6803000B, I4, member(OrderTypeCts::Ascendent), Default, 27),
        {"SelectionPicture", 0x68030009, Picture, Variant::object(nullptr), Default, 28,
         [](Tavrin& t) { return object(t.SelectionPicture()); },
         [](Tavrin& t, const Variant& v) { t.SetSelectionPicture(toPicture(v)); },
         [](Tavrin& t, const Variant& v) { t.SelectionPicture_ = toPicture(v); }, nullptr, nullptr},
        fieldRow<&Tavrin::SelectMode, &Tavrin::SetSelectMode, &Tavrin::SelectMode_>(
            "SelectMode", 0x68030008, I4, member(SelectModeCts::Single), Default, 29),
        fieldRow<&Tavrin::SelectModeStyle, &Tavrin::SetSelectModeStyle, &Tavrin::SelectModeStyle_>(
            "SelectModeStyle", 0x68030007, I4, member(SelectModeStyleCts::Standard), Default, 30),
        fieldRow<&Tavrin::ShowMenu, &Tavrin::SetShowMenu, &Tavrin::ShowMenu_>(
            "ShowMenu", 0x68030006, Bool, Variant::boolean(false), Default, 31),
        // The scroll bar's own, loaded through the let.
        {"Theme", 0x6803001B, I4, member(ctsListThemes::XPBlue), Kept, 32, &get<&Tavrin::Theme>,
         &let<&Tavrin::SetTheme>, &let<&Tavrin::SetTheme>, nullptr, nullptr},
        // The drawing surface's own.
        {"MousePointer", 0x6803000C, I2, Variant::i2(0), Kept, 33, &get<&Tavrin::MousePointer>,
         &let<&Tavrin::SetMousePointer>,
         [](Tavrin& t, const Variant& v) { t.iUC_->SetMousePointer(toI2(v)); }, nullptr, nullptr},
        {"MouseIcon", 0x6803000D, Picture, Variant::object(nullptr), Kept, 34,
         [](Tavrin& t) { return object(t.MouseIcon()); },
         [](Tavrin& t, const Variant& v) { t.SetMouseIcon(toPicture(v)); },
         [](Tavrin& t, const Variant& v) { t.iUC_->SetMouseIcon(toPicture(v)); }, nullptr, nullptr},
        // Not saved: the items, the selection and the scroll position.
        {"ListCount", 0x6803000F, I2, Variant::i2(0), Kept, 0, &get<&Tavrin::ListCount>, nullptr, nullptr,
         nullptr, nullptr},
        {"SelectedCount", 0x6803000A, I2, Variant::i2(0), Kept, 0, &get<&Tavrin::SelectedCount>, nullptr,
         nullptr, nullptr, nullptr},
        fieldRow<&Tavrin::ListIndex, &Tavrin::SetListIndex, &Tavrin::ListIndex_>("ListIndex", 0x6803000E, I2,
                                                                                 Variant::i2(-1), Default, 0),
        {"TopIndex", 0x68030005, I2, Variant::i2(0), Kept, 0, &get<&Tavrin::TopIndex>,
         &let<&Tavrin::SetTopIndex>, nullptr, nullptr, nullptr},
    };
    return table;
}

} // namespace tavrin
