// The device-context functions on real GDI: our handles stand for real device contexts, brushes and
// pens, and the brushes and pens created through this object are counted while they live.
//
// The header names no Windows type, so that code using the platform's constants can include it
// beside the Windows headers; real handles pass as void*.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "tavrin/platform/Gdi.h"

namespace tavrin::win32 {

class Win32Gdi : public platform::Gdi {
  public:
    Win32Gdi() = default;
    ~Win32Gdi() override;
    Win32Gdi(const Win32Gdi&) = delete;
    Win32Gdi& operator=(const Win32Gdi&) = delete;

    // A device context that draws text transparently from now on; its stock objects become known.
    platform::HDC registerDc(void* realDc);
    void unregisterDc(platform::HDC dc);
    void* realDc(platform::HDC dc) const; // nullptr for an unknown handle

    platform::COLORREF GetSysColor(int32_t index) override;
    platform::HBRUSH CreateSolidBrush(platform::COLORREF color) override;
    platform::HPEN CreatePen(int32_t style, int32_t width, platform::COLORREF color) override;
    platform::HGDIOBJ SelectObject(platform::HDC dc, platform::HGDIOBJ object) override;
    bool DeleteObject(platform::HGDIOBJ object) override;
    int32_t FillRect(platform::HDC dc, const platform::RECT& rect, platform::HBRUSH brush) override;
    bool PatBlt(platform::HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop) override;
    bool GradientFill(platform::HDC dc, const platform::TRIVERTEX* vertices, uint32_t vertexCount,
                      const platform::GRADIENT_RECT* rects, uint32_t rectCount, uint32_t mode) override;
    bool RoundRect(platform::HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   int32_t cornerWidth, int32_t cornerHeight) override;
    platform::COLORREF SetTextColor(platform::HDC dc, platform::COLORREF color) override;
    int32_t DrawTextA(platform::HDC dc, std::u16string_view text, platform::RECT& rect,
                      uint32_t format) override;
    bool DrawFocusRect(platform::HDC dc, const platform::RECT& rect) override;
    int32_t liveObjects() const override { return live_; }

  private:
    struct Object {
        void* real;
        bool stock;         // belongs to the system: never counted, never deleted by us
        int32_t selectedIn; // how many of our device contexts hold it selected
    };
    platform::HGDIOBJ handleOf(void* real, bool stock);
    void* realObject(platform::HGDIOBJ object) const;

    std::unordered_map<platform::HGDIOBJ, Object> objects_;
    std::unordered_map<void*, platform::HGDIOBJ> byReal_;
    std::unordered_map<platform::HDC, void*> dcs_;
    int32_t nextHandle_ = 0x2000;
    int32_t live_ = 0;
};

} // namespace tavrin::win32
