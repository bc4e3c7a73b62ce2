// The list's gallery page: list.png, every selection style single-line and wrapped, Flat and 3D,
// with images and the focus rectangle, the design-time preview and the required-field mark.
//
// Each tile is a real Tavrin on the headless desktop, driven through its public members and real
// focus changes, then composed (frame, rows, scroll bar) onto one canvas with a caption.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "GalleryPage.h"
#include "control/TavrinAccess.h"
#include "platform/software/Desktop.h"
#include "platform/software/SoftwareImageList.h"
#include "tavrin/Tavrin.h"

namespace tavrin::gallery {

namespace {

using software::Desktop;

constexpr int32_t kColumns = 4, kRows = 3;
constexpr int32_t kTileW = 214, kTileH = 176, kMargin = 22, kTitleH = 52, kCaptionH = 20;
constexpr int32_t kListW = 196, kListH = 142;
constexpr uint32_t kCanvas = 0xF7F3F0, kInk = 0x3A3330, kMuted = 0x7A706A;

const char16_t* const kFruit[] = {u"Apple",      u"Blackberry", u"Cherry",     u"Damson plum",
                                  u"Elderberry", u"Fig",        u"Gooseberry", u"Huckleberry"};
const char16_t* const kWrapped[] = {
    u"Apricots: small golden fruit with a velvety skin",
    u"Bilberries, picked by hand on the moor in late summer",
    u"Cloudberry, amber and tart, from the northern bogs",
    u"Dates, sweet and sticky",
};

// One tile: its caption and how to dress the list after it is placed.
struct Tile {
    std::u16string caption;
    std::function<void(Tavrin&, Desktop&)> dress;
    bool designTime = false;
    bool loaded = false; // read from a stored form: the required-field mark is fetched then
};

std::shared_ptr<platform::Picture> ribbonPicture() {
    constexpr int32_t w = 64, h = 8;
    std::vector<uint32_t> px(static_cast<size_t>(w * h));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t g = static_cast<uint32_t>(0xB0 + x), r = static_cast<uint32_t>(0xE8 - y * 6);
            px[static_cast<size_t>(y * w + x)] = (0x60u << 16) | (g << 8) | r; // warm amber ribbon
        }
    return std::make_shared<platform::Picture>(w, h, std::move(px));
}

void addFruit(Tavrin& list, int count, const std::shared_ptr<software::SoftwareImageList>& images) {
    list.SetImageList(Variant::object(images));
    for (int i = 0; i < count; ++i) {
        const auto icon = static_cast<int16_t>(i % 8 + 1);
        list.AddItem(Variant::string(std::u16string(kFruit[i % 8])), icon,
                     static_cast<int16_t>((i + 3) % 8 + 1));
    }
}

void singleLine(Tavrin& list, Desktop& desk, SelectModeStyleCts style) {
    list.SetWordWrap(false);
    list.SetItemHeightAuto(false);
    list.SetItemHeight(22);
    list.SetSelectModeStyle(style);
    addFruit(list, 8, std::make_shared<software::SoftwareImageList>(desk, 16, 16, 8, 3));
    list.SetItemTextLeft(22);
    list.SetSelectMode(SelectModeCts::Multiple);
    list.SetItemSelected(3, true);
    list.SetListIndex(1);
    list.SetItemSelected(1, true);
}

void wrapped(Tavrin& list, Desktop& desk, SelectModeStyleCts style, AlignmentCts alignment) {
    list.SetAppearance(AppearanceCts::Flat);
    list.SetBorderColor(0xB99A7E);
    list.SetBorderWidth(2);
    list.SetItemHeightAuto(false);
    list.SetItemHeight(34);
    list.SetItemOffset(2);
    list.SetItemTextLeft(22);
    list.SetAlignment(alignment);
    list.SetSelectModeStyle(style);
    list.SetImageList(Variant::object(std::make_shared<software::SoftwareImageList>(desk, 16, 16, 8, 3)));
    for (int i = 0; i < 4; ++i)
        list.AddItem(Variant::string(std::u16string(kWrapped[i])), static_cast<int16_t>(i + 4),
                     static_cast<int16_t>(i + 1));
    list.SetListIndex(1);
}

std::vector<Tile> tiles() {
    auto styled = [](SelectModeStyleCts style) {
        return [style](Tavrin& l, Desktop& d) { singleLine(l, d, style); };
    };
    return {
        {u"Standard", styled(SelectModeStyleCts::Standard)},
        {u"Dither",
         [](Tavrin& l, Desktop& d) {
             l.SetBackSelected(0x80C0F0);
             l.SetFontSelected(0x203050);
             singleLine(l, d, SelectModeStyleCts::Dither);
         }},
        {u"Gradient_V",
         [](Tavrin& l, Desktop& d) {
             l.SetBackSelectedG1(0xF3D9B8);
             l.SetBackSelectedG2(0xC8843E);
             singleLine(l, d, SelectModeStyleCts::Gradient_V);
         }},
        {u"Gradient_H",
         [](Tavrin& l, Desktop& d) {
             l.SetBackSelectedG1(0xC56A31);
             l.SetBackSelectedG2(0xFFFFFF);
             l.SetFontSelected(0x000000);
             singleLine(l, d, SelectModeStyleCts::Gradient_H);
         }},
        {u"Box, radius 8",
         [](Tavrin& l, Desktop& d) {
             l.SetBackSelected(0xFBEAD9);
             l.SetBoxBorder(0xC56A31);
             l.SetFontSelected(0x6B3A1A);
             singleLine(l, d, SelectModeStyleCts::Box);
             l.SetBoxOffset(2);
             l.SetBoxRadius(8);
         }},
        {u"Underline",
         [](Tavrin& l, Desktop& d) {
             l.SetFontSelected(0x1A46C8);
             singleLine(l, d, SelectModeStyleCts::Underline);
         }},
        {u"byPicture",
         [](Tavrin& l, Desktop& d) {
             l.SetSelectionPicture(ribbonPicture());
             l.SetFontSelected(0x202020);
             singleLine(l, d, SelectModeStyleCts::byPicture);
         }},
        {u"Flat, scrolling",
         [](Tavrin& l, Desktop& d) {
             l.SetAppearance(AppearanceCts::Flat);
             l.SetTheme(ctsListThemes::XPOlive);
             l.SetBorderColor(0x5A8C7A);
             l.SetBackSelected(0x4F9A7B);
             singleLine(l, d, SelectModeStyleCts::Standard);
             for (int i = 0; i < 6; ++i)
                 l.AddItem(Variant::string(std::u16string(u"More ") + kFruit[i]), static_cast<int16_t>(i + 1),
                           1);
         }},
        {u"Wrapped, Flat, Box",
         [](Tavrin& l, Desktop& d) {
             l.SetBackSelected(0xE6F4FF);
             l.SetBoxBorder(0x3C8CE0);
             l.SetFontSelected(0x1A3A70);
             l.SetBoxRadius(6);
             wrapped(l, d, SelectModeStyleCts::Box, AlignmentCts::AlignLeft);
         }},
        {u"Wrapped, centred",
         [](Tavrin& l, Desktop& d) {
             l.SetBackSelectedG1(0xE0B070);
             l.SetBackSelectedG2(0xFAF0E4);
             l.SetFontSelected(0x202020);
             wrapped(l, d, SelectModeStyleCts::Gradient_V, AlignmentCts::AlignCenter);
         }},
        {u"Design time", [](Tavrin&, Desktop&) {}, true},
        {u"Required field",
         [](Tavrin& l, Desktop& d) {
             l.SetAppearance(AppearanceCts::Flat);
             l.SetBorderColor(0x9C9CE0);
             l.SetRequiredField(true);
             singleLine(l, d, SelectModeStyleCts::Standard);
         },
         false, true},
    };
}

// A list placed, dressed, focused when it is a run-time list, and composed with its frame.
std::vector<uint32_t> renderTile(Desktop& desk, const Tile& tile, int32_t& w, int32_t& h) {
    desk.ambient().userMode = !tile.designTime;
    desk.ambient().displayName = u"lstFruit";
    auto site = desk.createControlSite(u"Tavrin", kListW, kListH);
    Tavrin list(*site);
    if (tile.loaded)
        list.ReadProperties(platform::PropertyBag{});
    else
        list.InitProperties();
    site->resizeClient(kListW, kListH);
    tile.dress(list, desk);
    site->resizeClient(kListW, kListH);
    desk.flushPaints();
    if (!tile.designTime) desk.focusWindow(TavrinAccess::iUC(list).hWnd());
    desk.flushPaints();
    auto pixels = desk.compose(site->hWnd(), true, w, h);
    desk.focusWindow(0);
    list.Terminate();
    return pixels;
}

Image render() {
    Desktop desk;
    const int32_t width = 2 * kMargin + kColumns * kTileW, height = kTitleH + kRows * kTileH + kMargin;
    software::SoftwareSurface canvas(desk.softwareGdi(), width, height);
    canvas.SetBackColor(kCanvas);
    canvas.Cls();
    printText(canvas, desk, u"Tavrin", kMargin, 12, kInk, 15, true);
    printText(canvas, desk,
              u"owner-drawn list box: seven selection styles, single-line and wrapped, 3D and Flat",
              kMargin + 78, 18, kMuted, 9, false);
    const std::vector<Tile> all = tiles();
    auto origin = [](size_t i) {
        return std::pair{kMargin + static_cast<int32_t>(i % kColumns) * kTileW,
                         kTitleH + static_cast<int32_t>(i / kColumns) * kTileH};
    };
    for (size_t i = 0; i < all.size(); ++i)
        printText(canvas, desk, all[i].caption, origin(i).first + 2, origin(i).second, kInk, 9, true);
    Image image(width, height, kCanvas);
    image.pixels.assign(canvas.pixels(), canvas.pixels() + size_t(width) * height);
    for (size_t i = 0; i < all.size(); ++i) {
        int32_t w = 0, h = 0;
        const std::vector<uint32_t> px = renderTile(desk, all[i], w, h);
        image.place(px, w, h, origin(i).first, origin(i).second + kCaptionH);
    }
    return image;
}

const bool registered = registerPage({"list.png", render});

} // namespace
} // namespace tavrin::gallery
