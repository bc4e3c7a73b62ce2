// PNG files through the Windows Imaging Component.
#include "platform/win32/Win32Png.h"

#include <vector>

#include <wincodec.h>
#include <windows.h>

namespace tavrin::win32 {

namespace {
template <class T> struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
    T** operator&() { return &p; }
    T* operator->() { return p; }
};
} // namespace

bool writePng(const std::u16string& path, int32_t width, int32_t height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0) return false;
    // WIC takes blue, green, red bytes: the controls' 0x00BBGGRR swapped.
    std::vector<uint32_t> bgr(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < bgr.size(); ++i) {
        const uint32_t c = pixels[i];
        bgr[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Released<IWICImagingFactory> factory;
    Released<IWICStream> stream;
    Released<IWICBitmapEncoder> encoder;
    Released<IWICBitmapFrameEncode> frame;
    Released<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
           SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(reinterpret_cast<const wchar_t*>(path.c_str()),
                                                    GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options.p)) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat32bppBGR &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 4,
                                        static_cast<UINT>(bgr.size() * 4),
                                        reinterpret_cast<BYTE*>(bgr.data()))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

bool captureWindowPng(void* window, const std::u16string& path) {
    HWND hwnd = static_cast<HWND>(window);
    RECT r{};
    if (!::GetWindowRect(hwnd, &r)) return false;
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    const auto* source = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < px.size(); ++i) {
        const uint32_t c = source[i]; // 0x00RRGGBB
        px[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return writePng(path, w, h, px.data());
}

} // namespace tavrin::win32
