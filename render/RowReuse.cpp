// Keeping rows across repaints.
//
// PaintRows paints every row in view completely, and a row's pixels depend only on its item and on
// the list's looks, never on where the row stands: the background, gradient, box and picture fill
// the row rectangle and the text is clipped to it. So while the surface still holds what the last
// PaintRows left (its revision has not moved) and the looks are the same, a row whose text and
// selected flag are unchanged can stay where it is, or move by whole rows when the list scrolled,
// and the surface ends exactly as a full repaint would leave it. Rows are reused only where that
// holds:
//   - no image list (an image can reach past its row, and the list's images can change unseen);
//   - no required-field mark (it is drawn first and can reach into the first rows);
//   - a selection style of the list; the picture style only without a left margin (the picture is
//     stretched to a width equal to the rows' right edge, so a margin pushes it past the row); the
//     box style only inset into the row;
//   - whole top rows, before and now, on a surface in pixels;
//   - a source row wholly on the surface, completely painted, and not the one the focus rectangle
//     was drawn over (the rectangle is drawn afresh over clean pixels after the rows);
//   - the last row drawn is always painted, so that the row rectangle, the text colour and the
//     underline end as a full repaint leaves them.
// Moves keep the order that never overwrites a row still to be moved: rows going up are moved from
// the top down, rows going down from the bottom up, and every row painted afresh after all moves.
#include "render/RowLook.h"

#include "render/RowGeometry.h"

#include <cmath>

namespace tavrin {

Tavrin::RowLook Tavrin::currentRowLook() const {
    const platform::DrawingSurface& surface = *iUC_;
    RowLook look;
    look.surfaceWidth = surface.ScaleWidth();
    look.surfaceHeight = surface.ScaleHeight();
    look.scaleMode = surface.scaleMode();
    look.font = surface.Font();
    look.font.underline = false; // each row sets it for itself
    look.rowHeight = p_RowHeight;
    look.leftMargin = LeftMargin_;
    look.requiredField = RequiredField_;
    look.right = p_RowRect.right;
    look.style = SelectModeStyle_;
    look.backNormal = p_BackNormalRGB;
    look.backSelected = p_BackSelectedRGB;
    look.fontNormal = p_FontNormalRGB;
    look.fontSelected = p_FontSelectedRGB;
    look.boxBorder = p_BoxBorderRGB;
    look.gradientFrom = p_GradientFrom;
    look.gradientTo = p_GradientTo;
    look.boxOffset = BoxOffset_;
    look.boxRadius = BoxRadius_;
    look.itemOffset = ItemOffset_;
    look.itemTextLeft = ItemTextLeft_;
    look.wordWrap = WordWrap_;
    look.alignment = Alignment_;
    look.selectionPicture = SelectionPicture_;
    look.imageList = p_ImageList;
    look.imageScaleMode = p_ImageScaleMode;
    return look;
}

Tavrin::RowContent Tavrin::rowContent(int16_t index) const {
    const Item& item = p_Items[static_cast<size_t>(index)];
    return {item.Text, item.Icon, item.IconSelected, p_Selected[static_cast<size_t>(index)] != 0};
}

// Whether rows painted with this look can be kept at all (see the list at the top).
bool Tavrin::reusableLook(const RowLook& look) const {
    int32_t left = 0;
    try {
        left = render::rowLeftOf(look.leftMargin, look.requiredField);
    } catch (const AutomationError&) {
        return false; // each row will fail on it as it always does
    }
    const bool knownStyle =
        look.style >= SelectModeStyleCts::Standard && look.style <= SelectModeStyleCts::byPicture;
    return iUC_->contentRevision() != 0 && look.scaleMode == platform::ScaleMode::Pixels &&
           look.rowHeight > 0 && !look.imageList && !look.requiredField && knownStyle &&
           !(look.style == SelectModeStyleCts::byPicture && left > 0) &&
           !(look.style == SelectModeStyleCts::Box && look.boxOffset < 0);
}

bool Tavrin::rowsReusable(const RowLook& look) const {
    return paintedRows_ && paintedRows_->revision != 0 && paintedRows_->look == look &&
           iUC_->contentRevision() == paintedRows_->revision;
}

// Keeps or moves what it can of rows first..last, first being the whole top row (last is never
// reused); returns, per row, whether it is done.
std::vector<bool> Tavrin::reuseRows(int16_t first, int16_t last) {
    PaintedRows& painted = *paintedRows_;
    std::vector<bool> done(static_cast<size_t>(last - first + 1), false);
    const int32_t h = p_RowHeight;
    const int32_t dy = (painted.top - first) * h; // the first row in view is the top row
    auto reusable = [&](int32_t index) {
        const int32_t at = index - painted.first;
        if (index >= last || at < 0 || at >= static_cast<int32_t>(painted.rows.size())) return false;
        const PaintedRows::Row& row = painted.rows[static_cast<size_t>(at)];
        return row.reusable && row.content == rowContent(static_cast<int16_t>(index));
    };
    // Runs of consecutive reusable rows, moved as one band each, in the order that keeps sources.
    auto moveRun = [&](int32_t from, int32_t to) {
        const int32_t oldTop = (from - painted.top) * h;
        const int32_t left = render::rowLeftOf(painted.look.leftMargin, painted.look.requiredField);
        const platform::RECT band{left, oldTop, painted.look.right, oldTop + (to - from + 1) * h};
        if (dy != 0 && !iUC_->moveBand(band, dy)) return;
        for (int32_t i = from; i <= to; ++i)
            done[static_cast<size_t>(i - first)] = true;
    };
    const bool upwards = dy <= 0;
    int32_t index = upwards ? first : last;
    while (upwards ? index <= last : index >= first) {
        if (!reusable(index)) {
            index += upwards ? 1 : -1;
            continue;
        }
        int32_t end = index;
        while (reusable(upwards ? end + 1 : end - 1))
            end += upwards ? 1 : -1;
        moveRun(std::min(index, end), std::max(index, end));
        index = end + (upwards ? 1 : -1);
    }
    return done;
}

void Tavrin::recordRows(RowLook look, double top, int16_t first, int16_t last) {
    if (!paintedRows_) paintedRows_ = std::make_shared<PaintedRows>();
    PaintedRows& painted = *paintedRows_;
    painted.revision = 0;
    if (!reusableLook(look) || top != std::floor(top) || last < first) return;
    const bool focusDrawn = Focus_ && p_HasFocus && render::rowInView(ListIndex_, top, p_VisibleRows);
    painted.look = std::move(look);
    painted.top = static_cast<int16_t>(top);
    painted.first = first;
    painted.rows.resize(static_cast<size_t>(last - first + 1));
    for (int32_t index = first; index <= last; ++index) {
        PaintedRows::Row& row = painted.rows[static_cast<size_t>(index - first)];
        const int32_t rowTop = (index - painted.top) * p_RowHeight;
        row.content = rowContent(static_cast<int16_t>(index));
        row.reusable = rowTop >= 0 && rowTop + p_RowHeight <= painted.look.surfaceHeight &&
                       !(focusDrawn && index == ListIndex_);
    }
    painted.revision = iUC_->contentRevision();
}

} // namespace tavrin
