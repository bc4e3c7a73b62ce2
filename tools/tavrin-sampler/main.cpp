// tavrin-sampler: every drawing operation of the software surface on one picture.
//
// Usage: tavrin-sampler [output.png]   (default ./sampler.png)
//
// 1. Fills, the AND pattern over a picture, both gradients, round rectangles.
// 2. Text: a centred single line, wrapped text in the three alignments, underline and
//    strikethrough, non-Latin text and characters outside the basic plane.
// 3. Focus rectangle, Print, Line, PSet and a stretched picture.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/software/SoftwareSurface.h"
#include "tavrin/platform/Picture.h"

using namespace tavrin;
using namespace tavrin::platform;
using tavrin::software::SoftwareGdi;
using tavrin::software::SoftwareSurface;

namespace {

constexpr uint32_t kPanel = 0xFFFFFF, kCaption = 0x404040, kFrame = 0x99A8AC;

// A small picture with a checker, a diagonal and a black dot: enough to see scaling and AND.
std::shared_ptr<Picture> samplePicture() {
    const int32_t size = 16;
    std::vector<uint32_t> pixels(size * size);
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x) {
            uint32_t checker = ((x / 4 + y / 4) % 2) ? 0x50B0F0 : 0xF0E0A0;
            pixels[y * size + x] = x == y ? 0x2020C0 : checker;
        }
    pixels[5 * size + 10] = 0;
    return std::make_shared<Picture>(size, size, std::move(pixels));
}

class Sampler {
  public:
    Sampler() : surface_(gdi_, 660, 500) {
        surface_.SetBackColor(0xD8E9EC); // the classic button face
        surface_.Cls();
        dc_ = surface_.hDC();
    }

    void caption(int32_t x, int32_t y, const std::u16string& text) {
        gdi_.SetTextColor(dc_, kCaption);
        RECT r{x, y, x + 300, y + 16};
        gdi_.DrawTextA(dc_, text, r, DT_SINGLELINE | DT_VCENTER);
    }

    void solid(const RECT& r, uint32_t rgb) {
        HBRUSH brush = gdi_.CreateSolidBrush(rgb);
        gdi_.FillRect(dc_, r, brush);
        gdi_.DeleteObject(brush);
    }

    void outline(RECT r, uint32_t rgb) {
        solid({r.left, r.top, r.right, r.top + 1}, rgb);
        solid({r.left, r.bottom - 1, r.right, r.bottom}, rgb);
        solid({r.left, r.top, r.left + 1, r.bottom}, rgb);
        solid({r.right - 1, r.top, r.right, r.bottom}, rgb);
    }

    void fills() {
        caption(10, 8, u"FillRect, PatBlt AND over a picture");
        const uint32_t colours[] = {0x0000FF, 0x00C000, 0xFF0000, 0x00FFFF, 0xC56A31, 0x000000};
        for (int i = 0; i < 6; ++i)
            solid({10 + i * 22, 28, 30 + i * 22, 48}, colours[i]);
        surface_.PaintPicture(picture_.get(), 150, 28, 64.0, 20.0);
        HBRUSH brush = gdi_.CreateSolidBrush(0xFFC080);
        HGDIOBJ old = gdi_.SelectObject(dc_, brush);
        gdi_.PatBlt(dc_, 182, 28, 32, 20, ROP_DPa);
        gdi_.PatBlt(dc_, 222, 28, 40, 20, ROP_DPa); // over the panel: the brush colour itself
        gdi_.SelectObject(dc_, old);
        gdi_.DeleteObject(brush);
    }

    void gradients() {
        caption(10, 56, u"GradientFill horizontal and vertical");
        TRIVERTEX h[2] = {{10, 76, 0x3100, 0x6A00, 0xC500, 0}, {200, 96, 0xFF00, 0xFF00, 0xFF00, 0}};
        TRIVERTEX v[2] = {{210, 76, 0xFF00, 0xFF00, 0xFF00, 0}, {290, 116, 0x0000, 0x8000, 0x4000, 0}};
        GRADIENT_RECT rect;
        gdi_.GradientFill(dc_, h, 2, &rect, 1, GRADIENT_FILL_RECT_H);
        gdi_.GradientFill(dc_, v, 2, &rect, 1, GRADIENT_FILL_RECT_V);
    }

    void roundRects() {
        caption(10, 122, u"RoundRect: corners 0, 6, 12 and 24");
        HBRUSH brush = gdi_.CreateSolidBrush(0xF5D6B4);
        HPEN pen = gdi_.CreatePen(PS_SOLID, 1, 0x9C5A1E);
        HGDIOBJ oldBrush = gdi_.SelectObject(dc_, brush), oldPen = gdi_.SelectObject(dc_, pen);
        const int32_t corners[] = {0, 6, 12, 24};
        for (int i = 0; i < 4; ++i)
            gdi_.RoundRect(dc_, 10 + i * 72, 142, 76 + i * 72, 172, corners[i], corners[i]);
        gdi_.SelectObject(dc_, oldBrush);
        gdi_.SelectObject(dc_, oldPen);
        gdi_.DeleteObject(brush);
        gdi_.DeleteObject(pen);
    }

    void textBox(RECT r, const std::u16string& text, uint32_t format) {
        solid(r, kPanel);
        outline({r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, kFrame);
        gdi_.SetTextColor(dc_, 0x000000);
        gdi_.DrawTextA(dc_, text, r, format);
    }

    void texts() {
        caption(330, 8, u"DrawText: single line, vertically centred");
        textBox({330, 28, 640, 50}, u"Single line cut at the right edge of its rectangle, as a desktop does",
                DT_SINGLELINE | DT_VCENTER);
        caption(330, 56, u"Word break: left, centre, right");
        const std::u16string words =
            u"The quick brown fox jumps over the lazy dog; Supercalifragilisticexpialidocious";
        const uint32_t aligns[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        for (int i = 0; i < 3; ++i)
            textBox({330 + i * 105, 76, 428 + i * 105, 150}, words, DT_WORDBREAK | aligns[i]);
        caption(330, 156, u"Underline, strikethrough, bold, italic");
        FontDesc font = surface_.Font();
        font.underline = true;
        surface_.SetFont(font);
        textBox({330, 176, 480, 196}, u"Underlined item", DT_SINGLELINE | DT_VCENTER);
        font.underline = false;
        font.strikethrough = true;
        font.bold = true;
        surface_.SetFont(font);
        textBox({490, 176, 640, 196}, u"Struck, bold", DT_SINGLELINE | DT_VCENTER);
        font.strikethrough = false;
        font.bold = false;
        font.italic = true;
        surface_.SetFont(font);
        textBox({330, 202, 640, 222}, u"Italic text in DejaVu Sans Oblique", DT_SINGLELINE | DT_VCENTER);
        surface_.SetFont(FontDesc{});
        caption(330, 228, u"Non-Latin and outside the basic plane");
        textBox(
            {330, 248, 640, 270},
            u"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \u0420\u0443\u0441\u0441\u043A\u0438\u0439 "
            u"\u10E5\u10D0\u10E0\u10D7\u10E3\u10DA\u10D8 \u263A \U0001F600 \U0001D49C \u4E2D",
            DT_SINGLELINE | DT_VCENTER);
    }

    void focusAndPrint() {
        caption(10, 180, u"DrawFocusRect, Print, Line, PSet");
        solid({10, 200, 300, 222}, 0xC56A31);
        solid({10, 222, 300, 244}, kPanel);
        gdi_.DrawFocusRect(dc_, {10, 200, 300, 244});
        gdi_.SetTextColor(dc_, 0x000000);
        surface_.SetCurrentX(14);
        surface_.SetCurrentY(250);
        surface_.Print(u"Printed at CurrentX, CurrentY");
        surface_.SetCurrentX(14); // Print went back to the left edge
        surface_.Print(u"and one line further down");
        for (int i = 0; i < 12; ++i)
            surface_.Line(20, 290, 20 + i * 12, 350, 0x00A0FF - i * 0x000C00);
        for (int i = 0; i < 12; ++i)
            surface_.Line(200, 290 + i * 5, 290, 290 + i * 5 + (i % 3), 0x208020);
        for (int i = 0; i < 40; ++i)
            surface_.PSet(20 + i * 7, 360 + (i % 5), 0x0000C0);
    }

    void stretched() {
        caption(330, 278, u"PaintPicture: own size and stretched");
        surface_.PaintPicture(picture_.get(), 330, 298);
        surface_.PaintPicture(picture_.get(), 356, 298, 48.0, 48.0);
        surface_.PaintPicture(picture_.get(), 414, 298, 160.0, 32.0);
        surface_.PaintPicture(picture_.get(), 584, 298, 24.0, 96.0);
    }

    void listRows() {
        caption(10, 372, u"A list's rows, as the control paints them");
        const char16_t* items[] = {u"Inbox", u"Drafts (selected)", u"Sent items", u"Deleted items"};
        for (int i = 0; i < 4; ++i) {
            RECT row{10, 392 + i * 20, 300, 412 + i * 20};
            solid(row, i == 1 ? 0xC56A31 : kPanel);
            gdi_.SetTextColor(dc_, i == 1 ? 0xFFFFFF : 0x000000);
            RECT text{row.left + 4, row.top, row.right - 2, row.bottom};
            gdi_.DrawTextA(dc_, items[i], text, DT_SINGLELINE | DT_VCENTER);
            if (i == 1) gdi_.DrawFocusRect(dc_, row);
        }
    }

    bool write(const std::string& path) {
        std::string error;
        if (gdi_.liveObjects() != 0)
            std::fprintf(stderr, "%d brushes or pens left alive\n", gdi_.liveObjects());
        if (software::writePng(path, surface_.widthPx(), surface_.heightPx(), surface_.pixels(), &error))
            return true;
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }

  private:
    SoftwareGdi gdi_;
    SoftwareSurface surface_;
    HDC dc_ = 0;
    std::shared_ptr<Picture> picture_ = samplePicture();
};

} // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "sampler.png";
    Sampler sampler;
    sampler.fills();
    sampler.gradients();
    sampler.roundRects();
    sampler.texts();
    sampler.focusAndPrint();
    sampler.stretched();
    sampler.listRows();
    if (!sampler.write(path)) return 1;
    std::printf("wrote %s\n", path.c_str());
    return 0;
}
