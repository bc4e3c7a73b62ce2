// The device-context functions over software surfaces, and the table of brushes and pens.
//
// 1. A device context is a registered surface; every call on an unknown one fails and draws nothing.
// 2. Brushes and pens live in one table; SelectObject counts where an object is selected, and
//    DeleteObject refuses an object still selected (it stays alive, as the desktop keeps it).
// 3. The stock white brush and black pen are what a device context starts with; they are not
//    counted and deleting them does nothing.
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "platform/software/SoftwareSurface.h"

namespace tavrin::software {

using platform::COLORREF;
using platform::HBRUSH;
using platform::HDC;
using platform::HGDIOBJ;
using platform::HPEN;
using platform::RECT;

namespace {

constexpr int32_t kNullPenStyle = 5;

// The system colours of a classic desktop (0x00BBGGRR) by SysColor index, with the list's usual
// ones for window, window text, highlight, highlight text and button face.
constexpr std::array<uint32_t, platform::kSysColorCount> kClassicColors = {
    0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, // 0-7
    0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0xC56A31, 0xFFFFFF, 0xD8E9EC, // 8-15
    0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000, // 16-23
    0xE1FFFF, 0x000000, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xC56A31, 0xC8D0D4,           // 24-30
};

int32_t clampedEnd(int32_t start, int32_t length) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{start} + length, INT32_MIN, INT32_MAX));
}

} // namespace

SoftwareGdi::SoftwareGdi(std::function<uint32_t(int32_t)> sysColor) : sysColor_(std::move(sysColor)) {}

SoftwareGdi::~SoftwareGdi() = default;

HDC SoftwareGdi::registerSurface(SoftwareSurface* surface) {
    const HDC dc = nextDc_++;
    surfaces_[dc] = surface;
    return dc;
}

void SoftwareGdi::unregisterSurface(HDC dc) {
    auto it = surfaces_.find(dc);
    if (it == surfaces_.end()) return;
    const SoftwareSurface::DcState& state = it->second->dcState();
    releaseSelection(state.brush);
    releaseSelection(state.pen);
    surfaces_.erase(it);
}

SoftwareSurface* SoftwareGdi::surfaceOf(HDC dc) const {
    auto it = surfaces_.find(dc);
    return it == surfaces_.end() ? nullptr : it->second;
}

const std::array<uint32_t, platform::kSysColorCount>& SoftwareGdi::defaultSystemColors() {
    return kClassicColors;
}

COLORREF SoftwareGdi::GetSysColor(int32_t index) {
    return systemColor(index);
}

uint32_t SoftwareGdi::systemColor(int32_t index) const {
    if (sysColor_) return sysColor_(index) & 0xFFFFFF;
    return index >= 0 && index < static_cast<int32_t>(kClassicColors.size()) ? kClassicColors[index] : 0;
}

uint32_t SoftwareGdi::resolveColor(uint32_t oleColor) const {
    return platform::resolveOleColor(oleColor, [this](int32_t index) { return systemColor(index); });
}

// ---- objects -------------------------------------------------------------------------------------

HBRUSH SoftwareGdi::CreateSolidBrush(COLORREF color) {
    const HGDIOBJ handle = nextObject_++;
    objects_.push_back({handle, Object{Object::Kind::Brush, color & 0xFFFFFF, 0}});
    return handle;
}

HPEN SoftwareGdi::CreatePen(int32_t style, int32_t width, COLORREF color) {
    if ((style != platform::PS_SOLID && style != kNullPenStyle) || width < 0) return 0;
    const HGDIOBJ handle = nextObject_++;
    objects_.push_back(
        {handle, Object{Object::Kind::Pen, color & 0xFFFFFF, std::max(width, 1), style == kNullPenStyle, 0}});
    return handle;
}

HGDIOBJ SoftwareGdi::SelectObject(HDC dc, HGDIOBJ object) {
    SoftwareSurface* surface = surfaceOf(dc);
    if (!surface) return 0;
    SoftwareSurface::DcState& state = surface->dcState();
    HGDIOBJ* slot = nullptr;
    if (object == kStockWhiteBrush) slot = &state.brush;
    if (object == kStockBlackPen) slot = &state.pen;
    Object* found = find(object);
    if (found) slot = found->kind == Object::Kind::Brush ? &state.brush : &state.pen;
    if (!slot) return 0;
    const HGDIOBJ previous = *slot;
    if (previous == object) return previous;
    if (found) ++found->selectedIn;
    releaseSelection(previous);
    *slot = object;
    return previous;
}

void SoftwareGdi::releaseSelection(HGDIOBJ object) {
    Object* found = find(object);
    if (found && found->selectedIn > 0) --found->selectedIn;
}

bool SoftwareGdi::DeleteObject(HGDIOBJ object) {
    if (object == kStockWhiteBrush || object == kStockBlackPen) return true;
    auto it =
        std::find_if(objects_.begin(), objects_.end(), [&](const Entry& e) { return e.handle == object; });
    if (it == objects_.end() || it->object.selectedIn > 0) return false;
    objects_.erase(it); // keeps the order, so handles stay in creation order
    return true;
}

int32_t SoftwareGdi::liveObjects() const {
    return static_cast<int32_t>(objects_.size());
}

// Newest first: the object a drawing call asks for is nearly always the one created last.
SoftwareGdi::Object* SoftwareGdi::find(HGDIOBJ handle) {
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it)
        if (it->handle == handle) return &it->object;
    return nullptr;
}
const SoftwareGdi::Object* SoftwareGdi::find(HGDIOBJ handle) const {
    return const_cast<SoftwareGdi*>(this)->find(handle);
}

std::optional<COLORREF> SoftwareGdi::colorOf(HGDIOBJ object, Object::Kind kind) const {
    if (kind == Object::Kind::Brush && object == kStockWhiteBrush) return 0xFFFFFF;
    if (kind == Object::Kind::Pen && object == kStockBlackPen) return 0x000000;
    const Object* found = find(object);
    if (!found || found->kind != kind) return std::nullopt;
    return found->color;
}

// ---- drawing -------------------------------------------------------------------------------------

int32_t SoftwareGdi::FillRect(HDC dc, const RECT& rect, HBRUSH brush) {
    SoftwareSurface* surface = surfaceOf(dc);
    std::optional<COLORREF> color = colorOf(brush, Object::Kind::Brush);
    // A system colour index + 1 stands for that colour's brush.
    if (!color && brush >= 1 && brush <= static_cast<HBRUSH>(kClassicColors.size()))
        color = GetSysColor(brush - 1);
    if (!surface || !color) return 0;
    surface->fillRect(rect, *color);
    return 1;
}

bool SoftwareGdi::PatBlt(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop) {
    SoftwareSurface* surface = surfaceOf(dc);
    if (!surface) return false;
    const RECT area{x, y, clampedEnd(x, width), clampedEnd(y, height)};
    const COLORREF brush = colorOf(surface->dcState().brush, Object::Kind::Brush).value_or(0xFFFFFF);
    switch (rop) {
    case platform::ROP_DPa:
        surface->andRect(area, brush);
        return true;
    case platform::PATCOPY:
        surface->fillRect(area, brush);
        return true;
    case platform::DSTINVERT:
        surface->xorRect(area, 0xFFFFFF);
        return true;
    default:
        return false;
    }
}

bool SoftwareGdi::GradientFill(HDC dc, const platform::TRIVERTEX* vertices, uint32_t vertexCount,
                               const platform::GRADIENT_RECT* rects, uint32_t rectCount, uint32_t mode) {
    SoftwareSurface* surface = surfaceOf(dc);
    if (!surface || !vertices || !rects) return false;
    if (mode != platform::GRADIENT_FILL_RECT_H && mode != platform::GRADIENT_FILL_RECT_V) return false;
    for (uint32_t i = 0; i < rectCount; ++i)
        if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) return false;
    for (uint32_t i = 0; i < rectCount; ++i) {
        const platform::TRIVERTEX& from = vertices[rects[i].UpperLeft];
        const platform::TRIVERTEX& to = vertices[rects[i].LowerRight];
        surface->gradientRect({from.x, from.y, to.x, to.y}, from, to, mode == platform::GRADIENT_FILL_RECT_V);
    }
    return true;
}

bool SoftwareGdi::RoundRect(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                            int32_t cornerWidth, int32_t cornerHeight) {
    SoftwareSurface* surface = surfaceOf(dc);
    if (!surface) return false;
    const SoftwareSurface::DcState& state = surface->dcState();
    const COLORREF brush = colorOf(state.brush, Object::Kind::Brush).value_or(0xFFFFFF);
    std::optional<COLORREF> pen = colorOf(state.pen, Object::Kind::Pen);
    const Object* found = find(state.pen);
    if (found && found->nullPen) pen.reset();
    surface->roundRect({left, top, right, bottom}, cornerWidth, cornerHeight, pen, brush);
    return true;
}

COLORREF SoftwareGdi::SetTextColor(HDC dc, COLORREF color) {
    SoftwareSurface* surface = surfaceOf(dc);
    if (!surface) return 0xFFFFFFFF;
    return std::exchange(surface->dcState().textColor, color & 0xFFFFFF);
}

int32_t SoftwareGdi::DrawTextA(HDC dc, std::u16string_view text, RECT& rect, uint32_t format) {
    SoftwareSurface* surface = surfaceOf(dc);
    if (!surface) return 0;
    return surface->drawText(text, rect, format, surface->dcState().textColor);
}

bool SoftwareGdi::DrawFocusRect(HDC dc, const RECT& rect) {
    SoftwareSurface* surface = surfaceOf(dc);
    if (!surface) return false;
    surface->focusRect(rect);
    return true;
}

} // namespace tavrin::software
