#include "platform/win32/Win32Gdi.h"

#include <windows.h> // after our headers: its macros share names with the platform's constants

#include <vector>

namespace tavrin::win32 {

namespace {
::RECT toReal(const platform::RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
} // namespace

Win32Gdi::~Win32Gdi() {
    for (auto& [handle, object] : objects_)
        if (!object.stock) ::DeleteObject(static_cast<HGDIOBJ>(object.real));
}

platform::HDC Win32Gdi::registerDc(void* realDc) {
    HDC dc = static_cast<HDC>(realDc);
    ::SetBkMode(dc, TRANSPARENT);
    const platform::HDC handle = nextHandle_++;
    dcs_[handle] = realDc;
    // The objects the device context starts with.
    for (UINT kind : {OBJ_BRUSH, OBJ_PEN}) {
        void* current = ::GetCurrentObject(dc, kind);
        if (!current) continue;
        const platform::HGDIOBJ object = handleOf(current, true);
        ++objects_[object].selectedIn;
    }
    return handle;
}

void Win32Gdi::unregisterDc(platform::HDC dc) {
    auto it = dcs_.find(dc);
    if (it == dcs_.end()) return;
    HDC real = static_cast<HDC>(it->second);
    for (UINT kind : {OBJ_BRUSH, OBJ_PEN}) {
        auto known = byReal_.find(::GetCurrentObject(real, kind));
        if (known != byReal_.end() && objects_[known->second].selectedIn > 0)
            --objects_[known->second].selectedIn;
    }
    dcs_.erase(it);
}

void* Win32Gdi::realDc(platform::HDC dc) const {
    auto it = dcs_.find(dc);
    return it == dcs_.end() ? nullptr : it->second;
}

platform::HGDIOBJ Win32Gdi::handleOf(void* real, bool stock) {
    auto it = byReal_.find(real);
    if (it != byReal_.end()) return it->second;
    const platform::HGDIOBJ handle = nextHandle_++;
    objects_[handle] = {real, stock, 0};
    byReal_[real] = handle;
    return handle;
}

void* Win32Gdi::realObject(platform::HGDIOBJ object) const {
    auto it = objects_.find(object);
    return it == objects_.end() ? nullptr : it->second.real;
}

platform::COLORREF Win32Gdi::GetSysColor(int32_t index) {
    return ::GetSysColor(index);
}

platform::HBRUSH Win32Gdi::CreateSolidBrush(platform::COLORREF color) {
    HBRUSH brush = ::CreateSolidBrush(color & 0xFFFFFF);
    if (!brush) return 0;
    ++live_;
    return handleOf(brush, false);
}

platform::HPEN Win32Gdi::CreatePen(int32_t style, int32_t width, platform::COLORREF color) {
    HPEN pen = ::CreatePen(style, width, color & 0xFFFFFF);
    if (!pen) return 0;
    ++live_;
    return handleOf(pen, false);
}

platform::HGDIOBJ Win32Gdi::SelectObject(platform::HDC dc, platform::HGDIOBJ object) {
    HDC real = static_cast<HDC>(realDc(dc));
    void* newObject = realObject(object);
    if (!real || !newObject) return 0;
    void* old = ::SelectObject(real, static_cast<HGDIOBJ>(newObject));
    if (!old || old == HGDI_ERROR) return 0;
    const platform::HGDIOBJ oldHandle = handleOf(old, true);
    if (objects_[oldHandle].selectedIn > 0) --objects_[oldHandle].selectedIn;
    ++objects_[object].selectedIn;
    return oldHandle;
}

bool Win32Gdi::DeleteObject(platform::HGDIOBJ object) {
    auto it = objects_.find(object);
    if (it == objects_.end() || it->second.selectedIn > 0) return false;
    if (it->second.stock) return true; // the system's own objects outlive every caller
    if (!::DeleteObject(static_cast<HGDIOBJ>(it->second.real))) return false;
    byReal_.erase(it->second.real);
    objects_.erase(it);
    --live_;
    return true;
}

int32_t Win32Gdi::FillRect(platform::HDC dc, const platform::RECT& rect, platform::HBRUSH brush) {
    HDC real = static_cast<HDC>(realDc(dc));
    void* realBrush = realObject(brush);
    if (!real || !realBrush) return 0;
    const ::RECT r = toReal(rect);
    return ::FillRect(real, &r, static_cast<HBRUSH>(realBrush));
}

bool Win32Gdi::PatBlt(platform::HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop) {
    HDC real = static_cast<HDC>(realDc(dc));
    return real && ::PatBlt(real, x, y, width, height, rop);
}

bool Win32Gdi::GradientFill(platform::HDC dc, const platform::TRIVERTEX* vertices, uint32_t vertexCount,
                            const platform::GRADIENT_RECT* rects, uint32_t rectCount, uint32_t mode) {
    HDC real = static_cast<HDC>(realDc(dc));
    if (!real || !vertices || !rects) return false;
    std::vector<::TRIVERTEX> v(vertexCount);
    for (uint32_t i = 0; i < vertexCount; ++i)
        v[i] = {vertices[i].x,     vertices[i].y,    vertices[i].Red,
                vertices[i].Green, vertices[i].Blue, vertices[i].Alpha};
    std::vector<::GRADIENT_RECT> g(rectCount);
    for (uint32_t i = 0; i < rectCount; ++i)
        g[i] = {rects[i].UpperLeft, rects[i].LowerRight};
    return ::GradientFill(real, v.data(), vertexCount, g.data(), rectCount, mode);
}

bool Win32Gdi::RoundRect(platform::HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                         int32_t cornerWidth, int32_t cornerHeight) {
    HDC real = static_cast<HDC>(realDc(dc));
    return real && ::RoundRect(real, left, top, right, bottom, cornerWidth, cornerHeight);
}

platform::COLORREF Win32Gdi::SetTextColor(platform::HDC dc, platform::COLORREF color) {
    HDC real = static_cast<HDC>(realDc(dc));
    if (!real) return CLR_INVALID;
    return ::SetTextColor(real, color & 0xFFFFFF);
}

int32_t Win32Gdi::DrawTextA(platform::HDC dc, std::u16string_view text, platform::RECT& rect,
                            uint32_t format) {
    HDC real = static_cast<HDC>(realDc(dc));
    if (!real) return 0;
    ::RECT r = toReal(rect);
    // Our text is UTF-16 already; the wide function draws it without a code page in between.
    return ::DrawTextW(real, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &r,
                       format | DT_NOPREFIX);
}

bool Win32Gdi::DrawFocusRect(platform::HDC dc, const platform::RECT& rect) {
    HDC real = static_cast<HDC>(realDc(dc));
    if (!real) return false;
    const ::RECT r = toReal(rect);
    return ::DrawFocusRect(real, &r);
}

} // namespace tavrin::win32
