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
#include <cmath>

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

void XPVScroll::UserControl_Resize() {
    auto& uc = site_.UserControl();
    uc.SetWidth(kWidth);
    if (uc.Height() < kMinHeight) uc.SetHeight(kMinHeight);
    pBarSize();
    pBarPosition();
}

void XPVScroll::pBarSize() {
    try {
        barSizeSteps();
    } catch (const AutomationError&) {
        // The thumb keeps what was assigned before the failure; nothing is reported.
    }
}

void XPVScroll::barSizeSteps() {
    auto& uc = site_.UserControl();
    const double height = uc.Height();
    const double scaleHeight = uc.ScaleHeight();
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
        const double travel = height - 2 * kButtonHeight - p_BarHeight;
        p_BarTop = checkedFinite(kButtonHeight + checkedDiv(travel * (Value_ - Min_), Max_ - Min_));
    }
    pDraw(uc, scaleHeight);
}

void XPVScroll::pBarPosition() {
    try {
        const double scaleHeight = site_.UserControl().ScaleHeight();
        const double travel = scaleHeight - 2 * kButtonHeight - p_BarHeight;
        // Value = Min puts the thumb right under the up button, Value = Max its bottom on p_DownTop.
        // With Max = Min the division fails and the thumb stays where it was.
        const double fraction = 1 - checkedDiv(Max_ - Value_, Max_ - Min_);
        p_BarTop = checkedFinite(kButtonHeight + travel * fraction);
    } catch (const AutomationError&) {
    }
}

} // namespace tavrin
