// Colour resolution: host colours to the plain RGB values and gradient channels the painters use.
//
// Each colour property keeps a resolved copy beside it. The copies are refreshed all at once when
// the defaults are set or the stored properties are read (ResolveColors), and one at a time by the
// property's own let. A system colour is therefore fixed at that moment: a later change of the
// system colours shows only after the next set or read.
#include "tavrin/Tavrin.h"

#include "tavrin/automation/AutomationError.h"
#include "tavrin/platform/SystemColors.h"

namespace tavrin {

namespace {

// The control passes every bit but the flag on as the index, not only the low byte as hosts do.
constexpr uint32_t kSystemColourIndexMask = ~platform::kSystemColorFlag;

// One 8-bit channel as the 16-bit gradient channel (0xFF becomes 0xFF00).
uint16_t channelOf(uint32_t rgb, int shift) {
    return static_cast<uint16_t>(((rgb >> shift) & 0xFFu) << 8);
}

} // namespace

// A colour with the high bit clear is RGB already; otherwise its low bits name a system colour.
uint32_t Tavrin::TranslateColor(uint32_t oleColor) const {
    if (!platform::isSystemColor(oleColor)) return oleColor;
    return site_.services().gdi().GetSysColor(static_cast<int32_t>(oleColor & kSystemColourIndexMask));
}

// Only six hexadecimal digits (BBGGRR) fit a vertex; anything wider is an invalid argument (5),
// which reaches whoever set or read the gradient colour.
Vertex Tavrin::ColorToVertex(uint32_t rgb) {
    if (rgb > platform::kRgbMask) raise(err::InvalidCall);
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
