// Geometry of the scroll bar, in twips with y running down from the top of the control:
//
//   0 .. 255            up button
//   255 .. p_DownTop    track, with the thumb from p_BarTop to p_BarTop + p_BarHeight
//   p_DownTop .. S      down button (S = ScaleHeight, p_DownTop = S - 255)
//
// 1. UserControl_Resize fixes the width at 255 and the height at 750 or more, then sizes the thumb.
// 2. pBarSize works out the thumb height from LargeChange and the height, then repaints.
// 3. pBarPosition places the thumb from Value without painting.
// A division by zero or an overflow stops a step where it is: what was assigned stays, the rest
// keeps its old value, and a size step that stops does not repaint.
//
// Every place, hit zone and travel below is written once here; painting, input, the gallery, the
// script host and the tests ask these functions.
#include <cmath>

#include "scrollbar/BarGeometry.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

BarPart XPVScroll::partAt(double yTwips) const {
    // The borders belong to the track: 255 exactly and p_DownTop exactly are on it.
    if (yTwips < kButtonHeight) return BarPart::UpButton;
    if (yTwips > p_DownTop) return BarPart::DownButton;
    return BarPart::Track;
}

bool XPVScroll::onThumbForHover(double yTwips) const {
    return !(yTwips < p_BarTop || yTwips > p_BarTop + p_BarHeight);
}

bool XPVScroll::onThumbForPress(double yTwips) const {
    return p_BarTop < yTwips && yTwips < p_BarTop + p_BarHeight;
}

// Paging down needs the press strictly between the thumb and the down button; anything else on
// the track, p_DownTop and the thumb's own ends included, pages up.
bool XPVScroll::pagesDown(double yTwips) const {
    return p_BarTop + p_BarHeight < yTwips && yTwips < p_DownTop;
}

// Thumb travel: how far the thumb's top moves between Min and Max, the extent less both buttons
// and the thumb. Which extent is the control's own rule, and the two callers differ:
// - the size step (pBarSize) takes `Height`, the outer height the container has just given the
//   control, for the thumb's length and its first placement alike;
// - the position step (pBarPosition) and the drag take `ScaleHeight`, the height the pictures are
//   drawn in, because they must bring the thumb's bottom onto the down button, which is drawn at
//   ScaleHeight - 255.
// The bar has no border and measures in twips, so the two agree here; where a host made them
// differ, the position step, which follows every size step, decides where the thumb stays.
double XPVScroll::thumbTravel(double extentTwips) const {
    return extentTwips - 2 * kButtonHeight - p_BarHeight;
}

// The grip's top, 60 twips above the thumb's middle, in whole twips (halves to even); 6 on overflow.
int32_t XPVScroll::gripTop() const {
    return roundToI4(p_BarTop + p_BarHeight / 2 - kGripHalfHeight);
}

BarRect XPVScroll::pieceRect(BarPiece piece) const {
    switch (piece) {
    case BarPiece::Background:
        return {0, 0, uc_.ScaleHeight()};
    case BarPiece::Thumb:
        return {0, p_BarTop, p_BarHeight};
    case BarPiece::Grip:
        return {kGripLeft, static_cast<double>(gripTop()), 2 * kGripHalfHeight};
    case BarPiece::TopCap:
        return {0, p_BarTop, kCapHeight};
    case BarPiece::BottomCap:
        return {0, p_BarTop + p_BarHeight - kCapHeight, kCapHeight};
    case BarPiece::UpButton:
        return {0, 0, kButtonHeight};
    case BarPiece::DownButton:
        // Read afresh, not p_DownTop: the paint places it from the height as it is now.
        return {0, uc_.ScaleHeight() - kButtonHeight, kButtonHeight};
    }
    return {};
}

void XPVScroll::UserControl_Resize() {
    uc_.SetWidth(kWidth);
    if (uc_.Height() < kMinHeight) uc_.SetHeight(kMinHeight);
    pBarSizeAndPosition();
}

// The size step and then the position step, as a resize and the range lets run them. Both take
// the height as it is now; drawing the thumb in between does not change it.
void XPVScroll::pBarSizeAndPosition() {
    const double scaleHeight = uc_.ScaleHeight();
    pBarSize(scaleHeight);
    pBarPosition(scaleHeight);
}

void XPVScroll::pBarSize() {
    pBarSize(uc_.ScaleHeight());
}

void XPVScroll::pBarSize(double scaleHeight) {
    try {
        barSizeSteps(scaleHeight);
    } catch (const AutomationError&) {
        // The thumb keeps what was assigned before the failure; nothing is reported.
    }
}

void XPVScroll::barSizeSteps(double scaleHeight) {
    const double height = uc_.Height();
    const double ratio = checkedDiv(LargeChange_, checkedFinite(Max_ + LargeChange_));
    float t = toSingle(ratio * (height - 2 * kButtonHeight));
    // Whenever it still fits, the thumb is lengthened by a fifth of the control's height.
    if (t + 2 * kButtonHeight + 0.2 * scaleHeight < scaleHeight) t = toSingle(t + 0.2 * scaleHeight);
    p_BarHeight = t;
    // 240, not 255: the thumb may be shorter than a button.
    if (p_BarHeight < kMinThumbHeight) p_BarHeight = kMinThumbHeight;
    p_DownTop = scaleHeight - kButtonHeight;
    if (Value_ <= Min_) {
        p_BarTop = kButtonHeight;
    } else {
        const double travel = thumbTravel(height);
        p_BarTop = checkedFinite(kButtonHeight + checkedDiv(travel * (Value_ - Min_), Max_ - Min_));
    }
    pDraw(scaleHeight);
}

void XPVScroll::pBarPosition() {
    pBarPosition(uc_.ScaleHeight());
}

void XPVScroll::pBarPosition(double scaleHeight) {
    try {
        const double travel = thumbTravel(scaleHeight);
        // Value = Min puts the thumb right under the up button, Value = Max its bottom on p_DownTop.
        // With Max = Min the division fails and the thumb stays where it was.
        const double fraction = 1 - checkedDiv(Max_ - Value_, Max_ - Min_);
        p_BarTop = checkedFinite(kButtonHeight + travel * fraction);
    } catch (const AutomationError&) {
    }
}

} // namespace tavrin
