// XPVScroll: a vertical scroll bar drawn entirely from theme pictures, with hot tracking, thumb
// dragging and timed auto-repeat. The list owns one as its child `sbUC`; it can also stand alone.
//
// Its own scale is twips. Events (Change 1, BarMouseMove 2, BarMouseUp 3) are raised only for the
// user's actions, through the site's RaiseEvent.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/automation/Dispatch.h"
#include "tavrin/platform/Host.h"

namespace tavrin {

enum class BarEvent : int32_t; // the events, by member ID (scrollbar/BarEvents.h)

// The bar's geometry (scrollbar/BarGeometry.h, reached by the hosts and tools, not installed).
enum class BarPart;
enum class BarPiece;
struct BarRect;

// The thirteen pictures of a theme, in the order the picture store is asked for them.
enum class ThemePart : uint8_t {
    Up,
    UpHot,
    UpPress,
    Down,
    DownHot,
    DownPress,
    Bar,
    BarHot,
    BarPress,
    Top,
    Bottom,
    GripBar,
    Back
};
constexpr size_t kThemePartCount = 13;
const char* themePartName(ThemePart part); // "VS_UP", "VS_UPHOT", ...

class XPVScroll : public Dispatchable, private platform::ISubclass {
  public:
    // Fixed layout, twips.
    static constexpr double kButtonHeight = 255, kWidth = 255, kMinHeight = 750, kNewHeight = 2000;
    static constexpr double kMinThumbHeight = 240, kCapHeight = 45, kGripHalfHeight = 60, kGripLeft = 75;
    // Auto-repeat and hover timing, milliseconds.
    static constexpr int32_t kRepeatDelay = 500, kFirstRepeatInterval = 500, kRepeatInterval = 50;
    static constexpr int32_t kLeaveCheckInterval = 10, kLeaveTimerId = 1;
    static constexpr int32_t kDispIdBase = 0x68030000;

    explicit XPVScroll(platform::ControlSite& site);
    ~XPVScroll() override;
    XPVScroll(const XPVScroll&) = delete;
    XPVScroll& operator=(const XPVScroll&) = delete;

    // Host notifications.
    void InitProperties();
    void ReadProperties(const platform::PropertyBag& bag); // bag failures propagate; fields read stay
    void WriteProperties(platform::PropertyBag& bag) const;
    void Terminate();
    void UserControl_Resize();

    // Properties. Out-of-range writes are ignored silently.
    double Value() const;    // through dFormat when it is set; raises 13 if the format gives no number
    void SetValue(double v); // ignored outside Min..Max
    double Min() const { return Min_; }
    void SetMin(double v); // above Max: becomes Max
    double Max() const { return Max_; }
    void SetMax(double v); // below Min: becomes Min
    double SmallChange() const { return SmallChange_; }
    void SetSmallChange(double v); // ignored above |Max - Min|
    double LargeChange() const { return LargeChange_; }
    void SetLargeChange(double v); // ignored above |Max - Min|
    int32_t Theme() const { return Theme_; }
    void SetTheme(int32_t v); // ignored outside 0..2
    const std::u16string& dFormat() const { return dFormat_; }
    void SetdFormat(const std::u16string& v); // any text; a non-numeric format fails on reading Value
    bool Enabled() const;
    void SetEnabled(bool v);
    int32_t hWnd() const;

    const DispatchTable& dispatchTable() const override;
    std::string typeName() const override { return "XPVScroll"; }
    // The property table the dispatch interface and persistence are built from
    // (scrollbar/ScrollPropertyTable.h: name and key, member ID, default, field).
    struct PropertyRow;
    static const std::vector<PropertyRow>& propertyTable();
    static const PropertyRow& propertyRow(std::string_view name); // 438 for no such property
    bool readPrivate(std::string_view name, Variant& out) const override;

  private:
    // The hosts, tools and tests reach the site, the timers, the geometry and the message hook
    // through XPVScrollAccess (scrollbar/XPVScrollAccess.h), which is not installed.
    friend struct XPVScrollAccess;
    static constexpr size_t kPieceCount = 7; // the BarPiece values

    // ISubclass: the five hooked messages, delivered by the subclassing server.
    int32_t ISubclass_MsgResponse() override { return 2; }
    void ISubclass_SetMsgResponse(int32_t) override {}
    int32_t ISubclass_WindowProc(int32_t hwnd, int32_t msg, int32_t wParam, int32_t lParam) override;

    // Geometry shared by painting, input, the script host and the tests (twips).
    BarPart partAt(double yTwips) const;
    bool onThumbForHover(double yTwips) const; // thumb ends included
    bool onThumbForPress(double yTwips) const; // thumb ends excluded
    bool pagesDown(double yTwips) const;       // a track press here pages down, anywhere else up
    BarRect pieceRect(BarPiece piece) const;   // the grip's raises 6 when its top overflows

    // A picture shown for a moving part, with the name of the theme slot it was taken from.
    struct CurrentPicture {
        std::shared_ptr<platform::Picture> picture;
        ThemePart part = ThemePart::Up;
    };
    enum class StepDirection : int32_t { Decrease = 0, Increase = 1 };
    enum class LeaveCheck { Skip, CursorInside };

    void loadProperty(const platform::PropertyBag& bag, std::string_view name);
    // Value model (ScrollValue.cpp)
    bool pStep(StepDirection direction, double amount); // true when Value changed
    void raiseEvent(BarEvent event);
    // Geometry (ScrollGeometry.cpp)
    void pBarSize();
    void pBarSize(double scaleHeight);
    void pBarPosition();
    void pBarPosition(double scaleHeight);
    void pBarSizeAndPosition();
    void barSizeSteps(double scaleHeight);
    double thumbTravel(double extentTwips) const;
    int32_t gripTop() const;
    // Painting (ScrollPainting.cpp)
    void pLoadTheme();
    void pDraw();
    void pDraw(double scaleHeight);
    void paint(BarPiece piece);
    const std::shared_ptr<platform::Picture>& pictureOf(BarPiece piece) const;
    void showPart(CurrentPicture& current, ThemePart part);
    const std::shared_ptr<platform::Picture>& picture(ThemePart part) const;
    // Input (ScrollInput.cpp)
    void pSubclass();
    void pTerminate();
    void pMouseLeave(LeaveCheck check, int32_t hwnd, int32_t reason);
    void tScrlEnable_Timer();
    void tScrl_Timer();
    float cursorYTwips();
    void handleMessage(int32_t hwnd, int32_t msg);
    void onMouseMove(float y);
    void onButtonDown(float y);
    void onButtonUp(float y);
    void onLeaveTimer(int32_t hwnd);
    void pressTrack(float y);
    void dragStep(float y);

    platform::ControlSite& site_;
    platform::UserControlSurface& uc_; // the site's, for the control's whole life
    std::unique_ptr<platform::Timer> tScrl_, tScrlEnable_;
    double Min_ = 0, Max_ = 32767, Value_ = 0, SmallChange_ = 1, LargeChange_ = 1;
    int32_t Theme_ = 0;
    std::u16string dFormat_;

    double p_BarTop = 0;       // top of the thumb
    double p_BarHeight = 0;    // height of the thumb, at least 240 after a size step
    double p_DownTop = 0;      // top of the down button: ScaleHeight - 255
    int32_t p_GripTop = 0;     // top of the grip picture, set by each paint
    bool p_Hot = false;        // the cursor is over the control; the leave-check timer runs
    bool p_Pressed = false;    // the left button went down on the control and is still held
    bool p_Dragging = false;   // the press started on the thumb: the thumb follows the cursor
    bool p_Paging = false;     // the press started on the track beside the thumb: repeats use LargeChange
    int32_t p_Direction = 0;   // 0 decrease (up), 1 increase (down)
    double p_DragStartY = 0;   // cursor y of the drag anchor
    double p_DragStartTop = 0; // thumb top of the drag anchor
    bool p_Subclassed = false; // the five messages are hooked at the subclassing server
    bool p_Terminated = false; // Terminate ran: no message, tick or draw reaches the bar any more

    std::array<std::shared_ptr<platform::Picture>, kThemePartCount> p_Pictures; // the loaded theme
    CurrentPicture p_CurUp;   // picture shown for the up button
    CurrentPicture p_CurDown; // picture shown for the down button
    CurrentPicture p_CurBar;  // picture shown for the thumb body

    // What the last complete pDraw stacked, and the surface's revision right after it: while both
    // still hold, a new pDraw would put the very same pixels there again.
    struct DrawnLook {
        uint64_t revision = 0;
        double scaleWidth = 0, scaleHeight = 0;
        // Where the thumb's pictures land, in pixel rows: top, height, bottom cap, grip (held
        // wide: compared as they were stored, whole words).
        std::array<int64_t, 4> thumbRows{};
        uint32_t backColor = 0;
        std::array<const platform::Picture*, kPieceCount> pictures{};
        bool operator==(const DrawnLook&) const = default;
    };
    DrawnLook drawnLook_;
    std::array<double, 2> drawnThumb_{}; // the thumb's top and height that drawnLook_'s rows are of
    std::array<std::shared_ptr<platform::Picture>, kPieceCount>
        drawnPictures_; // held: their addresses stay theirs
    DrawnLook currentLook(double scaleHeight, bool gripKnown, int32_t gripTop) const;
    bool stillDrawn(double scaleHeight, int32_t gripTop, bool sameThumb) const;
    bool thumbRows(int32_t gripTop, std::array<int64_t, 4>& rows) const;
};

} // namespace tavrin
