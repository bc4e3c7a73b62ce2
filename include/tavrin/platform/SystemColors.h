// The system colours: their indices as GetSysColor takes them, and the host colours (OLE_COLOR)
// that refer to them. A host colour with the high bit set names the system colour of its low byte;
// one without it is RGB (0x00BBGGRR). The controls' defaults, the hosts' own controls and the
// colour tables of every host take their numbers from here.
#pragma once

#include <cstdint>

namespace tavrin::platform {

enum class SysColor : int32_t {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHighlight = 29,
    MenuBar = 30,
};
constexpr int32_t kSysColorCount = 31; // indices 0 to 30

constexpr uint32_t kSystemColorFlag = 0x80000000u; // the high bit: a reference, not RGB
constexpr uint32_t kRgbMask = 0x00FFFFFFu;

// The host colour that refers to system colour `color` (0x80000005 for the window background).
constexpr uint32_t oleColor(SysColor color) {
    return kSystemColorFlag | static_cast<uint32_t>(color);
}
constexpr bool isSystemColor(uint32_t oleColor) {
    return (oleColor & kSystemColorFlag) != 0;
}
// How a host resolves a reference: the low byte is the index.
constexpr int32_t sysColorIndex(uint32_t oleColor) {
    return static_cast<int32_t>(oleColor & 0xFFu);
}
// A host colour as RGB the way every host resolves it, `sysColor` answering a system colour index.
template <class SysColorOf> uint32_t resolveOleColor(uint32_t oleColor, SysColorOf&& sysColor) {
    if (isSystemColor(oleColor)) return static_cast<uint32_t>(sysColor(sysColorIndex(oleColor))) & kRgbMask;
    return oleColor & kRgbMask;
}

} // namespace tavrin::platform
