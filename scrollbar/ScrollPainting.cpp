// Painting of the scroll bar: it only stacks theme pictures on its own surface.
//
// 1. pLoadTheme asks the picture store for the thirteen pictures of the current theme and puts the
//    three moving parts back to their normal pictures as it goes.
// 2. pDraw clears the surface and stacks the pieces in BarPiece order: track background, thumb
//    body, grip, top cap, bottom cap, up button, down button, each at its pieceRect. Later
//    pictures cover earlier ones.
// 3. The first picture that cannot be drawn stops pDraw and the failure goes to the caller, with
//    what was drawn before left on the surface.
#include <string>

#include "scrollbar/BarGeometry.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace {

const char* const kPartNames[kThemePartCount] = {
    "VS_UP",      "VS_UPHOT",     "VS_UPPRESS", "VS_DOWN",   "VS_DOWNHOT", "VS_DOWNPRESS", "VS_BAR",
    "VS_BAR_HOT", "VS_BAR_PRESS", "VS_TOP",     "VS_BOTTOM", "VS_GRIPBAR", "VS_BACK"};

int32_t handleOf(const std::shared_ptr<platform::Picture>& picture) {
    if (!picture) raise(err::ObjectNotSet);
    return picture->handle();
}
} // namespace

const char* themePartName(ThemePart part) {
    return kPartNames[static_cast<size_t>(part)];
}

const std::shared_ptr<platform::Picture>& XPVScroll::picture(ThemePart part) const {
    return p_Pictures[static_cast<size_t>(part)];
}

// Re-points a moving part's picture only when the handles differ, as every state change does.
void XPVScroll::showPart(CurrentPicture& current, ThemePart part) {
    const auto& wanted = picture(part);
    if (handleOf(current.picture) != handleOf(wanted)) current = {wanted, part};
}

void XPVScroll::pLoadTheme() {
    try {
        auto& store = site_.services().pictureStore();
        const std::u16string suffix = u"(" + utf16(std::to_string(Theme_)) + u")";
        for (size_t i = 0; i < kThemePartCount; ++i) {
            const auto part = static_cast<ThemePart>(i);
            p_Pictures[i] = store.GetPicture(utf16(kPartNames[i]) + suffix);
            // A theme change also puts the moving parts back to their normal pictures.
            if (part == ThemePart::UpPress) p_CurUp = {picture(ThemePart::Up), ThemePart::Up};
            if (part == ThemePart::DownPress) p_CurDown = {picture(ThemePart::Down), ThemePart::Down};
            if (part == ThemePart::BarPress) p_CurBar = {picture(ThemePart::Bar), ThemePart::Bar};
        }
    } catch (const AutomationError&) {
        // The parts not reached keep the previous theme's pictures (or none on a new control).
    }
}

// The picture each piece shows: the moving parts their current one, the rest their theme's.
const std::shared_ptr<platform::Picture>& XPVScroll::pictureOf(BarPiece piece) const {
    switch (piece) {
    case BarPiece::Background:
        return picture(ThemePart::Back);
    case BarPiece::Thumb:
        return p_CurBar.picture;
    case BarPiece::Grip:
        return picture(ThemePart::GripBar);
    case BarPiece::TopCap:
        return picture(ThemePart::Top);
    case BarPiece::BottomCap:
        return picture(ThemePart::Bottom);
    case BarPiece::UpButton:
        return p_CurUp.picture;
    case BarPiece::DownButton:
        break;
    }
    return p_CurDown.picture;
}

// Background and thumb body are stretched to their rectangle; the rest keep their own size.
void XPVScroll::paint(BarPiece piece) {
    const auto& pic = pictureOf(piece);
    if (!pic) raise(err::ObjectNotSet);
    const BarRect place = pieceRect(piece);
    const bool stretched = piece == BarPiece::Background || piece == BarPiece::Thumb;
    uc_.PaintPicture(pic.get(), place.left, place.top, std::nullopt,
                     stretched ? std::optional<double>(place.height) : std::nullopt);
}

// The thumb is compared by the pixel rows its pictures land on: a range change mostly moves it by
// less than a pixel. False where a row cannot be reached (the thumb is then drawn, never compared).
bool XPVScroll::thumbRows(int32_t gripTop, std::array<int64_t, 4>& rowsOut) const {
    const std::array<double, 4> thumbPlaces{p_BarTop, p_BarHeight, pieceRect(BarPiece::BottomCap).top,
                                            static_cast<double>(gripTop)};
    std::array<int32_t, 4> rows{};
    if (!uc_.pixelRowsOf(thumbPlaces, rows)) return false;
    for (size_t i = 0; i < rows.size(); ++i)
        rowsOut[i] = rows[i];
    return true;
}

// What a draw now would stack; revision 0 when it could not be compared with a later one.
XPVScroll::DrawnLook XPVScroll::currentLook(double scaleHeight, bool gripKnown, int32_t gripTop) const {
    DrawnLook look{uc_.contentRevision(), uc_.ScaleWidth(), scaleHeight, {}, uc_.BackColor(), {}};
    for (size_t i = 0; i < kBarPieceCount; ++i)
        look.pictures[i] = pictureOf(static_cast<BarPiece>(i)).get();
    if (!gripKnown || !thumbRows(gripTop, look.thumbRows)) look.revision = 0;
    return look;
}

// Whether the surface still shows what a draw now would stack: currentLook() == drawnLook_, asked
// without building the look and stopping at the first difference. (It runs for every item a list
// adds.)
// Every member of the look is taken apart by name: a member added to it that is not compared here
// does not compile.
bool XPVScroll::stillDrawn(double scaleHeight, int32_t gripTop, bool sameThumb) const {
    const auto& [revision, scaleWidth, drawnHeight, drawnRows, backColor, pictures] = drawnLook_;
    if (revision == 0 || uc_.contentRevision() != revision) return false;
    if (scaleHeight != drawnHeight || uc_.ScaleWidth() != scaleWidth || uc_.BackColor() != backColor)
        return false;
    for (size_t i = 0; i < kBarPieceCount; ++i)
        if (pictureOf(static_cast<BarPiece>(i)).get() != pictures[i]) return false;
    if (sameThumb) return true; // the same rows, not worked out again
    std::array<int64_t, 4> rows{};
    return thumbRows(gripTop, rows) && rows == drawnRows;
}

// A bar whose surface still shows exactly what this draw would stack (the list's range changes
// with every item added, mostly without moving a pixel of the bar) is left as it is.
void XPVScroll::pDraw() {
    if (p_Terminated) return; // its pictures are gone
    pDraw(uc_.ScaleHeight());
}

// scaleHeight: the surface's height as the caller has just read it.
void XPVScroll::pDraw(double scaleHeight) {
    // The thumb where the last complete draw (or check) left it has its grip where it was.
    const bool sameThumb =
        drawnLook_.revision != 0 && p_BarTop == drawnThumb_[0] && p_BarHeight == drawnThumb_[1];
    int32_t grip = p_GripTop;
    bool gripKnown = true;
    if (!sameThumb) {
        try {
            grip = gripTop();
        } catch (const AutomationError&) {
            gripKnown = false; // raised again below, after the clear, as the draw does
        }
    }
    if (gripKnown && stillDrawn(scaleHeight, grip, sameThumb)) {
        uc_.SetCurrentX(0); // as the clear would
        uc_.SetCurrentY(0);
        p_GripTop = grip;
        drawnThumb_ = {p_BarTop, p_BarHeight}; // lands on the rows drawn
        return;
    }
    DrawnLook look = currentLook(scaleHeight, gripKnown, grip);
    const bool comparable = look.revision != 0;
    drawnLook_.revision = 0;
    uc_.Cls();
    p_GripTop = gripKnown ? grip : gripTop();
    for (size_t i = 0; i < kBarPieceCount; ++i)
        paint(static_cast<BarPiece>(i));
    look.revision = comparable ? uc_.contentRevision() : 0;
    drawnLook_ = look;
    drawnThumb_ = {p_BarTop, p_BarHeight};
    for (size_t i = 0; i < kBarPieceCount; ++i)
        drawnPictures_[i] = pictureOf(static_cast<BarPiece>(i));
}

} // namespace tavrin
