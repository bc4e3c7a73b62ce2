// The device-context drawing functions that the list paints with, and their types.
//
// Colours are 0x00BBGGRR (red in the low byte). Rectangles exclude their right and bottom edges.
// A handle of 0 is "none"; a call on a bad handle fails (returns 0 / false) and draws nothing.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavrin::platform {

using HDC = int32_t;
using HGDIOBJ = int32_t;
using HBRUSH = HGDIOBJ;
using HPEN = HGDIOBJ;
using COLORREF = uint32_t;

struct RECT {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const RECT&) const = default;
};

struct POINT {
    int32_t x = 0, y = 0;
};

struct TRIVERTEX {
    int32_t x = 0, y = 0;
    uint16_t Red = 0, Green = 0, Blue = 0, Alpha = 0; // channel x 256
};

struct GRADIENT_RECT {
    uint32_t UpperLeft = 0, LowerRight = 1;
};

constexpr uint32_t GRADIENT_FILL_RECT_H = 0;
constexpr uint32_t GRADIENT_FILL_RECT_V = 1;
constexpr uint32_t DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_WORDBREAK = 0x10,
                   DT_SINGLELINE = 0x20;
constexpr uint32_t DSTINVERT = 0x00550009, PATCOPY = 0x00F00021, ROP_DPa = 0x00A000C9; // dest AND brush
constexpr int32_t PS_SOLID = 0;

inline void SetRect(RECT& r, int32_t l, int32_t t, int32_t rr, int32_t b) {
    r = {l, t, rr, b};
}
inline void InflateRect(RECT& r, int32_t dx, int32_t dy) {
    r.left -= dx;
    r.top -= dy;
    r.right += dx;
    r.bottom += dy;
}
inline bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

class Gdi {
  public:
    virtual ~Gdi() = default;

    virtual COLORREF GetSysColor(int32_t index) = 0;
    virtual HBRUSH CreateSolidBrush(COLORREF color) = 0;
    virtual HPEN CreatePen(int32_t style, int32_t width, COLORREF color) = 0;
    // Returns the object of the same kind that was selected before (0 on failure).
    virtual HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) = 0;
    // Fails for an object still selected into a device context.
    virtual bool DeleteObject(HGDIOBJ object) = 0;

    virtual int32_t FillRect(HDC dc, const RECT& rect, HBRUSH brush) = 0;
    // rop ROP_DPa: every pixel becomes destination AND the selected brush's colour.
    virtual bool PatBlt(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop) = 0;
    virtual bool GradientFill(HDC dc, const TRIVERTEX* vertices, uint32_t vertexCount,
                              const GRADIENT_RECT* rects, uint32_t rectCount, uint32_t mode) = 0;
    // Outline in the selected pen, inside in the selected brush; corner 0 gives square corners.
    virtual bool RoundRect(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                           int32_t cornerWidth, int32_t cornerHeight) = 0;
    // Returns the previous text colour.
    virtual COLORREF SetTextColor(HDC dc, COLORREF color) = 0;
    // Text in the device context's font and text colour, transparent background, clipped to rect.
    // Returns the height of the text drawn.
    virtual int32_t DrawTextA(HDC dc, std::u16string_view text, RECT& rect, uint32_t format) = 0;
    // Dotted frame drawn by XOR: a second call with the same rectangle restores every pixel.
    virtual bool DrawFocusRect(HDC dc, const RECT& rect) = 0;

    // Brushes and pens created and not yet deleted.
    virtual int32_t liveObjects() const = 0;
};

} // namespace tavrin::platform
