#include "RefereeDrawing.h"

#include <memory>

#include "tavrin/platform/Picture.h"

namespace tavrin::referee {

using platform::DrawingSurface;
using platform::Gdi;
using platform::RECT;

namespace {

// Brushes and pens as the list uses them: created for one call, selected back and deleted.
void fill(Gdi& gdi, DrawingSurface& s, RECT r, uint32_t rgb) {
    const platform::HBRUSH brush = gdi.CreateSolidBrush(rgb);
    gdi.FillRect(s.hDC(), r, brush);
    gdi.DeleteObject(brush);
}

void andBlit(Gdi& gdi, DrawingSurface& s, RECT r, uint32_t rgb) {
    const platform::HBRUSH brush = gdi.CreateSolidBrush(rgb);
    const platform::HGDIOBJ old = gdi.SelectObject(s.hDC(), brush);
    gdi.PatBlt(s.hDC(), r.left, r.top, r.right - r.left, r.bottom - r.top, platform::ROP_DPa);
    gdi.SelectObject(s.hDC(), old);
    gdi.DeleteObject(brush);
}

void gradient(Gdi& gdi, DrawingSurface& s, RECT r, uint32_t from, uint32_t to, uint32_t mode) {
    auto vertex = [](int32_t x, int32_t y, uint32_t rgb) {
        return platform::TRIVERTEX{x,
                                   y,
                                   static_cast<uint16_t>((rgb & 0xFF) << 8),
                                   static_cast<uint16_t>(((rgb >> 8) & 0xFF) << 8),
                                   static_cast<uint16_t>(((rgb >> 16) & 0xFF) << 8),
                                   0};
    };
    const platform::TRIVERTEX v[2] = {vertex(r.left, r.top, from), vertex(r.right, r.bottom, to)};
    const platform::GRADIENT_RECT g{0, 1};
    gdi.GradientFill(s.hDC(), v, 2, &g, 1, mode);
}

void roundRect(Gdi& gdi, DrawingSurface& s, RECT r, int32_t corner, uint32_t penRgb, uint32_t brushRgb) {
    const platform::HPEN pen = gdi.CreatePen(platform::PS_SOLID, 1, penRgb);
    const platform::HBRUSH brush = gdi.CreateSolidBrush(brushRgb);
    const platform::HGDIOBJ oldPen = gdi.SelectObject(s.hDC(), pen);
    const platform::HGDIOBJ oldBrush = gdi.SelectObject(s.hDC(), brush);
    gdi.RoundRect(s.hDC(), r.left, r.top, r.right, r.bottom, corner, corner);
    gdi.SelectObject(s.hDC(), oldBrush);
    gdi.SelectObject(s.hDC(), oldPen);
    gdi.DeleteObject(brush);
    gdi.DeleteObject(pen);
}

void text(Gdi& gdi, DrawingSurface& s, RECT r, std::u16string_view t, uint32_t format, uint32_t rgb,
          bool frame = true) {
    if (frame) fill(gdi, s, r, 0x00FFFFFF);
    gdi.SetTextColor(s.hDC(), rgb);
    gdi.DrawTextA(s.hDC(), t, r, format);
}

// A small picture with distinct pixels, so that every sampling mistake shows.
std::shared_ptr<platform::Picture> checker(int32_t w, int32_t h) {
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            px[static_cast<size_t>(y) * w + x] =
                static_cast<uint32_t>((x * 255 / std::max(1, w - 1)) | ((y * 255 / std::max(1, h - 1)) << 8) |
                                      (((x + y) % 2 ? 0xC0 : 0x20) << 16));
    return std::make_shared<platform::Picture>(w, h, std::move(px));
}

} // namespace

std::vector<Case> cases() {
    std::vector<Case> all;
    auto add = [&](std::string name, RECT area, bool isText,
                   std::function<void(Gdi&, DrawingSurface&)> draw) {
        all.push_back({std::move(name), area, isText, std::move(draw)});
    };

    // Row 1 (y 0..40): fills, empty and inverted rectangles, AND blits.
    add("fill", {0, 0, 40, 40}, false, [](Gdi& g, DrawingSurface& s) {
        fill(g, s, {2, 2, 38, 38}, 0x00336699);
        fill(g, s, {5, 5, 6, 30}, 0x00FF0000);    // one column
        fill(g, s, {10, 10, 30, 11}, 0x0000FF00); // one row
        fill(g, s, {20, 20, 20, 30}, 0x000000FF); // empty
        fill(g, s, {30, 30, 25, 25}, 0x000000FF); // inverted: nothing
        fill(g, s, {-5, 34, 12, 38}, 0x00808080); // clipped by the canvas edge
    });
    add("and-blit", {40, 0, 120, 40}, false, [](Gdi& g, DrawingSurface& s) {
        fill(g, s, {42, 2, 62, 38}, 0x00FFFFFF);
        fill(g, s, {62, 2, 82, 38}, 0x0080C0F0);
        fill(g, s, {82, 2, 118, 38}, 0x00123456);
        andBlit(g, s, {44, 6, 114, 20}, 0x00F0A050);
        andBlit(g, s, {50, 24, 110, 34}, 0x0055AAFF);
        andBlit(g, s, {60, 22, 60, 36}, 0x00000000); // zero width: nothing
    });

    // Gradients in both directions and both colour orders, narrow and wide.
    int32_t x = 120;
    for (uint32_t mode : {platform::GRADIENT_FILL_RECT_H, platform::GRADIENT_FILL_RECT_V})
        for (int32_t size : {1, 2, 17, 64}) {
            const int32_t w = mode == platform::GRADIENT_FILL_RECT_H ? size : 12;
            const int32_t h = mode == platform::GRADIENT_FILL_RECT_V ? std::min(size, 36) : 36;
            const RECT area{x, 0, x + w + 4, 40};
            const std::string name =
                std::string(mode == platform::GRADIENT_FILL_RECT_H ? "gradient-h-" : "gradient-v-") +
                std::to_string(size);
            add(name, area, false, [area, w, h, mode](Gdi& g, DrawingSurface& s) {
                gradient(g, s, {area.left + 2, 2, area.left + 2 + w, 2 + h / 2}, 0x00102030, 0x00F0E0D0,
                         mode);
                gradient(g, s, {area.left + 2, 2 + h / 2, area.left + 2 + w, 2 + h}, 0x00FF8000, 0x000080FF,
                         mode);
            });
            x = area.right;
        }

    // Round rectangles with every corner size from 0 to 24 (the list's Box style uses them).
    for (int32_t corner = 0; corner <= 24; ++corner) {
        const int32_t col = corner % 10, row = corner / 10;
        const RECT area{col * 48, 40 + row * 34, col * 48 + 48, 74 + row * 34};
        add("roundrect-" + std::to_string(corner), area, false, [area, corner](Gdi& g, DrawingSurface& s) {
            roundRect(g, s, {area.left + 2, area.top + 2, area.right - 2, area.bottom - 2}, corner,
                      0x00200080, 0x0090E0B0);
        });
    }
    const RECT odd{240, 108, 300, 142};
    add("roundrect-odd", odd, false, [odd](Gdi& g, DrawingSurface& s) {
        roundRect(g, s, {odd.left + 3, odd.top + 2, odd.left + 8, odd.top + 30}, 8, 0x00000000, 0x00FFFFFF);
        roundRect(g, s, {odd.left + 12, odd.top + 2, odd.left + 57, odd.top + 9}, 12, 0x000000FF, 0x00FF0000);
        roundRect(g, s, {odd.left + 12, odd.top + 14, odd.left + 57, odd.top + 31}, 40, 0x00008000,
                  0x00C0C0C0);
    });

    // Focus rectangles: twice restores every pixel, once leaves the dotted frame.
    add("focus-twice", {300, 108, 360, 142}, false, [](Gdi& g, DrawingSurface& s) {
        fill(g, s, {302, 110, 358, 140}, 0x00C08040);
        g.DrawFocusRect(s.hDC(), {304, 112, 356, 138});
        g.DrawFocusRect(s.hDC(), {304, 112, 356, 138});
    });
    add("focus-once", {360, 108, 480, 142}, false, [](Gdi& g, DrawingSurface& s) {
        fill(g, s, {362, 110, 418, 140}, 0x00C08040);
        fill(g, s, {418, 110, 478, 140}, 0x00FFFFFF);
        g.SetTextColor(s.hDC(), 0x000000FF);
        g.DrawFocusRect(s.hDC(), {364, 112, 416, 138}); // even size
        g.DrawFocusRect(s.hDC(), {421, 113, 476, 136}); // odd width, odd origin
        g.DrawFocusRect(s.hDC(), {430, 120, 431, 130}); // one column
    });

    // Lines and points through the surface members.
    add("lines", {0, 142, 120, 222}, false, [](Gdi&, DrawingSurface& s) {
        const double cx = 60, cy = 182;
        const int32_t ends[][2] = {{50, 0},    {50, 13},   {50, 37},   {50, 38},   {37, 38},  {13, 38},
                                   {0, 38},    {-13, 38},  {-37, 38},  {-50, 38},  {-50, 13}, {-50, 0},
                                   {-50, -13}, {-50, -37}, {-37, -38}, {-13, -38}, {0, -38},  {13, -38},
                                   {37, -38},  {50, -38},  {50, -13}};
        for (auto& e : ends)
            s.Line(cx, cy, cx + e[0], cy + e[1], 0x00000000 | static_cast<uint32_t>((e[0] + 50) * 2));
        s.Line(5, 150, 5, 150, 0x000000FF); // a line of no length draws nothing
    });
    add("points", {120, 142, 200, 222}, false, [](Gdi&, DrawingSurface& s) {
        for (int32_t i = 0; i < 60; ++i)
            s.PSet(122 + (i * 7) % 76, 144 + (i * 11) % 76, static_cast<uint32_t>(i * 0x040815));
    });

    // Pictures at their own size, stretched, shrunk and stretched unevenly.
    add("pictures", {200, 142, 480, 222}, false, [](Gdi&, DrawingSurface& s) {
        const auto small = checker(5, 3), big = checker(17, 17);
        s.PaintPicture(small.get(), 202, 144);
        s.PaintPicture(small.get(), 210, 144, 13.0, 7.0);
        s.PaintPicture(small.get(), 226, 144, 40.0, 24.0);
        s.PaintPicture(big.get(), 270, 144);
        s.PaintPicture(big.get(), 290, 144, 8.0, 8.0);
        s.PaintPicture(big.get(), 300, 144, 3.0, 70.0);
        s.PaintPicture(big.get(), 306, 144, 60.0, 5.0);
        s.PaintPicture(big.get(), 370, 150, 17.0, 34.0);
        s.PaintPicture(big.get(), 390, 150, 51.0, 68.0);
    });

    // Text: the list's formats.
    using namespace platform;
    add("text-single", {0, 222, 160, 252}, true, [](Gdi& g, DrawingSurface& s) {
        text(g, s, {2, 224, 158, 250}, u"Single line, centred vertically", DT_SINGLELINE | DT_VCENTER,
             0x00000000);
    });
    add("text-clipped", {160, 222, 240, 252}, true, [](Gdi& g, DrawingSurface& s) {
        text(g, s, {162, 224, 238, 250}, u"A text far too long for its row", DT_SINGLELINE | DT_VCENTER,
             0x00800000);
    });
    add("text-center", {240, 222, 480, 252}, true, [](Gdi& g, DrawingSurface& s) {
        text(g, s, {242, 224, 478, 250}, u"Centred Ågé", DT_SINGLELINE | DT_VCENTER | DT_CENTER, 0x00FFFFFF,
             false);
        text(g, s, {242, 224, 478, 250}, u"Centred Ågé", DT_SINGLELINE | DT_VCENTER | DT_CENTER, 0x00000080,
             false);
    });
    const std::u16string wrap = u"Word-wrapped text breaks between words when the row is too narrow for it";
    add("text-wrap-left", {0, 252, 160, 330}, true, [wrap](Gdi& g, DrawingSurface& s) {
        text(g, s, {2, 254, 158, 328}, wrap, DT_WORDBREAK | DT_LEFT, 0x00000000);
    });
    add("text-wrap-center", {160, 252, 320, 330}, true, [wrap](Gdi& g, DrawingSurface& s) {
        text(g, s, {162, 254, 318, 328}, wrap, DT_WORDBREAK | DT_CENTER, 0x00006000);
    });
    add("text-wrap-right", {320, 252, 480, 330}, true, [wrap](Gdi& g, DrawingSurface& s) {
        text(g, s, {322, 254, 478, 328}, wrap, DT_WORDBREAK | DT_RIGHT, 0x00600000);
    });
    add("text-print", {0, 330, 240, 360}, true, [](Gdi& g, DrawingSurface& s) {
        g.SetTextColor(s.hDC(), 0x00000000);
        s.SetCurrentX(4);
        s.SetCurrentY(332);
        s.Print(u"Printed at a position");
    });
    add("text-underline", {240, 330, 480, 360}, true, [](Gdi& g, DrawingSurface& s) {
        s.SetFontUnderline(true);
        text(g, s, {242, 332, 478, 358}, u"Underlined", DT_SINGLELINE | DT_VCENTER, 0x00000000, false);
        s.SetFontUnderline(false);
    });
    return all;
}

void drawAll(Gdi& gdi, DrawingSurface& surface) {
    fill(gdi, surface, {0, 0, kCanvasWidth, kCanvasHeight}, kCanvasColor);
    for (const Case& c : cases())
        c.draw(gdi, surface);
}

} // namespace tavrin::referee
