// The software surface: its pixels, its fills, and the host members of a drawing surface.
//
// 1. Every fill clips its rectangle to the surface once and then runs one span loop; the pixel
//    operation (copy, AND, XOR, gradient colour) is a small functor.
// 2. Gradients take their colours from the rectangle as given, so a clipped gradient shows the
//    same colours where it is visible as an unclipped one.
// 3. The host members work in the surface's scale and convert to whole pixels, halves to even.
#include "platform/software/SoftwareSurface.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <cwchar>

#include "platform/software/GlyphRun.h"
#include "platform/software/Text.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Limits.h"

namespace tavrin::software {

using platform::RECT;

namespace {

// n pixels of one colour. Where wchar_t is 32 bits the C library's wide fill does it with the
// widest stores the processor has; a plain loop is not vectorised at our optimisation level.
void fillSpan(uint32_t* at, size_t n, uint32_t rgb) {
    if constexpr (sizeof(wchar_t) == sizeof(uint32_t)) {
        static_assert(alignof(wchar_t) <= alignof(uint32_t));
        std::wmemset(reinterpret_cast<wchar_t*>(at), static_cast<wchar_t>(rgb), n);
    } else {
        std::fill_n(at, n, rgb);
    }
}

struct CopyOp {
    uint32_t rgb;
    void operator()(uint32_t* row, int32_t x0, int32_t x1, int32_t) const {
        fillSpan(row + x0, static_cast<size_t>(x1 - x0), rgb);
    }
};
struct AndOp {
    uint32_t rgb;
    void operator()(uint32_t* row, int32_t x0, int32_t x1, int32_t) const {
        for (int32_t x = x0; x < x1; ++x)
            row[x] &= rgb;
    }
};
struct XorOp {
    uint32_t rgb;
    void operator()(uint32_t* row, int32_t x0, int32_t x1, int32_t) const {
        for (int32_t x = x0; x < x1; ++x)
            row[x] ^= rgb;
    }
};

// The colour at step i of n between two 16-bit vertex colours: the high byte of each channel.
uint32_t blend(const platform::TRIVERTEX& from, const platform::TRIVERTEX& to, int64_t i, int64_t n) {
    auto channel = [i, n](uint16_t a, uint16_t b) {
        int64_t value = a + (static_cast<int64_t>(b) - a) * i / n;
        return static_cast<uint32_t>(value >> 8) & 0xFF;
    };
    return channel(from.Red, to.Red) | channel(from.Green, to.Green) << 8 | channel(from.Blue, to.Blue) << 16;
}

// Half of a rounded corner's extent that a row at distance d (pixel centres) from the corner's
// flat edge gives up: the horizontal inset of the quarter-ellipse there.
int32_t cornerInset(double radiusX, double radiusY, double rowCentreFromEdge) {
    double dy = radiusY - rowCentreFromEdge;
    if (dy <= 0) return 0;
    double t = 1.0 - (dy * dy) / (radiusY * radiusY);
    double dx = radiusX * std::sqrt(std::max(0.0, t));
    return static_cast<int32_t>(std::lround(std::max(0.0, radiusX - dx)));
}

constexpr double kMaxPixelCoordinate = 1 << 24;

// A coordinate in pixels rounded to the whole pixel a drawing call uses; false when no drawing
// call can reach it.
bool wholePixel(double px, int32_t& out) {
    const double whole = roundHalfEven(px);
    if (!(std::abs(whole) <= kMaxPixelCoordinate)) return false;
    out = static_cast<int32_t>(whole);
    return true;
}

size_t pixelCount(int32_t width, int32_t height) {
    platform::limits::checkPixels(width, height, "a drawing surface");
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}

} // namespace

// Revisions are unique among all surfaces, so that a surface made anew never repeats one.
void SoftwareSurface::touch() const {
    static std::atomic<uint64_t> last{0};
    revision_ = last.fetch_add(1, std::memory_order_relaxed) + 1;
}

SoftwareSurface::SoftwareSurface(SoftwareGdi& gdi, int32_t width, int32_t height, platform::ScaleMode mode,
                                 double twipsPerPixel)
    : gdi_(gdi), width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(pixelCount(width_, height_), 0), mode_(mode),
      twipsPerPixel_(twipsPerPixel > 0 ? twipsPerPixel : 15.0), dc_(gdi.registerSurface(this)) {
    std::fill(pixels_.begin(), pixels_.end(), resolvedBackColor());
    touch();
}

SoftwareSurface::~SoftwareSurface() {
    gdi_.unregisterSurface(dc_);
}

void SoftwareSurface::resize(int32_t width, int32_t height) {
    touch();
    flushPending();
    width = std::max(0, width);
    height = std::max(0, height);
    platform::limits::checkPixels(width, height, "a drawing surface");
    std::vector<uint32_t> grown(static_cast<size_t>(width) * height, resolvedBackColor());
    for (int32_t y = 0; y < std::min(height, height_); ++y)
        std::copy_n(pixels_.begin() + static_cast<ptrdiff_t>(y) * width_, std::min(width, width_),
                    grown.begin() + static_cast<ptrdiff_t>(y) * width);
    pixels_ = std::move(grown);
    width_ = width;
    height_ = height;
}

uint32_t SoftwareSurface::pixelAt(int32_t x, int32_t y) const {
    flushPending();
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

uint32_t SoftwareSurface::resolvedBackColor() const {
    return gdi_.resolveColor(backColor_);
}

// ---- fills -------------------------------------------------------------------------------------

template <class SpanOp> void SoftwareSurface::forEachSpan(const RECT& r, SpanOp op) {
    touch();
    flushPending();
    const int32_t x0 = std::max(r.left, 0), x1 = std::min(r.right, width_);
    const int32_t y0 = std::max(r.top, 0), y1 = std::min(r.bottom, height_);
    if (x0 >= x1) return;
    for (int32_t y = y0; y < y1; ++y)
        op(pixels_.data() + static_cast<size_t>(y) * width_, x0, x1, y);
}

void SoftwareSurface::fillRect(const RECT& r, uint32_t rgb) {
    forEachSpan(r, CopyOp{rgb & 0xFFFFFF});
}
void SoftwareSurface::andRect(const RECT& r, uint32_t rgb) {
    forEachSpan(r, AndOp{rgb & 0xFFFFFF});
}
void SoftwareSurface::xorRect(const RECT& r, uint32_t rgb) {
    forEachSpan(r, XorOp{rgb & 0xFFFFFF});
}
void SoftwareSurface::xorPixel(int32_t x, int32_t y, uint32_t rgb) {
    xorRect({x, y, x + 1, y + 1}, rgb);
}
void SoftwareSurface::setPixel(int32_t x, int32_t y, uint32_t rgb) {
    fillRect({x, y, x + 1, y + 1}, rgb);
}

void SoftwareSurface::gradientRect(const RECT& r, const platform::TRIVERTEX& from,
                                   const platform::TRIVERTEX& to, bool vertical) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    if (vertical) {
        const int64_t n = static_cast<int64_t>(r.bottom) - r.top;
        forEachSpan(r, [&](uint32_t* row, int32_t x0, int32_t x1, int32_t y) {
            fillSpan(row + x0, static_cast<size_t>(x1 - x0), blend(from, to, y - r.top, n));
        });
        return;
    }
    // Every row of a horizontal gradient is the same: the first visible row is worked out colour by
    // colour, the others are copies of it.
    const int64_t n = static_cast<int64_t>(r.right) - r.left;
    const uint32_t* first = nullptr;
    forEachSpan(r, [&](uint32_t* row, int32_t x0, int32_t x1, int32_t) {
        if (first) {
            std::memcpy(row + x0, first, static_cast<size_t>(x1 - x0) * sizeof(uint32_t));
            return;
        }
        for (int32_t x = x0; x < x1; ++x)
            row[x] = blend(from, to, x - r.left, n);
        first = row + x0;
    });
}

void SoftwareSurface::roundRect(const RECT& r, int32_t cornerWidth, int32_t cornerHeight,
                                std::optional<uint32_t> penRgb, uint32_t brushRgb) {
    const int64_t w = int64_t{r.right} - r.left, h = int64_t{r.bottom} - r.top;
    if (w <= 0 || h <= 0) return;
    const double radiusX = static_cast<double>(std::min<int64_t>(std::max(cornerWidth, 0), w)) / 2.0;
    const double radiusY = static_cast<double>(std::min<int64_t>(std::max(cornerHeight, 0), h)) / 2.0;
    const bool rounded = radiusX > 0.5 && radiusY > 0.5;
    // The shape's span of row y: [left + inset, right - inset).
    auto insetOf = [&](int32_t y) {
        if (!rounded || y < r.top || y >= r.bottom) return 0;
        double fromEdge = static_cast<double>(std::min(int64_t{y} - r.top, int64_t{r.bottom} - 1 - y)) + 0.5;
        return cornerInset(radiusX, radiusY, fromEdge);
    };
    for (int32_t y = std::max(r.top, 0); y < std::min(r.bottom, height_); ++y) {
        const int32_t inset = insetOf(y);
        fillRect({r.left + inset, y, r.right - inset, y + 1}, brushRgb);
        if (!penRgb) continue;
        if (y == r.top || y == r.bottom - 1) {
            fillRect({r.left + inset, y, r.right - inset, y + 1}, *penRgb);
            continue;
        }
        // Border pixels: the ends of this row, and what sticks out beyond the row above or below.
        const int32_t outer = std::max(insetOf(y - 1), insetOf(y + 1));
        const int32_t edge = std::max(inset + 1, outer);
        fillRect({r.left + inset, y, r.left + edge, y + 1}, *penRgb);
        fillRect({r.right - edge, y, r.right - inset, y + 1}, *penRgb);
    }
}

void SoftwareSurface::focusRect(const RECT& r) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    auto dot = [&](int32_t x, int32_t y) {
        if ((int64_t{x} - r.left + int64_t{y} - r.top) % 2 == 0) xorPixel(x, y, 0xFFFFFF);
    };
    const int32_t x0 = std::max(r.left, -1), x1 = std::min(r.right, width_ + 1);
    const int32_t y0 = std::max(r.top + 1, -1), y1 = std::min(r.bottom - 1, height_ + 1);
    for (int32_t x = x0; x < x1; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 != r.top) dot(x, r.bottom - 1);
    }
    for (int32_t y = y0; y < y1; ++y) {
        dot(r.left, y);
        if (r.right - 1 != r.left) dot(r.right - 1, y);
    }
}

void SoftwareSurface::blit(const platform::Picture& picture, const RECT& dest, bool honourTransparency) {
    touch();
    flushPending();
    blitNow(picture, dest, honourTransparency);
}

bool SoftwareSurface::moveBand(const RECT& band, int32_t dy) {
    flushPending();
    touch();
    const int32_t x0 = std::max(band.left, 0), x1 = std::min(band.right, width_);
    // Destination rows inside both the surface and the moved band, their sources inside the surface.
    const int64_t y0 = std::max<int64_t>({int64_t{band.top} + dy, 0, int64_t{dy}});
    const int64_t y1 = std::min<int64_t>({int64_t{band.bottom} + dy, height_, int64_t{height_} + dy});
    if (x0 >= x1 || y0 >= y1) return true;
    const size_t bytes = static_cast<size_t>(x1 - x0) * sizeof(uint32_t);
    auto copyRow = [&](int64_t y) {
        std::memmove(pixels_.data() + y * width_ + x0, pixels_.data() + (y - dy) * width_ + x0, bytes);
    };
    if (dy > 0)
        for (int64_t y = y1 - 1; y >= y0; --y)
            copyRow(y);
    else
        for (int64_t y = y0; y < y1; ++y)
            copyRow(y);
    return true;
}

// Nearest-neighbour stretch: each destination pixel takes the source pixel under its centre. The
// source column of every destination column is worked out once per blit.
void SoftwareSurface::blitNow(const platform::Picture& picture, const RECT& dest,
                              bool honourTransparency) const {
    const int64_t dw = static_cast<int64_t>(dest.right) - dest.left,
                  dh = static_cast<int64_t>(dest.bottom) - dest.top;
    const int64_t pw = picture.width(), ph = picture.height();
    if (dw <= 0 || dh <= 0 || pw <= 0 || ph <= 0) return;
    const int32_t x0 = std::max(dest.left, 0), x1 = std::min(dest.right, width_);
    const int32_t y0 = std::max(dest.top, 0), y1 = std::min(dest.bottom, height_);
    if (x0 >= x1 || y0 >= y1) return;
    const int64_t transparent = honourTransparency ? picture.transparentColor() : -1;

    thread_local std::vector<int32_t> columns;
    columns.resize(static_cast<size_t>(x1 - x0));
    for (int32_t x = x0; x < x1; ++x)
        columns[static_cast<size_t>(x - x0)] =
            static_cast<int32_t>(((2 * (x - static_cast<int64_t>(dest.left)) + 1) * pw) / (2 * dw));
    const uint32_t* source = picture.pixels().data();
    if (dw == pw && transparent < 0) { // no horizontal stretch, every pixel opaque: rows are copies
        for (int32_t y = y0; y < y1; ++y) {
            const int64_t sy = ((2 * (y - static_cast<int64_t>(dest.top)) + 1) * ph) / (2 * dh);
            const uint32_t* from = source + sy * pw + (x0 - dest.left);
            uint32_t* row = pixels_.data() + static_cast<size_t>(y) * width_;
            for (int32_t x = x0; x < x1; ++x)
                row[x] = *from++ & 0xFFFFFF;
        }
        return;
    }
    for (int32_t y = y0; y < y1; ++y) {
        const int64_t sy = ((2 * (y - static_cast<int64_t>(dest.top)) + 1) * ph) / (2 * dh);
        const uint32_t* sourceRow = source + sy * pw;
        uint32_t* row = pixels_.data() + static_cast<size_t>(y) * width_;
        for (int32_t x = x0; x < x1; ++x) {
            const uint32_t px = sourceRow[columns[static_cast<size_t>(x - x0)]] & 0xFFFFFF;
            if (static_cast<int64_t>(px) != transparent) row[x] = px;
        }
    }
}

void SoftwareSurface::flushPending() const {
    if (!repaintPending_) return;
    repaintPending_ = false;
    // The clear is skipped where the first picture covers the whole surface: pending pictures are
    // drawn opaque, so nothing of the clear would be left.
    const bool covered = pendingCount_ > 0 && pendingPictures_[0].picture->width() > 0 &&
                         pendingPictures_[0].picture->height() > 0 && pendingPictures_[0].dest.left <= 0 &&
                         pendingPictures_[0].dest.top <= 0 && pendingPictures_[0].dest.right >= width_ &&
                         pendingPictures_[0].dest.bottom >= height_;
    if (!covered) fillSpan(pixels_.data(), pixels_.size(), pendingClearColor_ & 0xFFFFFF);
    for (size_t i = 0; i < pendingCount_; ++i)
        blitNow(*pendingPictures_[i].picture, pendingPictures_[i].dest, false);
    pendingCount_ = 0;
}

// ---- text --------------------------------------------------------------------------------------

SizedFont& SoftwareSurface::sizedFont() {
    if (!sizedFont_) sizedFont_ = &SizedFont::of(font_, twipsPerPixel_);
    return *sizedFont_;
}

int32_t SoftwareSurface::drawText(std::u16string_view text, RECT& rect, uint32_t format, uint32_t rgb) {
    touch();
    flushPending();
    TextTarget target{pixels_.data(), width_, height_, {0, 0, width_, height_}, rgb};
    return drawTextBlock(target, sizedFont(), text, rect, format, decorationOf(font_));
}

void SoftwareSurface::SetFont(const platform::FontDesc& font) {
    font_ = font;
    sizedFont_ = nullptr;
}

void SoftwareSurface::SetFontUnderline(bool underline) {
    font_.underline = underline;
}

// One line's height, whatever line feeds the text holds: the font's, or taller when the text
// needs a taller face (CJK, emoji).
double SoftwareSurface::TextHeight(std::u16string_view text) {
    return fromPixelsY(cachedRun(sizedFont(), text).lineHeight);
}

double SoftwareSurface::TextWidth(std::u16string_view text) {
    return fromPixels(sizedFont().width(decodeUtf16(text)));
}

void SoftwareSurface::Print(std::u16string_view text) {
    touch();
    flushPending();
    TextTarget target{pixels_.data(), width_, height_, {0, 0, width_, height_}, dcState_.textColor};
    drawTextLine(target, sizedFont(), decodeUtf16(text), pixelCoordX(currentX_), pixelCoordY(currentY_),
                 decorationOf(font_));
    currentY_ += TextHeight(text);
    currentX_ = 0;
}

// ---- host members --------------------------------------------------------------------------------

void SoftwareSurface::SetBackColor(uint32_t oleColor) {
    backColor_ = oleColor;
}

// The clear is kept pending with the pictures that follow it (see pendingPictures_).
void SoftwareSurface::Cls() {
    touch();
    pendingCount_ = 0;
    repaintPending_ = true;
    pendingClearColor_ = resolvedBackColor();
    currentX_ = currentY_ = 0;
}

// One pixel per step along the major axis, the end point left out; the minor coordinate is the
// exact one rounded, and a position exactly halfway between two pixels takes the smaller
// coordinate, as GDI's lines do.
void SoftwareSurface::Line(double x1, double y1, double x2, double y2, uint32_t rgb) {
    const int32_t x0 = pixelCoordX(x1), y0 = pixelCoordY(y1);
    const int64_t dx = int64_t{pixelCoordX(x2)} - x0, dy = int64_t{pixelCoordY(y2)} - y0;
    const int64_t steps = std::max(std::abs(dx), std::abs(dy));
    // ceil((2 * d * i - steps) / (2 * steps)): d * i / steps rounded, halves down.
    auto minor = [steps](int64_t d, int64_t i) {
        const int64_t num = 2 * d * i - steps, den = 2 * steps;
        return num >= 0 ? (num + den - 1) / den : -((-num) / den);
    };
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t sign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    for (int64_t i = 0; i < steps; ++i) {
        const int64_t x = xMajor ? x0 + sign * i : x0 + minor(dx, i);
        const int64_t y = xMajor ? y0 + minor(dy, i) : y0 + sign * i;
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            setPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), rgb);
    }
}

void SoftwareSurface::PSet(double x, double y, uint32_t rgb) {
    setPixel(pixelCoordX(x), pixelCoordY(y), rgb);
}

uint32_t SoftwareSurface::Point(double x, double y) const {
    const double px = roundHalfEven(toPixelsX(x)), py = roundHalfEven(toPixelsY(y));
    if (!(px >= 0 && py >= 0 && px < width_ && py < height_)) return 0xFFFFFFFF;
    return pixelAt(static_cast<int32_t>(px), static_cast<int32_t>(py));
}

void SoftwareSurface::PaintPicture(const platform::Picture* picture, double x, double y,
                                   std::optional<double> width, std::optional<double> height) {
    touch();
    if (!picture) raise(err::InvalidPicture);
    const int32_t left = pixelCoordX(x), top = pixelCoordY(y);
    const int32_t w = width ? pixelCoordX(*width) : picture->width();
    const int32_t h = height ? pixelCoordY(*height) : picture->height();
    if (w <= 0 || h <= 0) return;
    const RECT dest{left, top, static_cast<int32_t>(std::min<int64_t>(int64_t{left} + w, INT32_MAX)),
                    static_cast<int32_t>(std::min<int64_t>(int64_t{top} + h, INT32_MAX))};
    // After a Cls nobody has seen, the picture joins the pending repaint (while someone keeps the
    // picture alive, so that it can still be drawn later).
    if (repaintPending_) {
        if (pendingCount_ < pendingPictures_.size() &&
            pendingPictures_[pendingCount_].picture.get() == picture) {
            pendingPictures_[pendingCount_++].dest = dest;
            return;
        }
        auto kept = std::static_pointer_cast<const platform::Picture>(picture->weak_from_this().lock());
        if (kept) {
            if (pendingCount_ < pendingPictures_.size())
                pendingPictures_[pendingCount_] = {std::move(kept), dest};
            else
                pendingPictures_.push_back({std::move(kept), dest});
            ++pendingCount_;
            return;
        }
    }
    blit(*picture, dest, false);
}

double SoftwareSurface::ScaleWidth() const {
    return fromPixels(width_);
}
double SoftwareSurface::ScaleHeight() const {
    return fromPixelsY(height_);
}

// ---- scale ---------------------------------------------------------------------------------------

using platform::twipsPerUnit;

namespace {
// A scale with no fixed twips per unit (pixels, the user scale) takes values as pixels here.
double unitsToPixels(double v, double twipsPerUnit, double twipsPerPixel) {
    return twipsPerUnit == 0 ? v : v * twipsPerUnit / twipsPerPixel;
}
double pixelsToUnits(double v, double twipsPerUnit, double twipsPerPixel) {
    return twipsPerUnit == 0 ? v : v * twipsPerPixel / twipsPerUnit;
}
} // namespace

double SoftwareSurface::scaledToPixels(double v, bool vertical) const {
    return unitsToPixels(v, twipsPerUnit(mode_, vertical), twipsPerPixel_);
}
double SoftwareSurface::scaledFromPixels(double v, bool vertical) const {
    return pixelsToUnits(v, twipsPerUnit(mode_, vertical), twipsPerPixel_);
}

int32_t SoftwareSurface::pixelCoordX(double v) const {
    const double px = roundHalfEven(toPixelsX(v));
    if (!(std::abs(px) <= kMaxPixelCoordinate)) raise(err::Overflow);
    return static_cast<int32_t>(px);
}
bool SoftwareSurface::pixelRowsOf(std::span<const double> ys, std::span<int32_t> rows) const {
    if (ys.size() != rows.size()) return false;
    bool reachable = true;
    for (size_t i = 0; i < ys.size(); ++i)
        reachable &= wholePixel(toPixelsY(ys[i]), rows[i]);
    return reachable;
}
int32_t SoftwareSurface::pixelCoordY(double v) const {
    int32_t row = 0;
    if (wholePixel(toPixelsY(v), row)) return row;
    raise(err::Overflow);
}

} // namespace tavrin::software
