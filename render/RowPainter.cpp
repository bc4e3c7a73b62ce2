// Painting one row: background by selection style, image, text.
//
// DrawItem, in order:
//   1. rows outside the view draw nothing;
//   2. the row rectangle: from the row's left (LeftMargin, 6 more with RequiredField) to the right
//      edge that the layout set, one row height tall;
//   3. underline off;
//   4. background and text colour: the selection style for a selected item, BackNormal otherwise;
//   5. the item's image (IconSelected when selected), centred vertically or, wrapped, at the top;
//   6. Dither: the whole row ANDed with BackSelected, image included;
//   7-8. the text, one vertically centred line or wrapped at words by Alignment.
// Steps 1-4 raise their failures; from step 5 on a failing step is skipped and the row finished.
// The row is painted completely, so callers never clear it first.
#include "tavrin/Tavrin.h"

#include "render/RenderSupport.h"
#include "render/RowGeometry.h"
#include "render/RowLook.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using platform::HDC;
using platform::RECT;
using render::ignoringFailures;
using render::OwnedGdiObject;
using render::SelectedGdiObject;

namespace {

constexpr int16_t kImageStyleTransparent = 1;

// The gradient vertices as the device context takes them: from the top-left corner to the
// bottom-right one, alpha unused.
platform::TRIVERTEX vertexAt(int32_t x, int32_t y, const Vertex& colour) {
    return {x, y, colour[0], colour[1], colour[2], 0};
}

uint32_t textFormat(bool wordWrap, AlignmentCts alignment) {
    if (wordWrap) return static_cast<uint32_t>(static_cast<int32_t>(alignment)) | platform::DT_WORDBREAK;
    return platform::DT_SINGLELINE | platform::DT_VCENTER;
}

} // namespace

void Tavrin::DrawItem(int16_t index) {
    const double top = topRow();
    if (!render::rowInView(index, top, p_VisibleRows)) return;
    paintRow(currentRowLook(), index, top);
}

// Paints row `index` of a view whose top row is `top` from the look alone; the item's own part of
// the look is taken once the row's rectangle is known.
void Tavrin::paintRow(const RowLook& look, int16_t index, double top) {
    const int32_t rowTop = render::rowTopOf(index, top, look.rowHeight);
    p_RowRect = render::rowRectOf(render::rowLeftOf(look.leftMargin, look.requiredField), rowTop, look.right,
                                  look.rowHeight);
    iUC().SetFontUnderline(false);

    // A row in view past the spare slot has no item to paint: the host's "subscript out of range".
    if (index < 0 || static_cast<size_t>(index) >= p_Items.size()) raise(err::SubscriptOutOfRange);
    const RowContent row = rowContent(index);
    const RECT rect = p_RowRect;
    if (row.selected)
        paintSelectedBackground(look, rect);
    else
        paintNormalBackground(look, rect);

    if (look.imageList) ignoringFailures([&] { drawItemImage(look, row, rect); });
    if (row.selected && look.style == SelectModeStyleCts::Dither)
        ignoringFailures([&] { PatternAnd(iUC().hDC(), rect, look.backSelected); });
    ignoringFailures([&] {
        RECT text = render::textRectOf(rect, look.itemOffset, look.itemTextLeft, look.wordWrap);
        gdi().DrawTextA(iUC().hDC(), row.text.view(), text, textFormat(look.wordWrap, look.alignment));
    });
}

void Tavrin::paintNormalBackground(const RowLook& look, const RECT& rect) {
    FillSolid(iUC().hDC(), rect, look.backNormal);
    gdi().SetTextColor(iUC().hDC(), look.fontNormal);
}

// One case per selection style. A style outside the list paints no background and leaves the text
// colour as it was.
void Tavrin::paintSelectedBackground(const RowLook& look, const RECT& rect) {
    const HDC dc = iUC().hDC();
    switch (look.style) {
    case SelectModeStyleCts::Standard:
        FillSolid(dc, rect, look.backSelected);
        break;
    case SelectModeStyleCts::Dither:
        FillSolid(dc, rect, look.backNormal);
        break; // the pattern follows the image
    case SelectModeStyleCts::Gradient_V:
        FillGradient(dc, rect, look.gradientFrom, look.gradientTo, platform::GRADIENT_FILL_RECT_V);
        break;
    case SelectModeStyleCts::Gradient_H:
        FillGradient(dc, rect, look.gradientFrom, look.gradientTo, platform::GRADIENT_FILL_RECT_H);
        break;
    case SelectModeStyleCts::Box: {
        FillSolid(dc, rect, look.backNormal);
        RECT box = rect;
        DrawRoundBox(dc, box, look.boxOffset, look.boxRadius, look.backSelected, look.boxBorder);
        break;
    }
    case SelectModeStyleCts::Underline:
        FillSolid(dc, rect, look.backNormal);
        break;
    case SelectModeStyleCts::byPicture:
        paintSelectionPicture(look, rect);
        break;
    default:
        return;
    }
    gdi().SetTextColor(dc, look.fontSelected);
    if (look.style == SelectModeStyleCts::Underline) iUC().SetFontUnderline(true);
}

// The picture is stretched from the row's left to a width equal to the rows' right edge, so with a
// left margin it runs past the row by that margin, where the surface clips it.
void Tavrin::paintSelectionPicture(const RowLook& look, const RECT& rect) {
    if (!look.selectionPicture) {
        FillSolid(iUC().hDC(), rect, look.backSelected);
        return;
    }
    iUC().PaintPicture(look.selectionPicture.get(), rect.left, rect.top, rect.right, look.rowHeight);
}

// Positions are worked out in pixels and handed to the image list in its parent's scale mode.
// An index the image list does not hold (0 by default) fails here and draws nothing.
void Tavrin::drawItemImage(const RowLook& look, const RowContent& row, const RECT& rect) {
    const int16_t image = row.selected ? row.iconSelected : row.icon;
    const double x = rect.left + look.itemOffset;
    const double y = look.wordWrap ? rect.top + look.itemOffset
                                   : rect.top + (look.rowHeight - look.imageList->ImageHeight()) * 0.5;
    const auto mode = static_cast<platform::ScaleMode>(look.imageScaleMode);
    const double scaledX = services().ScaleX(x, platform::ScaleMode::Pixels, mode);
    const double scaledY = services().ScaleY(y, platform::ScaleMode::Pixels, mode);
    look.imageList->Draw(image, iUC().hDC(), scaledX, scaledY, kImageStyleTransparent);
}

// ---- the four drawing routines; every brush and pen lives only for its one call

void Tavrin::FillSolid(HDC dc, const RECT& r, uint32_t rgb) {
    OwnedGdiObject brush(gdi(), gdi().CreateSolidBrush(rgb));
    gdi().FillRect(dc, r, brush.get());
}

void Tavrin::PatternAnd(HDC dc, const RECT& r, uint32_t rgb) {
    SelectedGdiObject brush(gdi(), dc, gdi().CreateSolidBrush(rgb));
    gdi().PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, platform::ROP_DPa);
}

void Tavrin::FillGradient(HDC dc, const RECT& r, const Vertex& from, const Vertex& to, uint32_t mode) {
    const platform::TRIVERTEX vertices[2] = {vertexAt(r.left, r.top, from), vertexAt(r.right, r.bottom, to)};
    const platform::GRADIENT_RECT joined{0, 1};
    gdi().GradientFill(dc, vertices, 2, &joined, 1, mode);
}

// The box is the row inset by `inset` on every side; a radius of 0 gives square corners. The
// shared rectangle is moved back out afterwards, so callers see it unchanged.
void Tavrin::DrawRoundBox(HDC dc, RECT& r, int16_t inset, int16_t radius, uint32_t fill, uint32_t outline) {
    SelectedGdiObject brush(gdi(), dc, gdi().CreateSolidBrush(fill));
    SelectedGdiObject pen(gdi(), dc, gdi().CreatePen(platform::PS_SOLID, 1, outline));
    platform::InflateRect(r, -inset, -inset);
    gdi().RoundRect(dc, r.left, r.top, r.right, r.bottom, radius, radius);
    platform::InflateRect(r, inset, inset);
}

} // namespace tavrin
