#include "platform/win32/Win32Surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/SystemColors.h"

#include <windows.h> // last: its macros share names with the platform's constants

namespace tavrin::win32 {

namespace {
constexpr double kMaxPixelCoordinate = 1 << 24;

// The DIB holds 0x00RRGGBB; the controls speak 0x00BBGGRR.
uint32_t swapRedBlue(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
} // namespace

Win32Surface::Win32Surface(Win32Gdi& gdi, int32_t width, int32_t height, platform::ScaleMode mode,
                           double twipsPerPixel)
    : gdi_(gdi), mode_(mode), twipsPerPixel_(twipsPerPixel > 0 ? twipsPerPixel : 15.0) {
    addProgramFonts();
    memDc_ = ::CreateCompatibleDC(nullptr);
    createBitmap(std::max(width, 1), std::max(height, 1));
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    dc_ = gdi_.registerDc(memDc_);
    selectFont();
    std::fill(bits_, bits_ + static_cast<size_t>(std::max(width_, 1)) * std::max(height_, 1),
              swapRedBlue(resolvedBackColor()));
}

Win32Surface::~Win32Surface() {
    gdi_.unregisterDc(dc_);
    HDC dc = static_cast<HDC>(memDc_);
    if (oldFont_) ::SelectObject(dc, static_cast<HGDIOBJ>(oldFont_));
    if (font_handle_) ::DeleteObject(static_cast<HGDIOBJ>(font_handle_));
    if (oldBitmap_) ::SelectObject(dc, static_cast<HGDIOBJ>(oldBitmap_));
    if (bitmap_) ::DeleteObject(static_cast<HGDIOBJ>(bitmap_));
    ::DeleteDC(dc);
}

void Win32Surface::createBitmap(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) throw std::bad_alloc();
    HGDIOBJ old = ::SelectObject(static_cast<HDC>(memDc_), bitmap);
    if (!oldBitmap_)
        oldBitmap_ = old;
    else
        ::DeleteObject(old);
    bitmap_ = bitmap;
    bits_ = static_cast<uint32_t*>(bits);
}

void Win32Surface::resize(int32_t width, int32_t height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    const std::vector<uint32_t> old(bits_,
                                    bits_ + static_cast<size_t>(std::max(width_, 1)) * std::max(height_, 1));
    const int32_t oldWidth = width_, oldHeight = height_;
    ::GdiFlush();
    createBitmap(std::max(width, 1), std::max(height, 1));
    width_ = width;
    height_ = height;
    std::fill(bits_, bits_ + static_cast<size_t>(std::max(width_, 1)) * std::max(height_, 1),
              swapRedBlue(resolvedBackColor()));
    for (int32_t y = 0; y < std::min(height_, oldHeight); ++y)
        std::memcpy(bits_ + static_cast<size_t>(y) * width_, old.data() + static_cast<size_t>(y) * oldWidth,
                    sizeof(uint32_t) * std::min(width_, oldWidth));
}

uint32_t Win32Surface::pixelAt(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
    ::GdiFlush();
    return swapRedBlue(bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF);
}

uint32_t Win32Surface::resolvedBackColor() const {
    return platform::resolveOleColor(backColor_, [](int32_t index) { return ::GetSysColor(index); });
}

void Win32Surface::Cls() {
    HBRUSH brush = ::CreateSolidBrush(resolvedBackColor());
    const ::RECT all{0, 0, width_, height_};
    ::FillRect(static_cast<HDC>(memDc_), &all, brush);
    ::DeleteObject(brush);
    currentX_ = currentY_ = 0;
}

void* createFont(const platform::FontDesc& font, double twipsPerPixel) {
    addProgramFonts();
    std::string lower;
    for (char16_t c : font.name)
        lower += c < 128 ? static_cast<char>(std::tolower(static_cast<int>(c))) : '?';
    // Every other name shows in DejaVu Sans, as on the software host.
    const wchar_t* face = lower == "dejavu serif"       ? L"DejaVu Serif"
                          : lower == "dejavu sans mono" ? L"DejaVu Sans Mono"
                                                        : L"DejaVu Sans";
    double pixels = font.size * 20.0 / (twipsPerPixel > 0 ? twipsPerPixel : 15.0);
    if (!std::isfinite(pixels)) pixels = 1;
    pixels = std::clamp(pixels, 1.0, 4096.0);
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(pixels)); // the em, as the character height
    lf.lfWeight = font.bold || font.weight > 550 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikethrough;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return ::CreateFontIndirectW(&lf);
}

void Win32Surface::selectFont() {
    HFONT font = static_cast<HFONT>(createFont(font_, twipsPerPixel_));
    if (!font) return;
    HGDIOBJ old = ::SelectObject(static_cast<HDC>(memDc_), font);
    if (!oldFont_) oldFont_ = old;
    if (font_handle_) ::DeleteObject(static_cast<HGDIOBJ>(font_handle_));
    font_handle_ = font;
}

void Win32Surface::SetFont(const platform::FontDesc& font) {
    font_ = font;
    selectFont();
}

void Win32Surface::SetFontUnderline(bool underline) {
    font_.underline = underline;
    selectFont();
}

double Win32Surface::TextHeight(std::u16string_view) {
    TEXTMETRICW tm{};
    ::GetTextMetricsW(static_cast<HDC>(memDc_), &tm);
    return fromPixels(tm.tmHeight);
}

double Win32Surface::TextWidth(std::u16string_view text) {
    SIZE size{};
    ::GetTextExtentPoint32W(static_cast<HDC>(memDc_), reinterpret_cast<const wchar_t*>(text.data()),
                            static_cast<int>(text.size()), &size);
    return fromPixels(size.cx);
}

void Win32Surface::Print(std::u16string_view text) {
    HDC dc = static_cast<HDC>(memDc_);
    ::SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    ::TextOutW(dc, pixelCoordX(currentX_), pixelCoordY(currentY_),
               reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()));
    currentY_ += TextHeight(text);
    currentX_ = 0;
}

void Win32Surface::Line(double x1, double y1, double x2, double y2, uint32_t rgb) {
    HDC dc = static_cast<HDC>(memDc_);
    HPEN pen = ::CreatePen(PS_SOLID, 1, rgb & 0xFFFFFF);
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, pixelCoordX(x1), pixelCoordY(y1), nullptr);
    ::LineTo(dc, pixelCoordX(x2), pixelCoordY(y2)); // the end point itself is left out
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

void Win32Surface::PSet(double x, double y, uint32_t rgb) {
    ::SetPixelV(static_cast<HDC>(memDc_), pixelCoordX(x), pixelCoordY(y), rgb & 0xFFFFFF);
}

uint32_t Win32Surface::Point(double x, double y) const {
    const double px = roundHalfEven(toPixelsX(x)), py = roundHalfEven(toPixelsY(y));
    if (!(px >= 0 && py >= 0 && px < width_ && py < height_)) return 0xFFFFFFFF;
    return pixelAt(static_cast<int32_t>(px), static_cast<int32_t>(py));
}

void Win32Surface::PaintPicture(const platform::Picture* picture, double x, double y,
                                std::optional<double> width, std::optional<double> height) {
    if (!picture) raise(err::InvalidPicture);
    const int32_t left = pixelCoordX(x), top = pixelCoordY(y);
    const int32_t w = width ? pixelCoordX(*width) : picture->width();
    const int32_t h = height ? pixelCoordY(*height) : picture->height();
    if (w <= 0 || h <= 0 || picture->width() <= 0 || picture->height() <= 0) return;
    std::vector<uint32_t> bgr(picture->pixels().size());
    std::transform(picture->pixels().begin(), picture->pixels().end(), bgr.begin(), swapRedBlue);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture->width();
    info.bmiHeader.biHeight = -picture->height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = static_cast<HDC>(memDc_);
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchDIBits(dc, left, top, w, h, 0, 0, picture->width(), picture->height(), bgr.data(), &info,
                    DIB_RGB_COLORS, SRCCOPY);
}

double Win32Surface::ScaleWidth() const {
    return fromPixels(width_);
}
double Win32Surface::ScaleHeight() const {
    double unit = platform::twipsPerUnit(mode_, true);
    return unit == 0 ? height_ : height_ * twipsPerPixel_ / unit;
}

double Win32Surface::toPixelsX(double v) const {
    double unit = platform::twipsPerUnit(mode_, false);
    return unit == 0 ? v : v * unit / twipsPerPixel_;
}
double Win32Surface::toPixelsY(double v) const {
    double unit = platform::twipsPerUnit(mode_, true);
    return unit == 0 ? v : v * unit / twipsPerPixel_;
}
double Win32Surface::fromPixels(double v) const {
    double unit = platform::twipsPerUnit(mode_, false);
    return unit == 0 ? v : v * twipsPerPixel_ / unit;
}
int32_t Win32Surface::pixelCoordX(double v) const {
    const double px = roundHalfEven(toPixelsX(v));
    if (!(std::abs(px) <= kMaxPixelCoordinate)) raise(err::Overflow);
    return static_cast<int32_t>(px);
}
int32_t Win32Surface::pixelCoordY(double v) const {
    const double py = roundHalfEven(toPixelsY(v));
    if (!(std::abs(py) <= kMaxPixelCoordinate)) raise(err::Overflow);
    return static_cast<int32_t>(py);
}

} // namespace tavrin::win32
