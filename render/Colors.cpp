// Colour resolution: host colours to the plain RGB values and gradient channels the painters use.
//
// Each colour property keeps a resolved copy beside it. The copies are refreshed all at once when
// the defaults are set or the stored properties are read (ResolveColors), and one at a time by the
// property's own let. A system colour is therefore fixed at that moment: a later change of the
// system colours shows only after the next set or read.
#include "tavrin/Tavrin.h"

#include "tavrin/automation/AutomationError.h"

namespace tavrin {

namespace {

constexpr uint32_t kSystemColourFlag = 0x80000000u;
constexpr uint32_t kSystemColourIndexMask = 0x7FFFFFFFu;
constexpr uint32_t kLargestRgb = 0x00FFFFFFu;

// One 8-bit channel as the 16-bit gradient channel (0xFF becomes 0xFF00).
uint16_t channelOf(uint32_t rgb, int shift) {
    return static_cast<uint16_t>(((rgb >> shift) & 0xFFu) << 8);
}

} // namespace

// A colour with the high bit clear is RGB already; otherwise its low bits name a system colour.
uint32_t Tavrin::TranslateColor(uint32_t oleColor) const {
    if ((oleColor & kSystemColourFlag) == 0) return oleColor;
    return site_.services().gdi().GetSysColor(static_cast<int32_t>(oleColor & kSystemColourIndexMask));
}

// Only six hexadecimal digits (BBGGRR) fit a vertex; anything wider is an invalid argument (5),
// which reaches whoever set or read the gradient colour.
Vertex Tavrin::ColorToVertex(uint32_t rgb) {
    if (rgb > kLargestRgb) raise(err::InvalidCall);
    return Vertex{channelOf(rgb, 0), channelOf(rgb, 8), channelOf(rgb, 16)};
}

void Tavrin::ResolveColors() {
    p_BackNormalRGB = TranslateColor(BackNormal_);
    p_BackSelectedRGB = TranslateColor(BackSelected_);
    p_GradientFrom = ColorToVertex(TranslateColor(BackSelectedG1_));
    p_GradientTo = ColorToVertex(TranslateColor(BackSelectedG2_));
    p_BoxBorderRGB = TranslateColor(BoxBorder_);
    p_FontNormalRGB = TranslateColor(FontNormal_);
    p_FontSelectedRGB = TranslateColor(FontSelected_);
}

} // namespace tavrin
