// The list control's life: creating its children, Initialize, Terminate, and the small helpers that
// every other file of the control uses.
//
// 1. The children exist before Initialize, as a form host creates constituent controls first: the
//    drawing surface iUC, the scroll bar sbUC (loaded from the list's own design data), the edit
//    box txtEdit (hidden) and the selection menu with its entries disabled.
// 2. Initialize creates the item storage with its spare slot and the control's font object.
// 3. The host then runs InitProperties (a new control) or ReadProperties (a stored one).
#include "tavrin/Tavrin.h"

#include <cmath>

#include "control/ListEvents.h"
#include "control/SelectionMenuEntries.h"
#include "render/RowGeometry.h"
#include "scrollbar/BarEvents.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using namespace platform;

namespace {
// The design data of the list's own scroll bar: only its maximum, under the key as it was stored.
PropertyBag scrollBarDesignData() {
    PropertyBag bag;
    bag.set("max", Variant::i4(100));
    return bag;
}
constexpr int32_t kDesignScrollBarWidthPx = 13;
constexpr int32_t kDesignScrollBarHeightPx = 100;
} // namespace

Tavrin::Tavrin(ControlSite& site) : site_(site) {
    iUC_ = site_.createPictureBox();
    sbUCSite_ = site_.createChildSite(u"sbUC");
    sbUCSite_->extender().Move(0, 0, kDesignScrollBarWidthPx, kDesignScrollBarHeightPx);
    sbUC_ = std::make_unique<XPVScroll>(*sbUCSite_);
    sbUC_->ReadProperties(scrollBarDesignData());
    txtEdit_ = site_.createTextBox();
    txtEdit_->SetVisible(false);
    SelectionMenu_ = site_.createMenu(selectionMenuCaptions());
    enableMenuActions(*SelectionMenu_, false);
    wireChildren();

    // Initialize
    p_Items.assign(1, Item{});
    p_Selected.assign(1, 0);
    p_LastMouseY = -1;
    p_AutoScroll = true;
    p_LastIndex = -1;
    p_Font = std::make_shared<StdFont>();
    hookFont();
}

Tavrin::~Tavrin() {
    unhookFont();
    // The host may destroy a control it never terminated; detach the scroll bar all the same.
    if (sbUC_) sbUC_->Terminate();
}

void Tavrin::wireChildren() {
    iUC_->Paint = [this] { iUC_Paint(); };
    iUC_->MouseDown = [this](int16_t& b, int16_t& s, float& x, float& y) { iUC_MouseDown(b, s, x, y); };
    iUC_->MouseMove = [this](int16_t& b, int16_t& s, float& x, float& y) { iUC_MouseMove(b, s, x, y); };
    iUC_->MouseUp = [this](int16_t& b, int16_t& s, float& x, float& y) { iUC_MouseUp(b, s, x, y); };
    iUC_->Click = [this] { iUC_Click(); };
    iUC_->DblClick = [this] { iUC_DblClick(); };
    iUC_->GotFocus = [this] { iUC_GotFocus(); };
    iUC_->LostFocus = [this] { iUC_LostFocus(); };
    txtEdit_->KeyPress = [this](int16_t& key) { txtEdit_KeyPress(key); };
    txtEdit_->LostFocus = [this] { txtEdit_LostFocus(); };
    SelectionMenu_->Click = [this](int16_t index) { optSelectionMenu_Click(index); };
    sbUCSite_->onEvent = [this](std::string_view, int32_t id, std::vector<Variant>&) {
        switch (static_cast<BarEvent>(id)) {
        case BarEvent::Change:
            sbUC_Change();
            break;
        case BarEvent::BarMouseMove:
            sbUC_BarMouseMove();
            break;
        case BarEvent::BarMouseUp:
            sbUC_BarMouseUp();
            break;
        }
    };
    site_.Resize = [this] { UserControl_Resize(); };
    site_.KeyDown = [this](int16_t& k, int16_t& s) { UserControl_KeyDown(k, s); };
    site_.KeyUp = [this](int16_t& k, int16_t& s) { UserControl_KeyUp(k, s); };
    site_.KeyPress = [this](int16_t& k) { UserControl_KeyPress(k); };
    site_.EnterFocus = [this] { UserControl_EnterFocus(); };
    site_.ExitFocus = [this] { UserControl_ExitFocus(); };
    userControl().SetKeyPreview(true);
}

void Tavrin::Terminate() {
    // The host's notifications stop reaching the control first: a popup menu, the about box or a
    // DoEvents loop still open on the stack may deliver a choice, a tick or a paint afterwards.
    p_Terminated = true;
    unwireChildren();
    // The storage is released down to its spare slot, so that a call that still arrives sees an
    // empty list instead of a count of -1.
    ItemStorage().swap(p_Items);
    p_Items.assign(1, Item{});
    std::vector<uint8_t>(1, 0).swap(p_Selected);
    ListIndex_ = -1;
    p_LastIndex = -1;
    p_ImageList.reset();
    p_MouseDown = false;
    p_RequiredPicture.reset();
    sbUC_->Terminate();
}

void Tavrin::unwireChildren() {
    iUC_->Paint = nullptr;
    iUC_->MouseDown = nullptr;
    iUC_->MouseMove = nullptr;
    iUC_->MouseUp = nullptr;
    iUC_->Click = nullptr;
    iUC_->DblClick = nullptr;
    iUC_->GotFocus = nullptr;
    iUC_->LostFocus = nullptr;
    txtEdit_->KeyPress = nullptr;
    txtEdit_->LostFocus = nullptr;
    SelectionMenu_->Click = nullptr;
    sbUCSite_->onEvent = nullptr;
    site_.Resize = nullptr;
    site_.KeyDown = nullptr;
    site_.KeyUp = nullptr;
    site_.KeyPress = nullptr;
    site_.EnterFocus = nullptr;
    site_.ExitFocus = nullptr;
}

// ---- helpers shared by the control's files

void Tavrin::raiseEvent(ListEvent event, std::vector<Variant>& args) {
    site_.RaiseEvent(eventName(event), static_cast<int32_t>(event), args);
}

void Tavrin::raiseEvent(ListEvent event) {
    std::vector<Variant> none;
    raiseEvent(event, none);
}

double Tavrin::topRow() const {
    return sbUC_->Value();
}

int16_t Tavrin::topRowIndex() const {
    return roundToI2(topRow());
}

int16_t Tavrin::rowLeft() const {
    return render::rowLeftOf(LeftMargin_, RequiredField_);
}

int16_t Tavrin::rowUnderY(float y) const {
    return render::rowUnderY(y, p_RowHeight, topRow());
}

// Item operations accept 0 .. ListCount - 1 only; an empty list has no valid index.
void Tavrin::checkItemIndex(int16_t index) const {
    if (index < 0 || index >= ListCount()) RaiseInvalidArrayIndex();
}

} // namespace tavrin
