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
#include "tavrin/automation/Conversions.h"

namespace tavrin {

using platform::HDC;
using platform::RECT;
using render::ignoringFailures;
using render::OwnedGdiObject;
using render::SelectedGdiObject;

namespace {

constexpr int16_t kImageStyleTransparent = 1;
constexpr int32_t kSubscriptOutOfRange = 9;

// The gradient vertices as the device context takes them: from the top-left corner to the
// bottom-right one, alpha unused.
platform::TRIVERTEX vertexAt(int32_t x, int32_t y, const Vertex& colour) {
    return {x, y, colour[0], colour[1], colour[2], 0};
}

uint32_t textFormat(bool wordWrap, int32_t alignment) {
    if (wordWrap) return static_cast<uint32_t>(alignment) | platform::DT_WORDBREAK;
    return platform::DT_SINGLELINE | platform::DT_VCENTER;
}

} // namespace

void Tavrin::DrawItem(int16_t index) {
    const double top = topRow();
    if (index < top || index > top + p_VisibleRows - 1) return;

    const int32_t rowTop = roundToI4((index - top) * p_RowHeight);
    p_RowRect.left = rowLeft();
    p_RowRect.top = rowTop;
    p_RowRect.bottom = roundToI4(static_cast<double>(rowTop) + p_RowHeight);
    iUC().SetFontUnderline(false);

    // A row in view past the spare slot has no item to paint: the host's "subscript out of range".
    if (index < 0 || static_cast<size_t>(index) >= p_Items.size()) raise(kSubscriptOutOfRange);
    const bool selected = p_Selected[static_cast<size_t>(index)] != 0;
    if (selected)
        paintSelectedBackground();
    else
        paintNormalBackground();

    if (p_ImageList) ignoringFailures([&] { drawItemImage(index, selected); });
    if (selected && SelectModeStyle_ == Dither)
        ignoringFailures([&] { PatternAnd(iUC().hDC(), p_RowRect, p_BackSelectedRGB); });
    ignoringFailures([&] { drawItemText(index); });
}

void Tavrin::paintNormalBackground() {
    FillSolid(iUC().hDC(), p_RowRect, p_BackNormalRGB);
    gdi().SetTextColor(iUC().hDC(), p_FontNormalRGB);
}

// One case per selection style. A style outside the list paints no background and leaves the text
// colour as it was.
void Tavrin::paintSelectedBackground() {
    const HDC dc = iUC().hDC();
    switch (SelectModeStyle_) {
    case Standard:
        FillSolid(dc, p_RowRect, p_BackSelectedRGB);
        break;
    case Dither:
        FillSolid(dc, p_RowRect, p_BackNormalRGB);
        break; // the pattern follows the image
    case Gradient_V:
        FillGradient(dc, p_RowRect, p_GradientFrom, p_GradientTo, platform::GRADIENT_FILL_RECT_V);
        break;
    case Gradient_H:
        FillGradient(dc, p_RowRect, p_GradientFrom, p_GradientTo, platform::GRADIENT_FILL_RECT_H);
        break;
    case Box:
        FillSolid(dc, p_RowRect, p_BackNormalRGB);
        DrawRoundBox(dc, p_RowRect, BoxOffset_, BoxRadius_, p_BackSelectedRGB, p_BoxBorderRGB);
        break;
    case Underline:
        FillSolid(dc, p_RowRect, p_BackNormalRGB);
        break;
    case byPicture:
        paintSelectionPicture();
        break;
    default:
        return;
    }
    gdi().SetTextColor(iUC().hDC(), p_FontSelectedRGB);
    if (SelectModeStyle_ == Underline) iUC().SetFontUnderline(true);
}

// The picture is stretched from the row's left to a width equal to the rows' right edge, so with a
// left margin it runs past the row by that margin, where the surface clips it.
void Tavrin::paintSelectionPicture() {
    if (!SelectionPicture_) {
        FillSolid(iUC().hDC(), p_RowRect, p_BackSelectedRGB);
        return;
    }
    iUC().PaintPicture(SelectionPicture_.get(), p_RowRect.left, p_RowRect.top, p_RowRect.right, p_RowHeight);
}

// Positions are worked out in pixels and handed to the image list in its parent's scale mode.
// An index the image list does not hold (0 by default) fails here and draws nothing.
void Tavrin::drawItemImage(int16_t index, bool selected) {
    const Item& item = p_Items[static_cast<size_t>(index)];
    const int16_t image = selected ? item.IconSelected : item.Icon;
    const double x = p_RowRect.left + ItemOffset_;
    const double y = WordWrap_ ? p_RowRect.top + ItemOffset_
                               : p_RowRect.top + (p_RowHeight - p_ImageList->ImageHeight()) * 0.5;
    const auto mode = static_cast<platform::ScaleMode>(p_ImageScaleMode);
    const double scaledX = services().ScaleX(x, platform::ScaleMode::Pixels, mode);
    const double scaledY = services().ScaleY(y, platform::ScaleMode::Pixels, mode);
    p_ImageList->Draw(image, iUC().hDC(), scaledX, scaledY, kImageStyleTransparent);
}

// The text starts ItemTextLeft after the image's left edge whether or not there is an image.
// Wrapped text keeps ItemOffset from the top and bottom; one line uses the whole row height.
void Tavrin::drawItemText(int16_t index) {
    RECT text = p_RowRect;
    text.left = p_RowRect.left + ItemOffset_ + ItemTextLeft_;
    text.right = p_RowRect.right - ItemOffset_;
    if (WordWrap_) {
        text.top = p_RowRect.top + ItemOffset_;
        text.bottom = p_RowRect.bottom - ItemOffset_;
    }
    const std::u16string_view caption = p_Items[static_cast<size_t>(index)].Text;
    gdi().DrawTextA(iUC().hDC(), caption, text, textFormat(WordWrap_, Alignment_));
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
