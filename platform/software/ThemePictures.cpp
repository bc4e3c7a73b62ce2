// The scroll bar's theme pictures and the required-field mark, drawn in code.
//
// Each scheme (0 blue, 1 silver, 2 olive) has a light track, rounded buttons with a soft diagonal
// gradient, a thin border and a crisp chevron, and a thumb of the same material: a body strip with
// a horizontal gradient, rounded caps with a light top bevel and a darker bottom one, and grip
// lines. Hot is lighter, pressed darker. Pictures are opaque, so the rounded corners are painted in
// the colour of the track they lie on.
#include "platform/software/ThemePictures.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tavrin::software {

namespace {

constexpr int32_t kBarPx = 17;  // width of every bar picture; height of the buttons
constexpr int32_t kStripPx = 8; // height of the stretchable strips
constexpr int32_t kCapPx = 3;   // height of the thumb caps
constexpr int32_t kGripW = 7, kGripH = 8;
constexpr float kCorner = 3.0f; // radius of the outer corners

struct Rgb {
    float r, g, b;
};

constexpr Rgb hex(uint32_t rrggbb) {
    return {static_cast<float>((rrggbb >> 16) & 0xFF), static_cast<float>((rrggbb >> 8) & 0xFF),
            static_cast<float>(rrggbb & 0xFF)};
}

Rgb mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

uint32_t pack(Rgb c) {
    auto channel = [](float v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    return channel(c.r) | (channel(c.g) << 8) | (channel(c.b) << 16);
}

constexpr Rgb kWhite = hex(0xFFFFFF);

enum class Look { Normal = 0, Hot = 1, Pressed = 2 };

struct Scheme {
    Rgb trackEdge, trackMiddle;
    Rgb border;
    std::array<std::array<Rgb, 2>, 3> fill; // per look: light, dark
    Rgb glyph;
    Rgb gripLight, gripDark;
};

const Scheme kSchemes[3] = {
    // Blue: periwinkle buttons on a warm white track, slate-blue arrows.
    {hex(0xEEEDE5),
     hex(0xFCFCF9),
     hex(0x8DA6E2),
     {{{hex(0xE0E9FD), hex(0xADC3F5)}, {hex(0xFAFCFF), hex(0xD3E2FF)}, {hex(0xA4B9F0), hex(0x7E9BE6)}}},
     hex(0x4D6185),
     hex(0xEEF4FE),
     hex(0x8CAAEC)},
    // Silver: brushed white-to-lavender-grey metal, charcoal arrows.
    {hex(0xEBEBEF),
     hex(0xFBFBFC),
     hex(0xA5A4B6),
     {{{hex(0xFCFCFC), hex(0xC9C8D6)}, {hex(0xFFFFFF), hex(0xEBEAF1)}, {hex(0xC7C6D4), hex(0xAAA9BC)}}},
     hex(0x4A4A58),
     hex(0xFFFFFF),
     hex(0xA09FB4)},
    // Olive: pale sage with moss borders and dark olive arrows.
    {hex(0xEDEEE1),
     hex(0xFBFBF5),
     hex(0xA2B47F),
     {{{hex(0xEFF4DB), hex(0xC1D095)}, {hex(0xFCFDF3), hex(0xDFE9C0)}, {hex(0xBBC98F), hex(0x9FB26D)}}},
     hex(0x5B6D2F),
     hex(0xF9FBEF),
     hex(0x9DB074)},
};

class Canvas {
  public:
    Canvas(int32_t w, int32_t h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, kWhite) {}
    void set(int32_t x, int32_t y, Rgb c) { px_[index(x, y)] = c; }
    Rgb get(int32_t x, int32_t y) const { return px_[index(x, y)]; }
    void blend(int32_t x, int32_t y, Rgb c, float alpha) { set(x, y, mix(get(x, y), c, alpha)); }
    int32_t width() const { return w_; }
    int32_t height() const { return h_; }
    PictureBits bits() const {
        PictureBits out{w_, h_, {}};
        out.pixels.reserve(px_.size());
        for (const Rgb& c : px_)
            out.pixels.push_back(pack(c));
        return out;
    }

  private:
    size_t index(int32_t x, int32_t y) const { return static_cast<size_t>(y) * w_ + x; }
    int32_t w_, h_;
    std::vector<Rgb> px_;
};

// Pictures are designed on the pixel grid of a 96 dots-per-inch screen and drawn for the screen's
// scale: device pixel X covers [X / scale, (X + 1) / scale) of the design. Curves and gradients are
// worked out at the device's resolution; lines of the design (borders, arrows, grip lines) become
// whole bands of device pixels, so they stay crisp at every scale.
class Grid {
  public:
    explicit Grid(float scale) : scale_(scale) {}
    int32_t size(int32_t designPx) const {
        return std::max(1, static_cast<int32_t>(std::lround(designPx * scale_)));
    }
    float start(int32_t devicePx) const { return devicePx / scale_; } // design coordinate of the pixel's edge
    float cell() const { return 1.0f / scale_; }                      // a device pixel in design units
    float centre(int32_t devicePx) const {
        return (devicePx + 0.5f) / scale_ - 0.5f;
    } // on design pixel centres
    // The design pixel under the device pixel's centre.
    int32_t design(int32_t devicePx, int32_t designSize) const {
        return std::clamp(static_cast<int32_t>(std::floor((devicePx + 0.5f) / scale_)), 0, designSize - 1);
    }

  private:
    float scale_;
};

// How much of the square [x, x + cell) x [y, y + cell) a rounded rectangle covers, by 4 x 4
// supersampling.
float roundRectCoverage(float x, float y, float cell, float l, float t, float r, float b, float radius) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            const float px = x + (sx + 0.5f) / 4 * cell, py = y + (sy + 0.5f) / 4 * cell;
            if (px < l || px > r || py < t || py > b) continue;
            const float cx = std::clamp(px, l + radius, r - radius),
                        cy = std::clamp(py, t + radius, b - radius);
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius) ++inside;
        }
    }
    return inside / 16.0f;
}

// x on design pixel centres (0 .. kBarPx - 1).
Rgb trackColour(const Scheme& s, float x) {
    const float d = std::min(1.0f, std::fabs(x - (kBarPx - 1) / 2.0f) / ((kBarPx - 1) / 2.0f));
    return mix(s.trackMiddle, s.trackEdge, d * d);
}

// The thumb's body colour of one column: border, a light inner edge, a gradient, a shaded edge.
// column is the design pixel, x the position on design pixel centres.
Rgb bodyColour(const Scheme& s, Look look, int32_t column, float x) {
    const auto& [light, dark] = s.fill[static_cast<size_t>(look)];
    if (column == 0 || column == kBarPx - 1) return s.border;
    if (column == 1) return mix(light, kWhite, 0.55f);
    if (column == kBarPx - 2) return mix(dark, s.border, 0.35f);
    return mix(light, dark, std::clamp((x - 2) / static_cast<float>(kBarPx - 5), 0.0f, 1.0f));
}

// ---- buttons

enum class Arrow { Up, Down };

// Inner and outer half-widths of the chevron's rows from its tip: a 9 x 5 glyph, strokes two
// pixels wide, so it stays crisp and bold at 17 pixels.
constexpr int kChevron[5][2] = {{0, 0}, {0, 1}, {0, 2}, {2, 3}, {3, 4}};

bool onChevron(Arrow arrow, int32_t x, int32_t y) {
    constexpr int32_t centreX = kBarPx / 2, top = 6, rows = 5;
    const int32_t row = arrow == Arrow::Up ? y - top : top + rows - 1 - y;
    if (row < 0 || row >= rows) return false;
    const auto [inner, outer] = kChevron[row];
    const int32_t dx = std::abs(x - centreX);
    return dx >= inner && dx <= outer;
}

// How much of a device pixel lies on design pixels of the chevron (4 x 4 samples).
float chevronCoverage(const Grid& g, Arrow arrow, int32_t x, int32_t y) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const auto px = static_cast<int32_t>(std::floor(g.start(x) + (sx + 0.5f) / 4 * g.cell()));
            const auto py = static_cast<int32_t>(std::floor(g.start(y) + (sy + 0.5f) / 4 * g.cell()));
            inside += onChevron(arrow, px, py) ? 1 : 0;
        }
    return inside / 16.0f;
}

PictureBits drawButton(const Grid& g, const Scheme& s, Look look, Arrow arrow) {
    const int32_t size = g.size(kBarPx);
    Canvas c(size, size);
    const auto& [light, dark] = s.fill[static_cast<size_t>(look)];
    const float inner = kBarPx - 1, cell = g.cell();
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const float fx = g.start(x), fy = g.start(y);
            c.set(x, y, trackColour(s, g.centre(x)));
            c.blend(x, y, s.border, roundRectCoverage(fx, fy, cell, 0, 0, kBarPx, kBarPx, kCorner));
            const float t =
                std::clamp(((g.centre(x) - 1) * 0.35f + (g.centre(y) - 1) * 0.65f) / (inner - 2), 0.0f, 1.0f);
            c.blend(x, y, mix(light, dark, t),
                    roundRectCoverage(fx, fy, cell, 1, 1, inner, inner, kCorner - 1));
            // A soft light rim along the top and left inside the border.
            const float rim = roundRectCoverage(fx, fy, cell, 1, 1, inner, inner, kCorner - 1) -
                              roundRectCoverage(fx, fy, cell, 2, 2, inner + 1, inner + 1, kCorner - 1);
            if (rim > 0) c.blend(x, y, kWhite, 0.5f * rim);
            if (const float on = chevronCoverage(g, arrow, x, y); on > 0) c.blend(x, y, s.glyph, on);
        }
    }
    return c.bits();
}

// ---- thumb

PictureBits drawBody(const Grid& g, const Scheme& s, Look look) {
    Canvas c(g.size(kBarPx), g.size(kStripPx));
    for (int32_t y = 0; y < c.height(); ++y)
        for (int32_t x = 0; x < c.width(); ++x)
            c.set(x, y, bodyColour(s, look, g.design(x, kBarPx), g.centre(x)));
    return c.bits();
}

enum class CapEnd { Top, Bottom };

// The end of the thumb: rounded corners over the track, and a bevel that suits every look.
PictureBits drawCap(const Grid& g, const Scheme& s, CapEnd end) {
    Canvas c(g.size(kBarPx), g.size(kCapPx));
    const float tall = 4 * kCapPx, cell = g.cell();
    for (int32_t row = 0; row < c.height(); ++row) { // row 0 is the outer edge
        const int32_t y = end == CapEnd::Top ? row : c.height() - 1 - row;
        const int32_t designRow = g.design(row, kCapPx);
        for (int32_t x = 0; x < c.width(); ++x) {
            const int32_t column = g.design(x, kBarPx);
            c.set(x, y, trackColour(s, g.centre(x)));
            c.blend(x, y, s.border,
                    roundRectCoverage(g.start(x), g.start(row), cell, 0, 0, kBarPx, tall, kCorner));
            Rgb fill = bodyColour(s, Look::Normal, column, g.centre(x));
            if (end == CapEnd::Top)
                fill = mix(fill, kWhite, designRow == 1 ? 0.6f : 0.25f);
            else
                fill = mix(fill, s.border, designRow == 1 ? 0.3f : 0.1f);
            if (column > 0 && column < kBarPx - 1)
                c.blend(
                    x, y, fill,
                    roundRectCoverage(g.start(x), g.start(row), cell, 1, 1, kBarPx - 1, tall, kCorner - 1));
        }
    }
    return c.bits();
}

PictureBits drawGrip(const Grid& g, const Scheme& s) {
    Canvas c(g.size(kGripW), g.size(kGripH));
    constexpr int32_t gripLeftPx = 5; // where the grip lies on the body
    for (int32_t y = 0; y < c.height(); ++y) {
        const int32_t row = g.design(y, kGripH);
        for (int32_t x = 0; x < c.width(); ++x) {
            const int32_t column = g.design(x, kGripW);
            c.set(x, y, row % 2 == 0 ? s.gripLight : s.gripDark);
            // The ends fade into the body so the lines do not look cut off.
            if (column == 0 || column == kGripW - 1)
                c.blend(x, y, bodyColour(s, Look::Normal, gripLeftPx + column, gripLeftPx + g.centre(x)),
                        0.45f);
        }
    }
    return c.bits();
}

PictureBits drawTrack(const Grid& g, const Scheme& s) {
    Canvas c(g.size(kBarPx), g.size(kStripPx));
    for (int32_t y = 0; y < c.height(); ++y)
        for (int32_t x = 0; x < c.width(); ++x)
            c.set(x, y, trackColour(s, g.centre(x)));
    return c.bits();
}

// The required-field mark: a small red corner triangle with a lighter edge along its long side.
PictureBits drawRequiredField(const Grid& g) {
    constexpr int32_t size = 5;
    Canvas c(g.size(size), g.size(size));
    for (int32_t y = 0; y < c.height(); ++y)
        for (int32_t x = 0; x < c.width(); ++x) {
            const float sum = g.centre(x) + g.centre(y) + 1; // x + y of the design, on pixel centres
            if (sum <= size) c.set(x, y, sum > size - 1 ? hex(0xE86060) : hex(0xD81010));
        }
    return c.bits();
}

std::optional<PictureBits> drawPart(std::u16string_view name, const Grid& g, const Scheme& s) {
    struct Entry {
        std::u16string_view name;
        PictureBits (*draw)(const Grid&, const Scheme&);
    };
    static const Entry entries[] = {
        {u"VS_UP", [](const Grid& g, const Scheme& t) { return drawButton(g, t, Look::Normal, Arrow::Up); }},
        {u"VS_UPHOT", [](const Grid& g, const Scheme& t) { return drawButton(g, t, Look::Hot, Arrow::Up); }},
        {u"VS_UPPRESS",
         [](const Grid& g, const Scheme& t) { return drawButton(g, t, Look::Pressed, Arrow::Up); }},
        {u"VS_DOWN",
         [](const Grid& g, const Scheme& t) { return drawButton(g, t, Look::Normal, Arrow::Down); }},
        {u"VS_DOWNHOT",
         [](const Grid& g, const Scheme& t) { return drawButton(g, t, Look::Hot, Arrow::Down); }},
        {u"VS_DOWNPRESS",
         [](const Grid& g, const Scheme& t) { return drawButton(g, t, Look::Pressed, Arrow::Down); }},
        {u"VS_BAR", [](const Grid& g, const Scheme& t) { return drawBody(g, t, Look::Normal); }},
        {u"VS_BAR_HOT", [](const Grid& g, const Scheme& t) { return drawBody(g, t, Look::Hot); }},
        {u"VS_BAR_PRESS", [](const Grid& g, const Scheme& t) { return drawBody(g, t, Look::Pressed); }},
        {u"VS_TOP", [](const Grid& g, const Scheme& t) { return drawCap(g, t, CapEnd::Top); }},
        {u"VS_BOTTOM", [](const Grid& g, const Scheme& t) { return drawCap(g, t, CapEnd::Bottom); }},
        {u"VS_GRIPBAR", [](const Grid& g, const Scheme& t) { return drawGrip(g, t); }},
        {u"VS_BACK", [](const Grid& g, const Scheme& t) { return drawTrack(g, t); }},
    };
    for (const auto& entry : entries)
        if (entry.name == name) return entry.draw(g, s);
    return std::nullopt;
}

} // namespace

std::optional<PictureBits> drawStorePicture(std::u16string_view key, double scale) {
    const Grid grid(scale > 0 && scale <= 8 ? static_cast<float>(scale) : 1.0f);
    if (key == u"REQUIREDFIELD") return drawRequiredField(grid);
    // "NAME(n)" with a scheme number 0, 1 or 2.
    constexpr size_t suffixLength = 3;
    if (key.size() <= suffixLength || key[key.size() - 3] != u'(' || key.back() != u')') return std::nullopt;
    const char16_t digit = key[key.size() - 2];
    if (digit < u'0' || digit > u'2') return std::nullopt;
    return drawPart(key.substr(0, key.size() - suffixLength), grid, kSchemes[digit - u'0']);
}

std::shared_ptr<platform::Picture> makeStorePicture(const std::u16string& key, double scale) {
    auto bits = drawStorePicture(key, scale);
    if (!bits) return nullptr;
    return std::make_shared<platform::Picture>(bits->width, bits->height, std::move(bits->pixels));
}

} // namespace tavrin::software
