// A drawing surface over a Windows memory device context holding a 32-bit DIB section: every
// drawing call lands in the bitmap at once; a window presents the bitmap when the system asks.
//
// Text is drawn by GDI in the DejaVu faces that the program carries (see Win32Fonts.h), so the
// same face shows on every Windows machine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/win32/Win32Gdi.h"
#include "tavrin/platform/DrawingSurface.h"
#include "tavrin/platform/SystemColors.h"

namespace tavrin::win32 {

class Win32Surface : public platform::DrawingSurface {
  public:
    // twipsPerPixel converts the twips scale and sizes fonts (15 is 96 dots per inch).
    Win32Surface(Win32Gdi& gdi, int32_t width, int32_t height,
                 platform::ScaleMode mode = platform::ScaleMode::Pixels, double twipsPerPixel = 15.0);
    ~Win32Surface() override;
    Win32Surface(const Win32Surface&) = delete;
    Win32Surface& operator=(const Win32Surface&) = delete;

    // New size in pixels: the old pixels stay at the top left, new ones take the background colour.
    void resize(int32_t width, int32_t height);
    int32_t widthPx() const { return width_; }
    int32_t heightPx() const { return height_; }
    uint32_t pixelAt(int32_t x, int32_t y) const; // 0x00BBGGRR; 0xFFFFFFFF outside
    void* memoryDc() const { return memDc_; }     // the real device context, for presenting
    uint32_t resolvedBackColor() const;

    // platform::DrawingSurface
    platform::HDC hDC() override { return dc_; }
    uint32_t BackColor() const override { return backColor_; }
    void SetBackColor(uint32_t oleColor) override { backColor_ = oleColor; }
    void Cls() override;
    platform::FontDesc Font() const override { return font_; }
    void SetFont(const platform::FontDesc& font) override;
    bool FontUnderline() const override { return font_.underline; }
    void SetFontUnderline(bool underline) override;
    double TextHeight(std::u16string_view text) override;
    double TextWidth(std::u16string_view text) override;
    double CurrentX() const override { return currentX_; }
    double CurrentY() const override { return currentY_; }
    void SetCurrentX(double x) override { currentX_ = x; }
    void SetCurrentY(double y) override { currentY_ = y; }
    void Print(std::u16string_view text) override;
    void Line(double x1, double y1, double x2, double y2, uint32_t rgb) override;
    void PSet(double x, double y, uint32_t rgb) override;
    uint32_t Point(double x, double y) const override;
    void PaintPicture(const platform::Picture* picture, double x, double y, std::optional<double> width = {},
                      std::optional<double> height = {}) override;
    platform::ScaleMode scaleMode() const override { return mode_; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;

  private:
    void createBitmap(int32_t width, int32_t height);
    void selectFont();
    double toPixelsX(double v) const;
    double toPixelsY(double v) const;
    double fromPixels(double v) const;
    int32_t pixelCoordX(double v) const; // scale units to a whole pixel; raises Overflow when unreachable
    int32_t pixelCoordY(double v) const;

    Win32Gdi& gdi_;
    int32_t width_ = 0, height_ = 0;
    void* memDc_ = nullptr;
    void* bitmap_ = nullptr;
    void* oldBitmap_ = nullptr;
    void* font_handle_ = nullptr;
    void* oldFont_ = nullptr;
    uint32_t* bits_ = nullptr; // 0x00RRGGBB, rows from the top
    platform::ScaleMode mode_;
    double twipsPerPixel_;
    platform::HDC dc_ = 0;
    uint32_t backColor_ = platform::oleColor(platform::SysColor::Window);
    platform::FontDesc font_;
    double currentX_ = 0, currentY_ = 0;
};

// The real font of a font description at a pixel scale (DejaVu faces carried by the program); the
// caller deletes it.
void* createFont(const platform::FontDesc& font, double twipsPerPixel);
// Makes the program's DejaVu faces known to GDI for this process (once; later calls do nothing).
void addProgramFonts();

} // namespace tavrin::win32
