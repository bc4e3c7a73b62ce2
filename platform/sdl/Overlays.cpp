#include "platform/sdl/Overlays.h"

#include <algorithm>

namespace tavrin::sdl {

using platform::POINT;
using platform::RECT;

namespace {

constexpr int32_t kMenuWidth = 150, kEntryHeight = 20, kSeparatorHeight = 9, kMenuBorder = 2;
constexpr int32_t kFrame = 3, kCaptionBar = 20; // with the frame: the host's border of 6 x 26 pixels
constexpr uint32_t kMenuFace = 0xFFFFFF, kMenuEdge = 0x808080, kMenuText = 0x000000, kGreyText = 0xA0A0A0,
                   kHoverFace = 0xC56A31, kHoverText = 0xFFFFFF, kCaptionFace = 0xA5541E,
                   kCaptionText = 0xFFFFFF, kFormEdge = 0x6A3A14;

bool isSeparator(const platform::Menu& menu, int16_t index) {
    return menu.Caption(index) == u"-";
}

std::u16string withoutMarks(const std::u16string& caption) {
    std::u16string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i; // "&&" shows one ampersand
        shown.push_back(caption[i]);
    }
    return shown;
}

void outline(software::SoftwareSurface& canvas, const RECT& r, uint32_t rgb) {
    canvas.fillRect({r.left, r.top, r.right, r.top + 1}, rgb);
    canvas.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, rgb);
    canvas.fillRect({r.left, r.top, r.left + 1, r.bottom}, rgb);
    canvas.fillRect({r.right - 1, r.top, r.right, r.bottom}, rgb);
}

// Moves [start, start + size) to lie inside [0, limit), preferring to keep the start.
int32_t keepInside(int32_t start, int32_t size, int32_t limit) {
    return std::max(0, std::min(start, limit - size));
}

} // namespace

MenuLayout layoutMenu(const platform::Menu& menu, POINT anchor, int32_t canvasW, int32_t canvasH) {
    int32_t height = 2 * kMenuBorder;
    for (int16_t i = 0; i < menu.count(); ++i)
        height += isSeparator(menu, i) ? kSeparatorHeight : kEntryHeight;
    MenuLayout layout;
    int32_t left = keepInside(anchor.x, kMenuWidth, canvasW), top = keepInside(anchor.y, height, canvasH);
    layout.box = {left, top, left + kMenuWidth, top + height};
    int32_t y = top + kMenuBorder;
    for (int16_t i = 0; i < menu.count(); ++i) {
        int32_t h = isSeparator(menu, i) ? kSeparatorHeight : kEntryHeight;
        layout.entries.push_back({left + kMenuBorder, y, left + kMenuWidth - kMenuBorder, y + h});
        y += h;
    }
    return layout;
}

int16_t menuEntryAt(const MenuLayout& layout, POINT p) {
    for (size_t i = 0; i < layout.entries.size(); ++i)
        if (platform::PtInRect(layout.entries[i], p)) return static_cast<int16_t>(i);
    return -1;
}

void drawMenu(software::SoftwareSurface& canvas, const platform::Menu& menu, const MenuLayout& layout,
              int16_t hover) {
    canvas.fillRect(layout.box, kMenuFace);
    outline(canvas, layout.box, kMenuEdge);
    for (int16_t i = 0; i < menu.count(); ++i) {
        RECT r = layout.entries[static_cast<size_t>(i)];
        if (isSeparator(menu, i)) {
            int32_t mid = (r.top + r.bottom) / 2;
            canvas.fillRect({r.left + 2, mid, r.right - 2, mid + 1}, kMenuEdge);
            continue;
        }
        bool lit = i == hover && menu.Enabled(i);
        if (lit) canvas.fillRect(r, kHoverFace);
        RECT text{r.left + 18, r.top, r.right - 4, r.bottom};
        uint32_t ink = !menu.Enabled(i) ? kGreyText : lit ? kHoverText : kMenuText;
        canvas.drawText(withoutMarks(menu.Caption(i)), text, platform::DT_VCENTER | platform::DT_SINGLELINE,
                        ink);
    }
}

FormLayout layoutForm(software::SoftwareForm& form, POINT canvasOrigin, int32_t canvasW, int32_t canvasH) {
    software::DesktopWindow& w = form.window();
    int32_t outerW = w.width() + 2 * kFrame, outerH = w.height() + 2 * kFrame + kCaptionBar;
    int32_t left = keepInside(w.left() - canvasOrigin.x, outerW, canvasW);
    int32_t top = keepInside(w.top() - canvasOrigin.y, outerH, canvasH);
    return {{left, top, left + outerW, top + outerH}, {left + kFrame, top + kFrame + kCaptionBar}};
}

std::u16string formButtonAt(software::SoftwareForm& form, const FormLayout& layout, POINT p,
                            double twipsPerPixel) {
    for (const platform::Form::Button& b : form.buttons()) {
        RECT r{layout.client.x + software::toPixels(b.left / twipsPerPixel),
               layout.client.y + software::toPixels(b.top / twipsPerPixel),
               layout.client.x + software::toPixels((b.left + b.width) / twipsPerPixel),
               layout.client.y + software::toPixels((b.top + b.height) / twipsPerPixel)};
        if (platform::PtInRect(r, p)) return b.caption;
    }
    return {};
}

void drawForm(software::SoftwareSurface& canvas, software::Desktop& desktop, software::SoftwareForm& form,
              const FormLayout& layout) {
    canvas.fillRect(layout.outer, kCaptionFace);
    outline(canvas, layout.outer, kFormEdge);
    RECT caption{layout.outer.left + kFrame + 4, layout.outer.top + kFrame, layout.outer.right - kFrame,
                 layout.client.y};
    platform::FontDesc saved = canvas.Font();
    canvas.SetFont({u"DejaVu Sans", 8.0, true});
    canvas.drawText(form.caption(), caption, platform::DT_VCENTER | platform::DT_SINGLELINE, kCaptionText);
    canvas.SetFont(saved);
    int32_t w = 0, h = 0;
    std::vector<uint32_t> client = desktop.compose(form.window().hwnd(), true, w, h);
    blitPixels(canvas, client, w, h, layout.client.x, layout.client.y);
}

void blitPixels(software::SoftwareSurface& canvas, const std::vector<uint32_t>& pixels, int32_t w, int32_t h,
                int32_t x, int32_t y) {
    uint32_t* out = canvas.pixels();
    const int32_t cw = canvas.widthPx(), ch = canvas.heightPx();
    for (int32_t row = std::max(0, -y); row < h && y + row < ch; ++row) {
        int32_t from = std::max(0, -x), to = std::min(w, cw - x);
        if (from >= to) return;
        std::copy(pixels.begin() + static_cast<ptrdiff_t>(row) * w + from,
                  pixels.begin() + static_cast<ptrdiff_t>(row) * w + to,
                  out + static_cast<ptrdiff_t>(y + row) * cw + x + from);
    }
}

} // namespace tavrin::sdl
