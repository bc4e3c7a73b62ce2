// Painting the whole list: the paint handler, the row loop, the focus rectangle, the required-field
// mark and the border refresh.
//
// iUC_Paint:
//   design time: 1. clear; 2. the required-field mark; 3-4. the control's name as a sample row,
//                placed by Alignment, in FontNormal; 5. a dotted frame around the first row;
//   run time:    the rows (PaintRows), unless the list is empty or a layout pass is running.
// PaintRows: stop while the control is hidden; the mark; each row in view; the focus rectangle.
// Nothing is buffered: what is drawn stays until painted over, and the focus rectangle, drawn by
// inversion, goes away only when its row is repainted.
#include "tavrin/Tavrin.h"

#include <algorithm>
#include <cmath>

#include "render/RenderSupport.h"
#include "render/RowGeometry.h"
#include "render/RowLook.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using render::ignoringFailures;

namespace {

constexpr int16_t kRequiredMarkSize = 5; // the mark's corner lines sit this far inside the border

} // namespace

void Tavrin::iUC_Paint() {
    if (!site().AmbientUserMode()) {
        paintDesignPreview();
        return;
    }
    if (ListCount() >= 1 && !p_InLayout) PaintRows();
}

// What a form designer shows: no items, the control's own name as a sample row and the first
// row's frame, whether or not the control would show focus.
void Tavrin::paintDesignPreview() {
    ignoringFailures([&] { iUC().Cls(); });
    if (RequiredField_) ignoringFailures([&] { DrawRequiredMark(); });
    const int32_t left = rowLeft();
    ignoringFailures([&] {
        const std::u16string name = site().AmbientDisplayName();
        placeSampleText(left, name);
        gdi().SetTextColor(iUC().hDC(), p_FontNormalRGB);
        iUC().Print(name);
    });
    ignoringFailures([&] {
        const double scaleWidth = userControl().ScaleWidth();
        const int32_t right = render::surfaceWidthLessFrame(
            scaleWidth, 0, Appearance() != AppearanceCts::Appearance3D, BorderWidth_);
        gdi().DrawFocusRect(iUC().hDC(), platform::RECT{left, 0, right, p_RowHeight});
    });
}

// Centred and right-aligned samples are placed across the whole control; left-aligned ones where a
// row's text would start. Any other alignment value leaves the print position where Cls put it.
void Tavrin::placeSampleText(int32_t left, const std::u16string& name) {
    const double scaleWidth = userControl().ScaleWidth();
    switch (Alignment_) {
    case AlignmentCts::AlignLeft:
        iUC().SetCurrentX(left + ItemOffset_ + ItemTextLeft_);
        break;
    case AlignmentCts::AlignCenter:
        iUC().SetCurrentX((scaleWidth - iUC().TextWidth(name)) * 0.5);
        break;
    case AlignmentCts::AlignRight:
        iUC().SetCurrentX(scaleWidth - iUC().TextWidth(name) - ItemOffset_);
        break;
    default:
        break;
    }
    iUC().SetCurrentY(ItemOffset_);
}

// Rows are not painted while the control is hidden on its form. A row that fails to paint does
// not stop the others.
void Tavrin::PaintRows() {
    bool visible = false;
    ignoringFailures([&] { visible = site().ExtenderVisible(); });
    if (!visible) return;
    RowLook look = currentRowLook();
    if (RequiredField_) ignoringFailures([&] { DrawRequiredMark(); });
    const double top = topRow();
    const double lastInView = top + p_VisibleRows - 1;
    const int16_t first = topRowIndex();
    const int16_t last = static_cast<int16_t>(std::min<double>(std::floor(lastInView), ListCount() - 1));
    // Rows still on the surface as they would be painted are kept or moved (RowReuse.cpp).
    std::vector<bool> done;
    if (first <= last && top == first && rowsReusable(look)) done = reuseRows(first, last);
    bool failed = false;
    for (int32_t index = first; index <= last; ++index) {
        if (!done.empty() && done[static_cast<size_t>(index - first)]) continue;
        try {
            paintRow(look, static_cast<int16_t>(index), top);
        } catch (const std::exception&) {
            failed = true; // as any failure of a row: the others are painted all the same
        }
    }
    ignoringFailures([&] { DrawFocus(ListIndex_); });
    recordRows(failed ? RowLook{} : std::move(look), top, first, last);
}

// Only while the control has the focus and Focus is on, and only for a row in view (so -1 never).
void Tavrin::DrawFocus(int16_t index) {
    if (!Focus_ || !p_HasFocus) return;
    const double top = topRow();
    if (!render::rowInView(index, top, p_VisibleRows)) return;
    const int32_t rowTop = render::rowTopOf(index, top, p_RowHeight);
    p_RowRect = render::rowRectOf(rowLeft(), rowTop, p_RowRect.right, p_RowHeight);
    gdi().SetTextColor(iUC().hDC(), p_FontSelectedRGB);
    gdi().DrawFocusRect(iUC().hDC(), p_RowRect);
}

// The mark's picture sits in the top-left corner inside the border; lines in BorderColor close it
// towards the border, and a few pixels in the surface's background colour round its inner corner.
void Tavrin::DrawRequiredMark() {
    if (!p_RequiredPicture) return;
    const double b = BorderWidth_;
    const double corner = b + kRequiredMarkSize;
    iUC().PaintPicture(p_RequiredPicture.get(), b, b);
    const uint32_t border = TranslateColor(BorderColor_);
    iUC().Line(corner, 0, corner, corner, border);
    iUC().Line(0, corner, corner, corner, border);
    const uint32_t background = TranslateColor(iUC().BackColor());
    iUC().Line(b + 4, b, b + 4, b + 4, background);
    iUC().Line(b, b + 4, b + 4, b + 4, background);
    iUC().Line(b, b, b + 2, b, background);
    iUC().Line(b, b + 1, b + 1, b + 1, background);
    iUC().PSet(b, b + 2, background);
}

// In Flat appearance the border is the control's own background around the inset drawing surface,
// so the host repaints that surface. The lets of Appearance, BorderColor and BorderWidth check the
// flag so that an assignment made while the refresh runs does not start another one.
void Tavrin::RefreshBorder() {
    render::FlagScope refreshing(p_BorderRefresh);
    if (Appearance() == AppearanceCts::Flat) userControl().Refresh();
}

} // namespace tavrin
