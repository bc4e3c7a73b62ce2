// The members of a drawing surface that the controls use besides the device context.
//
// Coordinates are in the surface's scale: pixels for the list and its drawing surface, twips for
// the scroll bar. Colours passed to BackColor are host colours (a system colour reference is
// resolved when the surface clears); those passed to Line and PSet are RGB.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "tavrin/platform/Font.h"
#include "tavrin/platform/Gdi.h"
#include "tavrin/platform/Picture.h"

namespace tavrin::platform {

enum class ScaleMode : int16_t {
    User = 0,
    Twips = 1,
    Points = 2,
    Pixels = 3,
    Characters = 4,
    Inches = 5,
    Millimeters = 6,
    Centimeters = 7
};

// Twips in one unit of a fixed scale mode, horizontally or vertically; 0 for pixels and the user
// scale, whose size belongs to the screen or to a window.
inline double twipsPerUnit(ScaleMode mode, bool vertical) {
    switch (mode) {
    case ScaleMode::Twips:
        return 1;
    case ScaleMode::Points:
        return 20;
    case ScaleMode::Characters:
        return vertical ? 240 : 120;
    case ScaleMode::Inches:
        return 1440;
    case ScaleMode::Millimeters:
        return 1440 / 25.4;
    case ScaleMode::Centimeters:
        return 1440 / 2.54;
    default:
        return 0;
    }
}

class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    virtual HDC hDC() = 0;
    virtual uint32_t BackColor() const = 0; // the host colour as set
    virtual void SetBackColor(uint32_t oleColor) = 0;
    virtual void Cls() = 0; // clear to BackColor, CurrentX/Y to 0

    // The font of the surface and of its device context.
    virtual FontDesc Font() const = 0;
    virtual void SetFont(const FontDesc& font) = 0;
    virtual bool FontUnderline() const = 0;
    virtual void SetFontUnderline(bool underline) = 0;

    virtual double TextHeight(std::u16string_view text) = 0; // scale units; "" is one line
    virtual double TextWidth(std::u16string_view text) = 0;
    virtual double CurrentX() const = 0;
    virtual double CurrentY() const = 0;
    virtual void SetCurrentX(double x) = 0;
    virtual void SetCurrentY(double y) = 0;
    // Text at CurrentX/CurrentY (top-left) in the device context's text colour; moves CurrentY a line down.
    virtual void Print(std::u16string_view text) = 0;

    // A one-pixel line; the end point itself is not drawn.
    virtual void Line(double x1, double y1, double x2, double y2, uint32_t rgb) = 0;
    virtual void PSet(double x, double y, uint32_t rgb) = 0;
    virtual uint32_t Point(double x, double y) const = 0; // RGB, or 0xFFFFFFFF outside
    // The whole picture at x, y, stretched to width x height when given (else its own size).
    // Raises an automation error for a null picture.
    virtual void PaintPicture(const Picture* picture, double x, double y, std::optional<double> width = {},
                              std::optional<double> height = {}) = 0;

    // A number that changes whenever the pixels may have changed; 0 when the surface cannot tell.
    // Lets a painter see that what it drew last is still there.
    virtual uint64_t contentRevision() const { return 0; }
    // The pixel rows where a drawing call puts vertical positions or lengths given in scale units,
    // rows[i] for ys[i] (the sizes match); false when the surface cannot tell or a value is out of
    // range. One call for all of them: a painter asks this for every draw it may leave out.
    virtual bool pixelRowsOf(std::span<const double> ys, std::span<int32_t> rows) const {
        (void)ys, (void)rows;
        return false;
    }
    // Moves the pixels of `band` by dy pixels down (up when negative), clipped to the surface,
    // as one copy; false when the surface cannot.
    virtual bool moveBand(const RECT& band, int32_t dy) {
        (void)band, (void)dy;
        return false;
    }

    virtual ScaleMode scaleMode() const = 0;
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
};

} // namespace tavrin::platform
