// The configuring properties of the list: appearance, colours, geometry, font, pointer and
// behaviour switches, the defaults of a newly placed control, and the font change notification.
//
// Every assignment stores without comparing with the old value (an unchanged value is processed
// like a new one), does its repaint or re-layout, and tells the host through PropertyChanged with
// the property's name. No value is checked against its enumeration; only BoxOffset and ItemOffset
// keep their old value, silently, when the new one would not fit the row.
#include "control/ListPropertyTable.h"

#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace {

constexpr std::u16string_view kSampleText = u"TextHeight";

} // namespace

// ---- appearance and frame

AppearanceCts Tavrin::Appearance() const {
    return static_cast<AppearanceCts>(userControl().Appearance());
}

// The 3D appearance uses the host's own sunken border; Flat has none, and the control's background
// (BorderColor) shows as a ring around the inset drawing surface. No re-layout here.
void Tavrin::SetAppearance(AppearanceCts v) {
    userControl().SetAppearance(roundToI2(static_cast<int32_t>(v)));
    const bool threeD = Appearance() == AppearanceCts::Appearance3D;
    userControl().SetBorderStyle(
        static_cast<int16_t>(threeD ? BorderStyleCts::BorderFixedSingle : BorderStyleCts::BorderNone));
    const bool flat = Appearance() == AppearanceCts::Flat;
    if (flat) userControl().SetBackColor(BorderColor_);
    if (flat && !p_BorderRefresh) RefreshBorder();
    propertyChanged("Appearance");
}

// The host resolves the colour itself, in both appearances; only Flat shows it.
void Tavrin::SetBorderColor(uint32_t v) {
    BorderColor_ = v;
    userControl().SetBackColor(v);
    if (Appearance() == AppearanceCts::Flat && !p_BorderRefresh) RefreshBorder();
    propertyChanged("BorderColor");
}

// In 3D the value is only stored; it takes effect at the first layout pass in Flat.
void Tavrin::SetBorderWidth(int16_t v) {
    BorderWidth_ = v;
    if (Appearance() == AppearanceCts::Flat && !p_BorderRefresh) {
        RefreshBorder();
        UserControl_Resize();
    }
    propertyChanged("BorderWidth");
}

bool Tavrin::Enabled() const {
    return userControl().Enabled();
}

void Tavrin::SetEnabled(bool v) {
    userControl().SetEnabled(v);
    sbUC().SetEnabled(v);
    propertyChanged("Enabled");
}

// The list has no palette of its own: the theme only picks the scroll bar's pictures.
ctsListThemes Tavrin::Theme() const {
    return static_cast<ctsListThemes>(sbUC_->Theme());
}

void Tavrin::SetTheme(ctsListThemes v) {
    sbUC().SetTheme(static_cast<int32_t>(v));
    propertyChanged("Theme");
}

void Tavrin::SetGotFocusEffect(bool v) {
    GotFocusEffect_ = v;
    propertyChanged("GotFocusEffect");
}

// Kept untranslated: the host resolves it when the focus effect paints the ring.
void Tavrin::SetGotFocusEffectColor(uint32_t v) {
    GotFocusEffectColor_ = v;
    propertyChanged("GotFocusEffectColor");
}

// ---- colours: each let resolves its own copy and repaints

void Tavrin::letColour(uint32_t& setting, uint32_t value, const char* name,
                       const std::function<void(uint32_t)>& take) {
    setting = value;
    take(TranslateColor(value));
    iUC_Paint();
    propertyChanged(name);
}

void Tavrin::SetBackNormal(uint32_t v) {
    letColour(BackNormal_, v, "BackNormal", [this](uint32_t rgb) {
        p_BackNormalRGB = rgb;
        iUC().SetBackColor(rgb);
    });
}

void Tavrin::SetBackSelected(uint32_t v) {
    letColour(BackSelected_, v, "BackSelected", [this](uint32_t rgb) { p_BackSelectedRGB = rgb; });
}

// A colour wider than six hex digits is stored and then rejected with 5 by the conversion.
void Tavrin::SetBackSelectedG1(uint32_t v) {
    letColour(BackSelectedG1_, v, "BackSelectedG1",
              [this](uint32_t rgb) { p_GradientFrom = ColorToVertex(rgb); });
}

void Tavrin::SetBackSelectedG2(uint32_t v) {
    letColour(BackSelectedG2_, v, "BackSelectedG2",
              [this](uint32_t rgb) { p_GradientTo = ColorToVertex(rgb); });
}

void Tavrin::SetBoxBorder(uint32_t v) {
    letColour(BoxBorder_, v, "BoxBorder", [this](uint32_t rgb) { p_BoxBorderRGB = rgb; });
}

// The surface's text colour follows at once, for text printed outside the row painter.
void Tavrin::SetFontNormal(uint32_t v) {
    letColour(FontNormal_, v, "FontNormal", [this](uint32_t rgb) {
        p_FontNormalRGB = rgb;
        gdi().SetTextColor(iUC().hDC(), rgb);
    });
}

void Tavrin::SetFontSelected(uint32_t v) {
    letColour(FontSelected_, v, "FontSelected", [this](uint32_t rgb) { p_FontSelectedRGB = rgb; });
}

// ---- row geometry and look

void Tavrin::SetAlignment(AlignmentCts v) {
    Alignment_ = v;
    iUC_Paint();
    propertyChanged("Alignment");
}

// The box may be inset by at most half the row height (compared as real numbers).
void Tavrin::SetBoxOffset(int16_t v) {
    if (v <= p_RowHeight / 2.0) BoxOffset_ = v;
    iUC_Paint();
    propertyChanged("BoxOffset");
}

void Tavrin::SetBoxRadius(int16_t v) {
    BoxRadius_ = v;
    iUC_Paint();
    propertyChanged("BoxRadius");
}

void Tavrin::SetLeftMargin(int16_t v) {
    LeftMargin_ = v;
    propertyChanged("LeftMargin");
    iUC_Paint();
}

void Tavrin::SetRequiredField(bool v) {
    RequiredField_ = v;
    propertyChanged("RequiredField");
    iUC_Paint();
}

void Tavrin::SetItemHeight(int16_t v) {
    ItemHeight_ = v;
    UserControl_Resize();
    iUC_Paint();
    propertyChanged("ItemHeight");
}

void Tavrin::SetItemHeightAuto(bool v) {
    ItemHeightAuto_ = v;
    UserControl_Resize();
    iUC_Paint();
    propertyChanged("ItemHeightAuto");
}

// An inset as large as the whole row is still accepted; one pixel more is not.
void Tavrin::SetItemOffset(int16_t v) {
    if (v <= p_RowHeight) ItemOffset_ = v;
    iUC_Paint();
    propertyChanged("ItemOffset");
}

void Tavrin::SetItemTextLeft(int16_t v) {
    ItemTextLeft_ = v;
    iUC_Paint();
    propertyChanged("ItemTextLeft");
}

void Tavrin::SetSelectionPicture(std::shared_ptr<platform::Picture> v) {
    SelectionPicture_ = std::move(v);
    iUC_Paint();
    propertyChanged("SelectionPicture");
}

void Tavrin::SetSelectModeStyle(SelectModeStyleCts v) {
    SelectModeStyle_ = v;
    iUC_Paint();
    propertyChanged("SelectModeStyle");
}

void Tavrin::SetWordWrap(bool v) {
    WordWrap_ = v;
    iUC_Paint();
    propertyChanged("WordWrap");
}

// ---- behaviour switches

// The focus rectangle is drawn by inversion: switching it off repaints the current row instead.
void Tavrin::SetFocus(bool v) {
    Focus_ = v;
    if (v)
        DrawFocus(ListIndex_);
    else
        DrawItem(ListIndex_);
    propertyChanged("Focus");
}

void Tavrin::SetHoverSelection(bool v) {
    HoverSelection_ = v;
    DrawItem(ListIndex_);
    DrawFocus(ListIndex_);
    propertyChanged("HoverSelection");
}

// Only stored: the items are reordered when Order runs.
void Tavrin::SetOrderType(OrderTypeCts v) {
    OrderType_ = v;
    propertyChanged("OrderType");
}

void Tavrin::SetShowMenu(bool v) {
    ShowMenu_ = v;
    propertyChanged("ShowMenu");
}

// ---- pointer, forwarded to the drawing surface

std::shared_ptr<platform::Picture> Tavrin::MouseIcon() const {
    return iUC_->MouseIcon();
}

void Tavrin::SetMouseIcon(std::shared_ptr<platform::Picture> v) {
    iUC().SetMouseIcon(std::move(v));
    propertyChanged("MouseIcon");
}

int16_t Tavrin::MousePointer() const {
    return iUC_->MousePointer();
}

void Tavrin::SetMousePointer(int16_t v) {
    iUC().SetMousePointer(v);
    propertyChanged("MousePointer");
}

// ---- font

// The control keeps its own font object and copies six attributes into it; weight and character
// set stay its own. Each attribute that changes re-lays the control out through the notification,
// before the repaint here. Nothing given: reading its first attribute fails with 91, nothing changed.
void Tavrin::SetFont(const std::shared_ptr<platform::StdFont>& f) {
    if (!f) raise(err::ObjectNotSet);
    const platform::FontDesc given = f->desc(); // a copy: f may be p_Font itself
    p_Font->SetName(given.name);
    p_Font->SetSize(given.size);
    p_Font->SetBold(given.bold);
    p_Font->SetItalic(given.italic);
    p_Font->SetUnderline(given.underline);
    p_Font->SetStrikethrough(given.strikethrough);
    iUC_Paint();
    propertyChanged("Font");
}

void Tavrin::hookFont() {
    p_FontToken =
        p_Font->addListener([this](const std::string& attribute) { p_Font_FontChanged(attribute); });
}

void Tavrin::unhookFont() {
    if (p_Font && p_FontToken != 0) p_Font->removeListener(p_FontToken);
    p_FontToken = 0;
}

// Whoever changes the font object (the Font set, or a caller through the object Font returns),
// the drawing surface takes the new font and the rows are measured again.
void Tavrin::p_Font_FontChanged(const std::string& /*attribute*/) {
    iUC().SetFont(p_Font->desc());
    UserControl_Resize();
}

// ---- defaults of a newly placed control

// Fields are stored directly: no let runs, nothing is repainted and the host hears of no change.
// The defaults are the property table's; GotFocusEffect, GotFocusEffectColor and RequiredField keep
// their initial False, 0 and False, and the font and the row height come from the container.
void Tavrin::InitProperties() {
    for (const PropertyRow& row : propertyTable())
        if (row.newControl == NewControlValue::Default) row.store(*this, row.defaultValue);
    adoptAmbientFont();
    ItemHeight_ = roundToI2(iUC().TextHeight(kSampleText));
    ResolveColors();
}

// The container's ambient font object becomes the control's own, shared with the container.
void Tavrin::adoptAmbientFont() {
    std::shared_ptr<platform::StdFont> ambient = site().AmbientFont();
    if (!ambient) return;
    iUC().SetFont(ambient->desc());
    unhookFont();
    p_Font = std::move(ambient);
    hookFont();
}

} // namespace tavrin
