// A 32-bit software surface with its device context: every drawing operation of the controls.
//
// Pixels are 0x00BBGGRR. The surface's scale is pixels or twips (the scroll bar's); coordinates of
// the DrawingSurface members are in that scale, those of the device-context functions always in
// pixels.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "tavrin/platform/DrawingSurface.h"
#include "tavrin/platform/Gdi.h"
#include "tavrin/platform/SystemColors.h"

namespace tavrin::software {

class SoftwareGdi;
class SizedFont;

// The stock objects every device context starts with; they are never counted nor deleted.
constexpr platform::HBRUSH kStockWhiteBrush = 0x1F00;
constexpr platform::HPEN kStockBlackPen = 0x1F01;

class SoftwareSurface final : public platform::DrawingSurface {
  public:
    // twipsPerPixel converts the twips scale and sizes fonts (15 is 96 dots per inch). The surface
    // registers with gdi for its device context; gdi resolves its system colours.
    SoftwareSurface(SoftwareGdi& gdi, int32_t width, int32_t height,
                    platform::ScaleMode mode = platform::ScaleMode::Pixels, double twipsPerPixel = 15.0);
    ~SoftwareSurface() override;
    SoftwareSurface(const SoftwareSurface&) = delete;
    SoftwareSurface& operator=(const SoftwareSurface&) = delete;

    // New size in pixels: the old pixels stay at the top left, new ones take the background colour.
    void resize(int32_t width, int32_t height);
    int32_t widthPx() const { return width_; }
    int32_t heightPx() const { return height_; }
    uint32_t* pixels() {
        flushPending();
        touch(); // the caller may write
        return pixels_.data();
    }
    const uint32_t* pixels() const {
        flushPending();
        return pixels_.data();
    }
    uint32_t pixelAt(int32_t x, int32_t y) const; // 0xFFFFFFFF outside
    uint32_t resolvedBackColor() const;           // BackColor as RGB

    // platform::DrawingSurface
    platform::HDC hDC() override { return dc_; }
    uint32_t BackColor() const override { return backColor_; }
    void SetBackColor(uint32_t oleColor) override;
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
    uint64_t contentRevision() const override { return revision_; }
    bool moveBand(const platform::RECT& band, int32_t dy) override;
    bool pixelRowsOf(std::span<const double> ys, std::span<int32_t> rows) const override;
    platform::ScaleMode scaleMode() const override { return mode_; }
    double ScaleWidth() const override;
    double ScaleHeight() const override;

    // Device-context state, used by SoftwareGdi.
    struct DcState {
        platform::HBRUSH brush = kStockWhiteBrush;
        platform::HPEN pen = kStockBlackPen;
        platform::COLORREF textColor = 0;
    };
    DcState& dcState() { return dcState_; }
    SoftwareGdi& gdi() { return gdi_; }

    // Drawing primitives in pixels, clipped to the surface. Empty or inverted rectangles draw nothing.
    void fillRect(const platform::RECT& r, uint32_t rgb);
    void andRect(const platform::RECT& r, uint32_t rgb);
    void xorRect(const platform::RECT& r, uint32_t rgb);
    void xorPixel(int32_t x, int32_t y, uint32_t rgb);
    // A linear blend over r from `from` to `to` (16-bit channels), left to right or top to bottom.
    void gradientRect(const platform::RECT& r, const platform::TRIVERTEX& from, const platform::TRIVERTEX& to,
                      bool vertical);
    // Outline in penRgb (none when empty), inside in brushRgb; corners of a quarter-ellipse.
    void roundRect(const platform::RECT& r, int32_t cornerWidth, int32_t cornerHeight,
                   std::optional<uint32_t> penRgb, uint32_t brushRgb);
    // The dotted frame: every other pixel of the border, inverted.
    void focusRect(const platform::RECT& r);
    // Text: returns the height of the text block drawn.
    int32_t drawText(std::u16string_view text, platform::RECT& rect, uint32_t format, uint32_t rgb);
    // A picture stretched into the pixel rectangle; transparent pixels skipped when honoured.
    void blit(const platform::Picture& picture, const platform::RECT& dest, bool honourTransparency);

  private:
    // Visits the part of r inside the surface, one row span at a time: op(row, x0, x1, y).
    template <class SpanOp> void forEachSpan(const platform::RECT& r, SpanOp op);
    void setPixel(int32_t x, int32_t y, uint32_t rgb);
    SizedFont& sizedFont();
    // Twips, the controls' own scale, is taken both ways without the table of modes: a jump through
    // it costs more than the conversion on the paths that run for every item added.
    double toPixelsX(double v) const {
        return mode_ == platform::ScaleMode::Twips ? v / twipsPerPixel_ : scaledToPixels(v, false);
    }
    double toPixelsY(double v) const {
        return mode_ == platform::ScaleMode::Twips ? v / twipsPerPixel_ : scaledToPixels(v, true);
    }
    double fromPixels(double v) const {
        return mode_ == platform::ScaleMode::Twips ? v * twipsPerPixel_ : scaledFromPixels(v, false);
    }
    double fromPixelsY(double v) const {
        return mode_ == platform::ScaleMode::Twips ? v * twipsPerPixel_ : scaledFromPixels(v, true);
    }
    double scaledToPixels(double v, bool vertical) const; // any other scale
    double scaledFromPixels(double v, bool vertical) const;
    int32_t pixelCoordX(double v) const; // scale units to a whole pixel; raises Overflow when unreachable
    int32_t pixelCoordY(double v) const;
    // Draws the pending repaint, if any, before anything reads or changes the pixels.
    void flushPending() const;
    void blitNow(const platform::Picture& picture, const platform::RECT& dest, bool honourTransparency) const;

    SoftwareGdi& gdi_;
    int32_t width_, height_;
    mutable std::vector<uint32_t> pixels_;
    mutable uint64_t revision_ = 0; // see contentRevision(); every change of the pixels moves it on
    void touch() const;

    // A repaint of the whole surface that nobody has looked at yet: Cls and the pictures painted
    // after it, kept as a list. The scroll bar repaints itself this way on every change of its
    // range, so a burst of changes draws only the last picture that anyone can see; the next Cls
    // supersedes the list, and any other drawing or read draws it first.
    struct PendingPicture {
        std::shared_ptr<const platform::Picture> picture;
        platform::RECT dest;
    };
    mutable bool repaintPending_ = false;
    uint32_t pendingClearColor_ = 0;
    // The pictures of the pending repaint are the first pendingCount_ entries; the entries after
    // them still hold the pictures of an earlier repaint, so that a repaint painting the same
    // pictures again reuses its entries instead of taking every picture anew.
    mutable std::vector<PendingPicture> pendingPictures_;
    mutable size_t pendingCount_ = 0;
    platform::ScaleMode mode_;
    double twipsPerPixel_;
    platform::HDC dc_;
    DcState dcState_;
    uint32_t backColor_ = platform::oleColor(platform::SysColor::Window);
    platform::FontDesc font_;
    double currentX_ = 0, currentY_ = 0;
    SizedFont* sizedFont_ = nullptr; // the face of font_ at this surface's pixel size, resolved on first use
};

// The device-context functions over software surfaces. One per host; it owns the brush and pen
// table and counts the objects alive.
class SoftwareGdi : public platform::Gdi {
  public:
    // sysColor: the colour of a system colour index (the host's table); without one, the
    // classic desktop's colours. Every surface registered must be gone before this object.
    // Without `sysColor`, the system colours are defaultSystemColors().
    explicit SoftwareGdi(std::function<uint32_t(int32_t)> sysColor = {});
    static const std::array<uint32_t, platform::kSysColorCount>& defaultSystemColors();
    ~SoftwareGdi() override;

    platform::HDC registerSurface(SoftwareSurface* surface);
    void unregisterSurface(platform::HDC dc);
    SoftwareSurface* surfaceOf(platform::HDC dc) const;

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
    int32_t liveObjects() const override;

    uint32_t resolveColor(uint32_t oleColor) const; // a system colour reference through sysColor

  private:
    struct Object {
        enum class Kind { Brush, Pen } kind;
        platform::COLORREF color;
        int32_t width;
        bool nullPen = false;   // a pen that draws no outline
        int32_t selectedIn = 0; // how many device contexts hold it selected
    };
    uint32_t systemColor(int32_t index) const;
    std::optional<platform::COLORREF> colorOf(platform::HGDIOBJ object, Object::Kind kind) const;
    void releaseSelection(platform::HGDIOBJ object);

    // The objects alive, by handle. A list repaints by creating and deleting a brush per row, and
    // only a handful live at once: a flat table that keeps its room finds them by a short scan and
    // costs no allocation per brush.
    struct Entry {
        platform::HGDIOBJ handle;
        Object object;
    };
    Object* find(platform::HGDIOBJ handle);
    const Object* find(platform::HGDIOBJ handle) const;

    std::function<uint32_t(int32_t)> sysColor_;
    std::unordered_map<platform::HDC, SoftwareSurface*> surfaces_;
    std::vector<Entry> objects_;
    int32_t nextDc_ = 0x1000, nextObject_ = 0x2000;
};

// PNG files of surfaces and pictures (RGB, 8 bits per channel).
bool writePng(const std::string& path, int32_t width, int32_t height, const uint32_t* pixels,
              std::string* error);
std::shared_ptr<platform::Picture> readPng(const std::string& path, std::string* error);
// PNG data in memory (form files): an empty vector when encoding fails; nullptr and *error set when
// the data is not a PNG that can be read.
std::vector<uint8_t> encodePng(int32_t width, int32_t height, const uint32_t* pixels);
std::shared_ptr<platform::Picture> decodePng(const uint8_t* data, size_t size, std::string* error);

} // namespace tavrin::software
