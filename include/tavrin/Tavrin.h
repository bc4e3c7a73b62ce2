// Tavrin: an owner-drawn list box with a themed vertical scroll bar.
//
// The control paints every row itself into the device context of its drawing surface `iUC`, keeps
// a single or a multiple selection, follows keyboard and mouse (drag selection with timed automatic
// scrolling, hover selection, a popup selection menu), edits items in place, sorts and searches
// them, and saves its settings in the host's property bag. Every public member is reachable as a
// typed member here and by name or member ID through the dispatch interface.
//
// Errors: 380 for ListIndex/TopIndex out of range, 381 for a bad item index or an item operation
// on an empty list; nothing has changed when either is raised.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tavrin/ItemText.h"
#include "tavrin/PageAllocator.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Dispatch.h"
#include "tavrin/platform/Host.h"

namespace tavrin {

enum class ListEvent : int32_t; // the events, by member ID (control/ListEvents.h)

// The list's enumerations. They are scoped, so their members stay out of the library's namespace:
// `SelectModeCts::Multiple`, `SelectModeStyleCts::Box`. A property stores any 32-bit value it is
// given (through dispatch a number need not be a member); drawing treats an unknown one as noted.
enum class AlignmentCts : int32_t { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };
enum class AppearanceCts : int32_t { Flat = 0, Appearance3D = 1 };
enum class ctsListThemes : int32_t { XPBlue = 0, XPSilver = 1, XPOlive = 2 };
enum class BorderStyleCts : int32_t { BorderNone = 0, BorderFixedSingle = 1 };
enum class OrderTypeCts : int32_t { Ascendent = 0, Descendent = 1 };
enum class SelectModeCts : int32_t { Single = 0, Multiple = 1 };
enum class SelectModeStyleCts : int32_t {
    Standard = 0,
    Dither = 1,
    Gradient_V = 2,
    Gradient_H = 3,
    Box = 4,
    Underline = 5,
    byPicture = 6
};

// One item: its text and the image-list indices of its normal and selected images.
struct Item {
    ItemText Text;
    int16_t Icon = 0;
    int16_t IconSelected = 0;
};
static_assert(sizeof(Item) == 56, "an item is its text and two image numbers, without padding");
using ItemStorage = std::vector<Item, PageAllocator<Item>>;

using Vertex = std::array<uint16_t, 3>; // red, green, blue; each channel x 256

class Tavrin : public Dispatchable {
  public:
    // Creates the children and runs Initialize.
    explicit Tavrin(platform::ControlSite& site);
    ~Tavrin() override;
    Tavrin(const Tavrin&) = delete;
    Tavrin& operator=(const Tavrin&) = delete;

    // ---- host notifications
    void InitProperties();
    void ReadProperties(const platform::PropertyBag& bag);
    void WriteProperties(platform::PropertyBag& bag);
    void Terminate();
    void UserControl_Resize();

    // ---- items. A bad index raises 381 with nothing changed.
    void SetImageList(const Variant& imageListControl); // no object: 424
    void AddItem(const Variant& text, int16_t icon = 0, int16_t iconSelected = 0);
    void InsertItem(int16_t index, const Variant& text, int16_t icon = 0, int16_t iconSelected = 0);
    void ModifyItem(int16_t index, const Variant& text = Variant::i4(0), int16_t icon = -1,
                    int16_t iconSelected = -1);
    void RemoveItem(int16_t index);
    void Clear();
    int16_t ListCount() const {
        return static_cast<int16_t>(p_Items.size() - 1);
    } // the spare slot is not an item
    int16_t SelectedCount() const;
    std::u16string ItemText(int16_t index) const;
    void SetItemText(int16_t index, const std::u16string& text);
    int16_t ItemIcon(int16_t index) const;
    void SetItemIcon(int16_t index, int16_t icon);
    int16_t ItemIconSelected(int16_t index) const;
    void SetItemIconSelected(int16_t index, int16_t icon);
    bool ItemSelected(int16_t index) const;
    void SetItemSelected(int16_t index, bool selected);

    // ---- ordering and search
    void Order();
    int16_t FindFirst(const std::u16string& fndString, int16_t startIndex = 0, bool startWith = false) const;

    // ---- selection and scroll position. Out of range: 380.
    int16_t ListIndex() const { return ListIndex_; }
    void SetListIndex(int16_t v);
    int16_t TopIndex() const;
    void SetTopIndex(int16_t v);
    SelectModeCts SelectMode() const { return SelectMode_; }
    void SetSelectMode(SelectModeCts v);

    // ---- properties (no checks unless said; every assignment calls PropertyChanged)
    AlignmentCts Alignment() const { return Alignment_; }
    void SetAlignment(AlignmentCts v);
    AppearanceCts Appearance() const;
    void SetAppearance(AppearanceCts v);
    uint32_t BackNormal() const { return BackNormal_; }
    void SetBackNormal(uint32_t v);
    uint32_t BackSelected() const { return BackSelected_; }
    void SetBackSelected(uint32_t v);
    uint32_t BackSelectedG1() const { return BackSelectedG1_; }
    void SetBackSelectedG1(uint32_t v); // a resolved colour above 0xFFFFFF: 5
    uint32_t BackSelectedG2() const { return BackSelectedG2_; }
    void SetBackSelectedG2(uint32_t v); // a resolved colour above 0xFFFFFF: 5
    uint32_t BorderColor() const { return BorderColor_; }
    void SetBorderColor(uint32_t v);
    int16_t BorderWidth() const { return BorderWidth_; }
    void SetBorderWidth(int16_t v);
    uint32_t BoxBorder() const { return BoxBorder_; }
    void SetBoxBorder(uint32_t v);
    int16_t BoxOffset() const { return BoxOffset_; }
    void SetBoxOffset(int16_t v); // above half the row height: kept silently
    int16_t BoxRadius() const { return BoxRadius_; }
    void SetBoxRadius(int16_t v);
    bool Enabled() const;
    void SetEnabled(bool v);
    int16_t LeftMargin() const { return LeftMargin_; }
    void SetLeftMargin(int16_t v);
    bool RequiredField() const { return RequiredField_; }
    void SetRequiredField(bool v);
    ctsListThemes Theme() const;
    void SetTheme(ctsListThemes v);
    bool Focus() const { return Focus_; }
    void SetFocus(bool v);
    std::shared_ptr<platform::StdFont> Font() const { return p_Font; }
    void SetFont(const std::shared_ptr<platform::StdFont>& f); // Nothing: 91
    uint32_t FontNormal() const { return FontNormal_; }
    void SetFontNormal(uint32_t v);
    uint32_t FontSelected() const { return FontSelected_; }
    void SetFontSelected(uint32_t v);
    bool HoverSelection() const { return HoverSelection_; }
    void SetHoverSelection(bool v);
    bool GotFocusEffect() const { return GotFocusEffect_; }
    void SetGotFocusEffect(bool v);
    uint32_t GotFocusEffectColor() const { return GotFocusEffectColor_; }
    void SetGotFocusEffectColor(uint32_t v);
    int16_t ItemHeight() const { return ItemHeight_; }
    void SetItemHeight(int16_t v);
    bool ItemHeightAuto() const { return ItemHeightAuto_; }
    void SetItemHeightAuto(bool v);
    int16_t ItemOffset() const { return ItemOffset_; }
    void SetItemOffset(int16_t v); // above the row height: kept silently
    int16_t ItemTextLeft() const { return ItemTextLeft_; }
    void SetItemTextLeft(int16_t v);
    std::shared_ptr<platform::Picture> MouseIcon() const;
    void SetMouseIcon(std::shared_ptr<platform::Picture> v);
    int16_t MousePointer() const;
    void SetMousePointer(int16_t v);
    OrderTypeCts OrderType() const { return OrderType_; }
    void SetOrderType(OrderTypeCts v);
    std::shared_ptr<platform::Picture> SelectionPicture() const { return SelectionPicture_; }
    void SetSelectionPicture(std::shared_ptr<platform::Picture> v);
    SelectModeStyleCts SelectModeStyle() const { return SelectModeStyle_; }
    void SetSelectModeStyle(SelectModeStyleCts v);
    bool ShowMenu() const { return ShowMenu_; }
    void SetShowMenu(bool v);
    bool WordWrap() const { return WordWrap_; }
    void SetWordWrap(bool v);

    // ---- in-place editing and the about box
    void StartEdit();
    void EndEdit(bool modify = false);
    void About();

    // ---- dispatch, and the property table it and persistence are built from
    // (control/ListPropertyTable.h: name and key, member ID, type, default, field).
    struct PropertyRow;
    static const std::vector<PropertyRow>& propertyTable();
    const DispatchTable& dispatchTable() const override;
    std::string typeName() const override { return "Tavrin"; }
    bool readPrivate(std::string_view name, Variant& out) const override;

  private:
    // Hosts, tools and tests reach the children, handlers and views below through TavrinAccess
    // (control/TavrinAccess.h), which is not installed.
    friend struct TavrinAccess;

    platform::PictureBox& iUC() { return *iUC_; }
    XPVScroll& sbUC() { return *sbUC_; }
    platform::ControlSite::ChildSite& sbUCSite() { return *sbUCSite_; }
    platform::ControlSite& site() { return site_; }

    // Handlers of the children's and the host's events, wired up by the constructor.
    void iUC_Paint();
    void iUC_MouseDown(int16_t& button, int16_t& shift, float& x, float& y);
    void iUC_MouseMove(int16_t& button, int16_t& shift, float& x, float& y);
    void iUC_MouseUp(int16_t& button, int16_t& shift, float& x, float& y);
    void iUC_Click();
    void iUC_DblClick();
    void iUC_GotFocus();
    void iUC_LostFocus();
    void UserControl_KeyDown(int16_t& keyCode, int16_t& shift);
    void UserControl_KeyPress(int16_t& keyAscii);
    void UserControl_KeyUp(int16_t& keyCode, int16_t& shift);
    void UserControl_EnterFocus();
    void UserControl_ExitFocus();
    void sbUC_Change();
    void sbUC_BarMouseMove();
    void sbUC_BarMouseUp();
    void optSelectionMenu_Click(int16_t index);
    void txtEdit_KeyPress(int16_t& keyAscii);
    void txtEdit_LostFocus();

    // Drawing routines shared by the painting files.
    void UpdateScrollRange();
    void DrawItem(int16_t index);
    void PaintRows();
    void DrawFocus(int16_t index);
    void DrawRequiredMark();
    void RefreshBorder();
    void ResolveColors();
    uint32_t TranslateColor(uint32_t oleColor) const;
    static Vertex ColorToVertex(uint32_t rgb); // above 0xFFFFFF: 5

    // Helpers used across files.
    platform::Services& services() { return site_.services(); }
    platform::Gdi& gdi() { return site_.services().gdi(); }
    platform::UserControlSurface& userControl() { return site_.UserControl(); }
    const platform::UserControlSurface& userControl() const { return site_.UserControl(); }
    void propertyChanged(const char* name) { site_.PropertyChanged(name); }
    void raiseEvent(ListEvent event, std::vector<Variant>& args); // control/ListEvents.h
    void raiseEvent(ListEvent event);
    double topRow() const;            // the scroll bar's value
    int16_t topRowIndex() const;      // the same rounded to a 16-bit integer
    int16_t rowLeft() const;          // LeftMargin, plus 6 with RequiredField
    int16_t rowUnderY(float y) const; // may lie outside the items
    void checkItemIndex(int16_t index) const;
    Item& itemAt(int16_t index); // after checkItemIndex
    const Item& itemAt(int16_t index) const;
    void repaintItem(int16_t index);
    // A colour let: stores the setting, hands its resolved colour to `take` (a failing resolution
    // leaves the setting stored), repaints and tells the host.
    void letColour(uint32_t& setting, uint32_t value, const char* name,
                   const std::function<void(uint32_t)>& take);
    void growStorage(size_t newCount);
    void hookFont();
    void unhookFont();
    void p_Font_FontChanged(const std::string& attribute);
    void AutoScrollUp();
    void AutoScrollDown();
    void LoadRequiredPicture();
    void FillSolid(platform::HDC dc, const platform::RECT& r, uint32_t rgb);
    void PatternAnd(platform::HDC dc, const platform::RECT& r, uint32_t rgb);
    void FillGradient(platform::HDC dc, const platform::RECT& r, const Vertex& from, const Vertex& to,
                      uint32_t mode);
    void DrawRoundBox(platform::HDC dc, platform::RECT& r, int16_t inset, int16_t radius, uint32_t fill,
                      uint32_t outline);
    void wireChildren();
    void unwireChildren();
    // Painting and defaults, split into steps (render/, ListProperties.cpp).
    struct RowLook;    // what decides every row's pixels (render/RowLook.h)
    struct RowContent; // what decides one row's own
    RowLook currentRowLook() const;
    RowContent rowContent(int16_t index) const;
    void paintRow(const RowLook& look, int16_t index, double top);
    void paintNormalBackground(const RowLook& look, const platform::RECT& rect);
    void paintSelectedBackground(const RowLook& look, const platform::RECT& rect);
    void paintSelectionPicture(const RowLook& look, const platform::RECT& rect);
    void drawItemImage(const RowLook& look, const RowContent& row, const platform::RECT& rect);
    void paintDesignPreview();
    void placeSampleText(int32_t left, const std::u16string& name);
    // Keeping and moving rows that the last PaintRows left on the surface (render/RowReuse.cpp).
    struct PaintedRows;
    bool reusableLook(const RowLook& look) const;
    bool rowsReusable(const RowLook& look) const;
    std::vector<bool> reuseRows(int16_t first, int16_t last);
    void recordRows(RowLook look, double top, int16_t first, int16_t last);
    void adoptAmbientFont();
    // The property table (control/ListPropertyTable.cpp) and what persistence adds to it.
    Variant savedDefault(const PropertyRow& row) const;
    Variant fontDefault() const;
    int16_t loadedItemHeight(const std::u16string& storedHeight);

    platform::ControlSite& site_;
    std::unique_ptr<platform::PictureBox> iUC_;
    std::unique_ptr<platform::ControlSite::ChildSite> sbUCSite_;
    std::unique_ptr<XPVScroll> sbUC_;
    std::unique_ptr<platform::TextBox> txtEdit_;
    std::unique_ptr<platform::Menu> SelectionMenu_;
    std::shared_ptr<PaintedRows> paintedRows_; // what the last PaintRows drew, to keep or move

    // Items
    ItemStorage p_Items;                              // the items in display order, plus the spare slot last
    std::vector<uint8_t> p_Selected;                  // selected flag per entry of p_Items (spare slot: 0)
    std::shared_ptr<platform::ImageList> p_ImageList; // images drawn by Icon / IconSelected
    int16_t p_ImageScaleMode = 0;                     // scale mode of the image list's parent form

    // Selection
    int16_t ListIndex_ = -1;   // the current item, -1 for none
    int16_t p_LastIndex = -1;  // the row the last ListIndex let made current
    bool p_AutoScroll = true;  // the next ListIndex let scrolls the item into view
    bool p_Terminated = false; // Terminate ran: handlers still on the stack stop at their next step
    SelectModeCts SelectMode_ = SelectModeCts::Single;
    OrderTypeCts OrderType_ = OrderTypeCts::Ascendent;

    // Properties stored by the control
    AlignmentCts Alignment_ = AlignmentCts::AlignLeft;
    uint32_t BackNormal_ = 0x80000005;
    uint32_t BackSelected_ = 0x8000000D;
    uint32_t BackSelectedG1_ = 0x8000000D;
    uint32_t BackSelectedG2_ = 0x80000005;
    uint32_t BorderColor_ = 0x8000000F;
    int16_t BorderWidth_ = 3;
    uint32_t BoxBorder_ = 0x8000000E;
    int16_t BoxOffset_ = 1;
    int16_t BoxRadius_ = 0;
    int16_t LeftMargin_ = 2;
    bool RequiredField_ = false;
    bool Focus_ = true;
    uint32_t FontNormal_ = 0x80000008;
    uint32_t FontSelected_ = 0x8000000E;
    bool HoverSelection_ = false;
    bool GotFocusEffect_ = false;
    uint32_t GotFocusEffectColor_ = 0;
    int16_t ItemHeight_ = 0;
    bool ItemHeightAuto_ = true;
    int16_t ItemOffset_ = 0;
    int16_t ItemTextLeft_ = 2;
    std::shared_ptr<platform::Picture> SelectionPicture_;
    SelectModeStyleCts SelectModeStyle_ = SelectModeStyleCts::Standard;
    bool ShowMenu_ = false;
    bool WordWrap_ = true;
    int16_t p_ScrollBarWidth = 13; // the scroll bar width setting, saved as "ScrollBarWidth"

    std::shared_ptr<platform::StdFont> p_Font; // the control's own font object
    int p_FontToken = 0;                       // its change-notification registration

    // Resolved colours
    uint32_t p_BackNormalRGB = 0;   // unselected rows, surface background
    uint32_t p_BackSelectedRGB = 0; // selected background, dither pattern, box fill
    Vertex p_GradientFrom{};        // first gradient vertex
    Vertex p_GradientTo{};          // second gradient vertex
    uint32_t p_BoxBorderRGB = 0;    // outline of the box style
    uint32_t p_FontNormalRGB = 0;   // text of unselected rows
    uint32_t p_FontSelectedRGB = 0; // text of selected rows and the focus rectangle

    // Layout
    int16_t p_RowHeight = 0;    // height of every row
    int16_t p_VisibleRows = 0;  // whole rows that fit the client height
    platform::RECT p_RowRect{}; // the shared row rectangle (right edge set by UpdateScrollRange)
    bool p_InLayout = false;    // a layout pass is placing the children: paints draw no rows

    // Frame and focus
    bool p_HasFocus = false;                              // the focus is inside the control
    bool p_BorderRefresh = false;                         // RefreshBorder is running
    std::shared_ptr<platform::Picture> p_RequiredPicture; // the required-field mark, once loaded

    // Mouse
    bool p_MouseDown = false; // a button other than the right one is held
    bool p_DragState = false; // the state a drag gives the rows it enters
    float p_LastMouseY = -1;  // pointer Y at the last current-item change by the mouse
    int32_t p_MouseY = 0;     // Y of the latest MouseMove, rounded

    // Scroll coupling
    int16_t p_LastTop = 0; // the top row that sbUC_Change recorded last
};

} // namespace tavrin
