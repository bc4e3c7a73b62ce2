// Layout and metrics: the row height, the number of visible rows, the control's integral height
// and the places of the drawing surface and the scroll bar.
//
// UserControl_Resize, in order:
//   1. measure the sample text "TextHeight" on the drawing surface;
//   2. row height: the text height rounded (halves to even), or ItemHeight when that is taller and
//      ItemHeightAuto is off;
//   3. visible rows: whole rows in the client height;
//   4. integral height: the control's outer height becomes those rows plus its frame;
//   5. the drawing surface's rectangle (3D: the whole client area; Flat: inset by BorderWidth),
//      narrowed by the scroll bar when the bar shows right now;
//   6-10. with p_InLayout set: move the surface, place the bar, hide it, UpdateScrollRange.
// Steps 1-5 raise their failures to the host's resize event; from step 6 on every step is tried
// and a failure skips only that step.
#include "tavrin/Tavrin.h"

#include "render/RenderSupport.h"
#include "render/RowGeometry.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace {

using render::ignoringFailures;

constexpr std::u16string_view kSampleText = u"TextHeight";

struct Placement {
    int16_t left, top, width, height;
};

// Rows are never shorter than the text; a taller fixed height is kept only with the automatic
// height switched off.
int16_t rowHeightFor(double textHeight, bool automatic, int16_t itemHeight) {
    if (automatic || itemHeight < textHeight) return roundToI2(textHeight);
    return itemHeight;
}

int16_t wholeRows(double clientHeight, int16_t rowHeight) {
    int32_t height = roundToI4(clientHeight);
    if (rowHeight == 0) raise(err::DivisionByZero);
    return roundToI2(static_cast<double>(height / rowHeight)); // the quotient truncates towards zero
}

// The drawing surface: in 3D the host's own frame surrounds the client area; in Flat the surface
// is inset so that the control's background shows as a ring of BorderWidth pixels.
Placement surfacePlacement(bool flat, double scaleWidth, double scaleHeight, int16_t barWidth,
                           int16_t border) {
    if (!flat) return {0, 0, roundToI2(scaleWidth - barWidth), roundToI2(scaleHeight)};
    const int16_t both = mulI2(2, border);
    return {border, border, roundToI2(scaleWidth - barWidth - both), roundToI2(scaleHeight - both)};
}

} // namespace

void Tavrin::UserControl_Resize() {
    const double textHeight = iUC().TextHeight(kSampleText);
    p_RowHeight = rowHeightFor(textHeight, ItemHeightAuto_, ItemHeight_);
    p_VisibleRows = wholeRows(userControl().ScaleHeight(), p_RowHeight);

    // The frame is whatever the outer height has beyond the client height, in the host's unit.
    const double twipsPerPixel = services().screen().TwipsPerPixelY();
    const double frame = userControl().Height() - userControl().ScaleHeight() * twipsPerPixel;
    userControl().SetHeight(mulI2(p_VisibleRows, p_RowHeight) * twipsPerPixel + frame);

    auto& bar = sbUCSite().extender();
    const int16_t barWidth = bar.Visible() ? roundToI2(bar.Width()) : int16_t{0};
    const bool flat = Appearance() == AppearanceCts::Flat;
    const Placement surface = surfacePlacement(flat, userControl().ScaleWidth(), userControl().ScaleHeight(),
                                               barWidth, BorderWidth_);

    render::FlagScope inLayout(p_InLayout);
    ignoringFailures([&] { iUC().Move(surface.left, surface.top, surface.width, surface.height); });
    ignoringFailures([&] {
        const double width = bar.Width();
        const double scaleWidth = userControl().ScaleWidth(), scaleHeight = userControl().ScaleHeight();
        if (Appearance() == AppearanceCts::Appearance3D)
            bar.Move(scaleWidth - width, 0, width, scaleHeight);
        else
            bar.Move(scaleWidth - width - BorderWidth_, BorderWidth_, width,
                     scaleHeight - mulI2(2, BorderWidth_));
    });
    ignoringFailures([&] { bar.SetVisible(false); });
    ignoringFailures([&] { UpdateScrollRange(); });
}

// Shows the scroll bar only when the items outnumber the rows; the rows end where the bar begins.
void Tavrin::UpdateScrollRange() {
    auto& bar = sbUCSite().extender();
    const auto rowsRightEdge = [&](double barWidth) {
        return render::surfaceWidthLessFrame(userControl().ScaleWidth(), barWidth,
                                             Appearance() == AppearanceCts::Flat, BorderWidth_);
    };
    if (ListCount() <= p_VisibleRows) {
        bar.SetVisible(false);
        p_RowRect.right = rowsRightEdge(0);
    } else if (!bar.Visible()) {
        bar.SetVisible(true);
        render::ignoringFailures([&] { sbUC().SetLargeChange(p_VisibleRows); });
        render::ignoringFailures([&] { p_RowRect.right = rowsRightEdge(bar.Width()); });
        render::ignoringFailures([&] { iUC_Paint(); });
    }
    // Zero or negative while the bar is hidden; the bar raises a maximum below its minimum itself.
    sbUC().SetMax(subI2(ListCount(), p_VisibleRows));
}

} // namespace tavrin
