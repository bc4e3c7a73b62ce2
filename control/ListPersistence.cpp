// Saving and loading the list's design-time settings in the host's property bag.
//
// Items, the selection, ListIndex and TopIndex are not stored: a loaded list is always empty.
// Loading stores the values straight into the fields (only Theme goes through its let), validates
// nothing, reads ItemHeight last so the loaded font decides its minimum, and resolves the colours
// at the end. A failing read or write goes to the host and ends the notification there.
#include "tavrin/Tavrin.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {

Variant colour(uint32_t oleColor) {
    return Variant::i4(static_cast<int32_t>(oleColor));
}
uint32_t toColour(const Variant& v) {
    return static_cast<uint32_t>(toI4(v));
}

Variant pictureOrNothing(const std::shared_ptr<Picture>& picture) {
    return Variant::object(std::static_pointer_cast<Dispatchable>(picture));
}

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

constexpr uint32_t kWindow = 0x80000005, kWindowText = 0x80000008, kHighlight = 0x8000000D,
                   kHighlightText = 0x8000000E, kButtonFace = 0x8000000F;

} // namespace

void Tavrin::WriteProperties(PropertyBag& bag) {
    const UserControlSurface& uc = userControl();
    auto font = std::make_shared<StdFont>(iUC_->Font());
    bag.WriteProperty("LeftMargin", Variant::i2(LeftMargin_), Variant::i2(2));
    bag.WriteProperty("RequiredField", Variant::boolean(RequiredField_), Variant::boolean(false));
    bag.WriteProperty("Appearance", Variant::i2(uc.Appearance()), Variant::i2(1));
    bag.WriteProperty("Enabled", Variant::boolean(uc.Enabled()), Variant::boolean(true));
    bag.WriteProperty("ScrollBarWidth", Variant::i2(p_ScrollBarWidth), Variant::i2(13));
    bag.WriteProperty("Font", Variant::object(font), Variant::object(site_.AmbientFont()));
    bag.WriteProperty("FontNormal", colour(FontNormal_), colour(kWindowText));
    bag.WriteProperty("FontSelected", colour(FontSelected_), colour(kHighlightText));
    bag.WriteProperty("BackNormal", colour(BackNormal_), colour(kWindow));
    bag.WriteProperty("BackSelected", colour(BackSelected_), colour(kHighlight));
    bag.WriteProperty("BackSelectedG1", colour(BackSelectedG1_), colour(kHighlight));
    bag.WriteProperty("BackSelectedG2", colour(BackSelectedG2_), colour(kWindow));
    bag.WriteProperty("BorderColor", colour(BorderColor_), colour(kButtonFace));
    bag.WriteProperty("BorderWidth", Variant::i2(BorderWidth_), Variant::i2(3));
    bag.WriteProperty("GotFocusEffect", Variant::boolean(GotFocusEffect_), Variant::boolean(false));
    bag.WriteProperty("GotFocusEffectColor", colour(GotFocusEffectColor_), colour(kButtonFace));
    bag.WriteProperty("BoxBorder", colour(BoxBorder_), colour(kHighlightText));
    bag.WriteProperty("BoxOffset", Variant::i2(BoxOffset_), Variant::i2(1));
    bag.WriteProperty("BoxRadius", Variant::i2(BoxRadius_), Variant::i2(0));
    bag.WriteProperty("Alignment", Variant::i4(Alignment_), Variant::i2(0));
    bag.WriteProperty("Focus", Variant::boolean(Focus_), Variant::boolean(true));
    bag.WriteProperty("HoverSelection", Variant::boolean(HoverSelection_), Variant::boolean(false));
    bag.WriteProperty("WordWrap", Variant::boolean(WordWrap_), Variant::boolean(true));
    bag.WriteProperty("ItemHeight", Variant::i2(ItemHeight_), Variant::i2(0));
    bag.WriteProperty("ItemHeightAuto", Variant::boolean(ItemHeightAuto_), Variant::boolean(true));
    bag.WriteProperty("ItemOffset", Variant::i2(ItemOffset_), Variant::i2(0));
    bag.WriteProperty("ItemTextLeft", Variant::i2(ItemTextLeft_), Variant::i2(2));
    bag.WriteProperty("OrderType", Variant::i4(OrderType_), Variant::i2(0));
    bag.WriteProperty("SelectionPicture", pictureOrNothing(SelectionPicture_), pictureOrNothing(nullptr));
    bag.WriteProperty("SelectMode", Variant::i4(SelectMode_), Variant::i2(0));
    bag.WriteProperty("SelectModeStyle", Variant::i4(SelectModeStyle_), Variant::i2(0));
    bag.WriteProperty("ShowMenu", Variant::boolean(ShowMenu_), Variant::boolean(false));
    bag.WriteProperty("Theme", Variant::i4(sbUC_->Theme()), Variant::i2(0));
    bag.WriteProperty("MousePointer", Variant::i2(iUC_->MousePointer()), Variant::i2(0));
    bag.WriteProperty("MouseIcon", pictureOrNothing(iUC_->MouseIcon()), pictureOrNothing(nullptr));
}

void Tavrin::ReadProperties(const PropertyBag& bag) {
    UserControlSurface& uc = userControl();
    auto read = [&bag](const char* key, const Variant& fallback) { return bag.ReadProperty(key, fallback); };

    LeftMargin_ = toI2(read("LeftMargin", Variant::i2(2)));
    RequiredField_ = toBool(read("RequiredField", Variant::boolean(false)));
    LoadRequiredPicture();

    uc.SetAppearance(toI2(read("Appearance", Variant::i2(1))));
    uc.SetBorderStyle(uc.Appearance() == 1 ? BorderFixedSingle : BorderNone);
    uc.SetEnabled(toBool(read("Enabled", Variant::boolean(true))));

    p_ScrollBarWidth = toI2(read("ScrollBarWidth", Variant::i2(13)));
    Window& bar = sbUCSite_->extender();
    bar.Move(bar.Left(), bar.Top(), toR4(read("ScrollBarWidth", Variant::i2(13))), bar.Height());

    // Read twice: the surface and the control each get a font of their own, and neither shares the
    // bag's object, so two lists loaded from one bag do not change each other's font.
    iUC_->SetFont(toFont(read("Font", Variant::object(site_.AmbientFont())))->desc());
    std::shared_ptr<StdFont> ownFont = toFont(read("Font", Variant::object(site_.AmbientFont())))->clone();
    unhookFont();
    p_Font = std::move(ownFont);
    hookFont();

    FontNormal_ = toColour(read("FontNormal", colour(kWindowText)));
    FontSelected_ = toColour(read("FontSelected", colour(kHighlightText)));
    BackNormal_ = toColour(read("BackNormal", colour(kWindow)));
    iUC_->SetBackColor(toColour(read("BackNormal", colour(kWindow))));
    BackSelected_ = toColour(read("BackSelected", colour(kHighlight)));
    BackSelectedG1_ = toColour(read("BackSelectedG1", colour(kHighlight)));
    BackSelectedG2_ = toColour(read("BackSelectedG2", colour(kWindow)));
    GotFocusEffect_ = toBool(read("GotFocusEffect", Variant::boolean(false)));
    GotFocusEffectColor_ = toColour(read("GotFocusEffectColor", colour(kButtonFace)));
    BorderColor_ = toColour(read("BorderColor", colour(kButtonFace)));
    uc.SetBackColor(BorderColor_);

    BorderWidth_ = toI2(read("BorderWidth", Variant::i2(3)));
    BoxBorder_ = toColour(read("BoxBorder", colour(kHighlightText)));
    BoxOffset_ = toI2(read("BoxOffset", Variant::i2(1)));
    BoxRadius_ = toI2(read("BoxRadius", Variant::i2(0)));
    Alignment_ = toI4(read("Alignment", Variant::i2(0)));
    Focus_ = toBool(read("Focus", Variant::boolean(true)));
    HoverSelection_ = toBool(read("HoverSelection", Variant::boolean(false)));
    WordWrap_ = toBool(read("WordWrap", Variant::boolean(true)));
    ItemOffset_ = toI2(read("ItemOffset", Variant::i2(0)));
    ItemHeightAuto_ = toBool(read("ItemHeightAuto", Variant::boolean(true)));
    ItemTextLeft_ = toI2(read("ItemTextLeft", Variant::i2(2)));
    OrderType_ = toI4(read("OrderType", Variant::i2(0)));
    SelectionPicture_ = toPicture(read("SelectionPicture", pictureOrNothing(nullptr)));
    SelectMode_ = toI4(read("SelectMode", Variant::i2(0)));
    SelectModeStyle_ = toI4(read("SelectModeStyle", Variant::i2(0)));
    ShowMenu_ = toBool(read("ShowMenu", Variant::boolean(false)));
    SetTheme(toI4(read("Theme", Variant::i2(0))));
    iUC_->SetMousePointer(toI2(read("MousePointer", Variant::i2(0))));
    iUC_->SetMouseIcon(toPicture(read("MouseIcon", pictureOrNothing(nullptr))));

    // Last, so that the loaded font decides the smallest row.
    std::u16string storedHeight = toText(read("ItemHeight", Variant::i2(0)));
    double textHeight = iUC_->TextHeight(u"TextHeight");
    if (toR4(Variant::string(storedHeight)) < textHeight)
        ItemHeight_ = roundToI2(textHeight);
    else
        ItemHeight_ = toI2(Variant::string(storedHeight));

    if (SelectMode_ == Multiple)
        for (int16_t entry : {0, 1, 3})
            SelectionMenu_->SetEnabled(entry, true);
    ListIndex_ = -1;
    ResolveColors();
}

// The picture of the required-field mark; any failure leaves the former picture.
void Tavrin::LoadRequiredPicture() {
    try {
        p_RequiredPicture = services().pictureStore().GetPicture(u"REQUIREDFIELD");
    } catch (const std::exception&) {
    }
}

} // namespace tavrin
