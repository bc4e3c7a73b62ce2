// The scripts pages: names of people, places and files in ten scripts and emoji, in real Tavrin
// lists single-line and wrapped (left, centred and right aligned), and the three scroll bar themes
// beside them. scripts.png shows them on a screen of 96 dots per inch, scripts-2x.png on one of
// twice that density: the same rows, twice the pixels, text and pictures drawn anew, not stretched.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GalleryPage.h"
#include "control/TavrinAccess.h"
#include "platform/software/Desktop.h"
#include "scrollbar/XPVScrollAccess.h"
#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"

namespace tavrin::gallery {
namespace {

using software::Desktop;

// Sizes at scale 1; every one is multiplied by the page's scale.
constexpr int32_t kListW = 196, kListH = 232, kMargin = 16, kTitleH = 44, kCaptionH = 20, kGap = 14;
constexpr int32_t kBarW = 17, kBarH = 232, kBarGap = 8;
constexpr uint32_t kCanvas = 0xF7F3F0, kInk = 0x3A3330, kMuted = 0x7A706A;

const char16_t* const kNames[] = {
    u"Zo\u00EB \u00C5ngstr\u00F6m, \u0141\u00F3d\u017A",                               // Latin
    u"\u0391\u03B8\u03AE\u03BD\u03B1, \u0395\u03BB\u03BB\u03AC\u03B4\u03B1",           // Greek
    u"\u041C\u043E\u0441\u043A\u0432\u0430, \u0420\u043E\u0441\u0441\u0438\u044F",     // Cyrillic
    u"\u5317\u4EAC\u5E02\u671D\u9633\u533A",                                           // Chinese
    u"\u6771\u4EAC\u90FD\u306E\u3055\u304F\u3089.txt",                                 // Japanese
    u"\uC11C\uC6B8\uD2B9\uBCC4\uC2DC \uAC15\uB0A8\uAD6C",                              // Korean
    u"\u0627\u0644\u0642\u0627\u0647\u0631\u0629\u060C \u0645\u0635\u0631",            // Arabic
    u"\u05D9\u05E8\u05D5\u05E9\u05DC\u05D9\u05DD, \u05D9\u05E9\u05E8\u05D0\u05DC",     // Hebrew
    u"\u0928\u0908 \u0926\u093F\u0932\u094D\u0932\u0940, \u092D\u093E\u0930\u0924",    // Hindi
    u"\u0E01\u0E23\u0E38\u0E07\u0E40\u0E17\u0E1E\u0E21\u0E2B\u0E32\u0E19\u0E04\u0E23", // Thai
    u"Party \U0001F389 \U0001F600 \u2764\uFE0F",                                       // emoji
};

const char16_t* const kLongNames[] = {
    u"\u5317\u4EAC\u5E02\u671D\u9633\u533A\u5EFA\u56FD\u8DEF\u516B\u5341\u516B\u53F7\u73B0\u4EE3"
    u"\u57CE\u4E94\u53F7"
    u"\u697C\u4E8C\u5355\u5143", // a Beijing address
    u"\u6771\u4EAC\u90FD\u5343\u4EE3\u7530\u533A\u4E38\u306E\u5185\u4E00\u4E01\u76EE\u4E5D\u756A"
    u"\u4E8C\u53F7 "
    u"\u6771\u4EAC\u99C5\u524D\u30D3\u30EB", // a Tokyo address
    u"\u0645\u0643\u062A\u0628\u0629 "
    u"\u0627\u0644\u0625\u0633\u0643\u0646\u062F\u0631\u064A\u0629 \u0639\u0644\u0649 "
    u"\u0634\u0627\u0637\u0626 \u0627\u0644\u0628\u062D\u0631 "
    u"\u0627\u0644\u0623\u0628\u064A\u0636 "
    u"\u0627\u0644\u0645\u062A\u0648\u0633\u0637", // the Library of Alexandria
    u"\u05E8\u05D7\u05D5\u05D1 \u05D3\u05D9\u05D6\u05E0\u05D2\u05D5\u05E3 50, \u05EA\u05DC "
    u"\u05D0\u05D1\u05D9\u05D1-"
    u"\u05D9\u05E4\u05D5, \u05D9\u05E9\u05E8\u05D0\u05DC", // a street in Tel Aviv
    u"\u0E2B\u0E49\u0E2D\u0E07\u0E2A\u0E21\u0E38\u0E14\u0E41\u0E2B\u0E48\u0E07\u0E0A\u0E32\u0E15"
    u"\u0E34\u0E01\u0E23"
    u"\u0E38\u0E07\u0E40\u0E17\u0E1E\u0E21\u0E2B\u0E32\u0E19\u0E04\u0E23\u0E41\u0E25\u0E30\u0E1E"
    u"\u0E34\u0E1E\u0E34"
    u"\u0E18\u0E20\u0E31\u0E13\u0E11\u0E4C", // a library and museum
    u"example.org/files/reports/2024/summary.pdf",
    u"\uC11C\uC6B8\uD2B9\uBCC4\uC2DC \uC885\uB85C\uAD6C \uC138\uC885\uB300\uB85C 175 "
    u"\uC138\uC885\uBB38\uD654\uD68C\uAD00", // a hall in Seoul
    u"\u092E\u0941\u0902\u092C\u0908 \u0915\u0947 \u092A\u093E\u0938 \u090F\u0915 "
    u"\u091B\u094B\u091F\u093E "
    u"\u0917\u093E\u0901\u0935 \u0914\u0930 \u0909\u0938\u0915\u093E "
    u"\u0938\u094D\u0915\u0942\u0932", // a village school
};

struct Tile {
    std::u16string caption;
    bool wrapped;
    AlignmentCts alignment;
};

const Tile kTiles[] = {
    {u"Single line", false, AlignmentCts::AlignLeft},
    {u"Wrapped, left", true, AlignmentCts::AlignLeft},
    {u"Wrapped, centred", true, AlignmentCts::AlignCenter},
    {u"Wrapped, right", true, AlignmentCts::AlignRight},
};

int32_t scaled(int32_t px, double scale) {
    return static_cast<int32_t>(px * scale + 0.5);
}

std::vector<uint32_t> renderList(const Tile& tile, double scale, int32_t& w, int32_t& h) {
    Desktop desk(software::DesktopOptions::atScale(scale));
    desk.ambient().displayName = u"lstNames";
    auto site = desk.createControlSite(u"Tavrin", scaled(kListW, scale), scaled(kListH, scale));
    Tavrin list(*site);
    list.InitProperties();
    site->resizeClient(scaled(kListW, scale), scaled(kListH, scale));
    list.SetWordWrap(tile.wrapped);
    list.SetAlignment(tile.alignment);
    if (tile.wrapped) {
        list.SetItemHeightAuto(false);
        list.SetItemHeight(static_cast<int16_t>(scaled(37, scale))); // two lines of the tallest faces
        list.SetItemOffset(static_cast<int16_t>(scaled(2, scale)));
        for (const char16_t* name : kLongNames)
            list.AddItem(Variant::string(name));
    } else {
        for (const char16_t* name : kNames)
            list.AddItem(Variant::string(name));
    }
    list.SetListIndex(tile.wrapped ? 2 : 6);
    site->resizeClient(scaled(kListW, scale), scaled(kListH, scale));
    desk.flushPaints();
    desk.focusWindow(TavrinAccess::iUC(list).hWnd());
    desk.flushPaints();
    auto pixels = desk.compose(site->hWnd(), true, w, h);
    desk.focusWindow(0);
    list.Terminate();
    return pixels;
}

// One scroll bar of a theme, plain or with the cursor over its thumb.
std::vector<uint32_t> renderBar(int32_t theme, bool hot, double scale, int32_t& w, int32_t& h) {
    Desktop desk(software::DesktopOptions::atScale(scale));
    auto site = desk.createControlSite(u"XPVScroll", scaled(kBarW, scale), scaled(kBarH, scale));
    XPVScroll bar(*site);
    platform::PropertyBag bag;
    bag.set("Theme", Variant::i4(theme));
    bag.set("Max", Variant::r8(100));
    bag.set("LargeChange", Variant::r8(20));
    bag.set("Value", Variant::r8(30));
    bar.ReadProperties(bag);
    desk.flushPaints();
    if (hot) {
        const double twipsPerPixel = desk.options().twipsPerPixel;
        const auto y =
            static_cast<float>(XPVScrollAccess::pieceRect(bar, BarPiece::Thumb).middle() / twipsPerPixel);
        desk.mouseMove(site->hWnd(), static_cast<float>(scaled(kBarW, scale) / 2), y, 0, 0);
        desk.flushPaints();
    }
    auto pixels = desk.compose(site->hWnd(), false, w, h);
    bar.Terminate();
    return pixels;
}

Image render(double scale) {
    const int32_t tiles = sizeof(kTiles) / sizeof(kTiles[0]);
    const int32_t barsW = 6 * kBarW + 5 * kBarGap + 40; // room for the caption
    const int32_t width = 2 * kMargin + tiles * (kListW + 4 + kGap) + barsW,
                  height = kTitleH + kCaptionH + kListH + 4 + kMargin;
    Desktop desk(software::DesktopOptions::atScale(scale));
    software::SoftwareSurface canvas(desk.softwareGdi(), scaled(width, scale), scaled(height, scale),
                                     platform::ScaleMode::Pixels, desk.options().twipsPerPixel);
    canvas.SetBackColor(kCanvas);
    canvas.Cls();
    auto at = [scale](int32_t v) { return static_cast<double>(scaled(v, scale)); };
    printText(canvas, desk, u"Every script", at(kMargin), at(10), kInk, 15, true);
    printText(canvas, desk,
              scale == 1 ? u"names of people, places and files; the scroll bar themes beside them (96 dpi)"
                         : u"the same lists and scroll bars on a screen of twice the density",
              at(kMargin + 150), at(16), kMuted, 9, false);
    Image image(canvas.widthPx(), canvas.heightPx(), kCanvas);
    for (int32_t i = 0; i < tiles; ++i) {
        const int32_t x = kMargin + i * (kListW + 4 + kGap);
        printText(canvas, desk, kTiles[i].caption, at(x + 2), at(kTitleH), kInk, 9, true);
    }
    printText(canvas, desk, u"XPBlue, XPSilver, XPOlive", at(kMargin + tiles * (kListW + 4 + kGap)),
              at(kTitleH), kInk, 9, true);
    image.pixels.assign(canvas.pixels(), canvas.pixels() + size_t(canvas.widthPx()) * canvas.heightPx());
    for (int32_t i = 0; i < tiles; ++i) {
        int32_t w = 0, h = 0;
        const std::vector<uint32_t> px = renderList(kTiles[i], scale, w, h);
        image.place(px, w, h, scaled(kMargin + i * (kListW + 4 + kGap), scale),
                    scaled(kTitleH + kCaptionH, scale));
    }
    for (int32_t theme = 0; theme < 3; ++theme)
        for (int32_t hot = 0; hot < 2; ++hot) {
            int32_t w = 0, h = 0;
            const std::vector<uint32_t> px = renderBar(theme, hot == 1, scale, w, h);
            const int32_t x = kMargin + tiles * (kListW + 4 + kGap) + (theme * 2 + hot) * (kBarW + kBarGap);
            image.place(px, w, h, scaled(x, scale), scaled(kTitleH + kCaptionH + 2, scale));
        }
    return image;
}

const bool registeredOne = registerPage({"scripts.png", [] { return render(1.0); }});
const bool registeredTwo = registerPage({"scripts-2x.png", [] { return render(2.0); }});

} // namespace
} // namespace tavrin::gallery
