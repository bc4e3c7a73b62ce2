// The item storage and the operations that create, change, read and remove items.
//
// p_Items always holds ListCount + 1 entries: the items in display order and, last, the spare slot
// (empty text, both images 0) that AddItem fills before growing the storage by one. p_Selected runs
// in step with it. Every check happens before anything changes: a failing call leaves the list
// exactly as it was. Items are not persisted, so no operation here calls PropertyChanged itself.
#include <algorithm>

#include "tavrin/Tavrin.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {
constexpr size_t kMaxItems = 32767; // item indices are 16-bit
} // namespace

int16_t Tavrin::SelectedCount() const {
    return static_cast<int16_t>(std::count(p_Selected.begin(), p_Selected.end(), uint8_t{1}));
}

// Room for one more item, or Overflow: the count is a 16-bit integer.
void Tavrin::growStorage(size_t newCount) {
    if (newCount > kMaxItems) raise(err::Overflow);
}

void Tavrin::AddItem(const Variant& text, int16_t icon, int16_t iconSelected) {
    growStorage(p_Items.size());
    Item& spare = p_Items.back();
    // A string needs no conversion and cannot fail: it goes into the spare slot without a copy in
    // between. Any other value is converted first, so that a failing conversion changes nothing.
    if (text.type() == VarType::String)
        spare.Text = text.asString();
    else
        spare.Text = toText(text);
    spare.Icon = icon;
    spare.IconSelected = iconSelected;
    p_Items.emplace_back();
    p_Selected.push_back(0);
    TAVRIN_VERIFY(p_Items.size() == p_Selected.size());

    UpdateScrollRange();
    if (ListCount() <= p_VisibleRows) DrawItem(static_cast<int16_t>(ListCount() - 1));
}

void Tavrin::InsertItem(int16_t index, const Variant& text, int16_t icon, int16_t iconSelected) {
    if (ListCount() == 0 || index < 0 || index > ListCount()) RaiseInvalidArrayIndex();
    growStorage(p_Items.size());
    std::u16string converted = toText(text);
    p_Items.insert(p_Items.begin() + index, Item{tavrin::ItemText(converted), icon, iconSelected});
    p_Selected.insert(p_Selected.begin() + index, uint8_t{0});
    TAVRIN_VERIFY(p_Items.size() == p_Selected.size());

    UpdateScrollRange();
    // The ListIndex let below must not scroll: the same item stays current where it is.
    p_AutoScroll = false;
    if (ListIndex_ >= 0 && index <= ListIndex_) SetListIndex(static_cast<int16_t>(ListIndex_ + 1));
    iUC_Paint();
}

// A Text equal to the number 0 (the default) means "leave the text"; negative images mean the same.
void Tavrin::ModifyItem(int16_t index, const Variant& text, int16_t icon, int16_t iconSelected) {
    Item& item = itemAt(index);
    if (!equalsNumber(text, 0)) item.Text = toText(text);
    if (icon > -1) item.Icon = icon;
    if (iconSelected > -1) item.IconSelected = iconSelected;
    repaintItem(index);
}

void Tavrin::RemoveItem(int16_t index) {
    checkItemIndex(index);
    p_Items.erase(p_Items.begin() + index);
    p_Selected.erase(p_Selected.begin() + index);
    TAVRIN_VERIFY(p_Items.size() == p_Selected.size());

    UpdateScrollRange();
    p_AutoScroll = false;
    if (index == ListIndex_)
        SetListIndex(-1);
    else if (index < ListIndex_)
        SetListIndex(static_cast<int16_t>(ListIndex_ - 1));
    if (ListCount() > 0)
        iUC_Paint();
    else
        iUC_->Cls();
}

// Clear places the surface as a layout pass without the scroll bar would, and raises nothing: the
// current item goes without ListIndexChange, and the bar's value is left for the next layout.
void Tavrin::Clear() {
    sbUCSite_->extender().SetVisible(false);
    iUC_->Cls();
    const UserControlSurface& uc = userControl();
    if (uc.Appearance() != 0) {
        iUC_->Move(0, 0, uc.ScaleWidth(), uc.ScaleHeight());
    } else {
        // Twice the border is 16-bit arithmetic: a border above 16383 overflows (6) before the
        // items go, with the bar already hidden and the surface cleared.
        const double frame = mulI2(2, BorderWidth_);
        const double border = BorderWidth_;
        iUC_->Move(border, border, uc.ScaleWidth() - frame, uc.ScaleHeight() - frame);
    }
    // The storage keeps its room: a list cleared is usually filled again, and the room goes with
    // the list.
    p_Items.assign(1, Item{});
    p_Selected.assign(1, 0);
    p_LastIndex = -1;
    ListIndex_ = -1;
}

void Tavrin::SetImageList(const Variant& imageListControl) {
    // Nothing is an object reference too: it takes the image list away (and its scale mode, read
    // from nothing, fails and stays). A value that is no object at all is refused.
    if (imageListControl.type() != VarType::Object) raise(err::ObjectRequired);
    p_ImageList = std::dynamic_pointer_cast<ImageList>(imageListControl.asObject());
    // The parent form's scale mode is read by late binding; a failure keeps the former value.
    try {
        if (p_ImageList) p_ImageScaleMode = p_ImageList->ParentScaleMode();
    } catch (const std::exception&) {
    }
    iUC_Paint();
}

// ---- indexed item properties

// A changed item is repainted in its row, and the focus rectangle drawn again on the current row.
void Tavrin::repaintItem(int16_t index) {
    DrawItem(index);
    DrawFocus(ListIndex_);
}

Item& Tavrin::itemAt(int16_t index) {
    checkItemIndex(index);
    return p_Items[index];
}

const Item& Tavrin::itemAt(int16_t index) const {
    checkItemIndex(index);
    return p_Items[index];
}

std::u16string Tavrin::ItemText(int16_t index) const {
    return itemAt(index).Text.str();
}

void Tavrin::SetItemText(int16_t index, const std::u16string& text) {
    itemAt(index).Text = text;
    repaintItem(index);
}

int16_t Tavrin::ItemIcon(int16_t index) const {
    return itemAt(index).Icon;
}

void Tavrin::SetItemIcon(int16_t index, int16_t icon) {
    itemAt(index).Icon = icon;
    repaintItem(index);
}

int16_t Tavrin::ItemIconSelected(int16_t index) const {
    return itemAt(index).IconSelected;
}

void Tavrin::SetItemIconSelected(int16_t index, int16_t icon) {
    itemAt(index).IconSelected = icon;
    repaintItem(index);
}

bool Tavrin::ItemSelected(int16_t index) const {
    checkItemIndex(index);
    return p_Selected[index] != 0;
}

} // namespace tavrin
