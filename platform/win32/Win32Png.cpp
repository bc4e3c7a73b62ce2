// PNG files through the Windows Imaging Component.
#include "platform/win32/Win32Png.h"

#include <vector>

#include "tavrin/platform/Picture.h"

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
IWICImagingFactory* factory() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* made = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(&made))))
        return nullptr;
    return made;
}

// The first frame of a decoder as a picture: 0x00BBGGRR pixels, rows from the top.
std::shared_ptr<platform::Picture> pictureOf(IWICImagingFactory* wic, IWICBitmapDecoder* decoder,
                                             std::string* error) {
    Released<IWICBitmapFrameDecode> frame;
    Released<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (FAILED(decoder->GetFrame(0, &frame)) || FAILED(wic->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                     0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || w > 32767 || h > 32767) {
        if (error) *error = "not a picture the Imaging Component can read";
        return nullptr;
    }
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(px.size() * 4),
                                     reinterpret_cast<BYTE*>(px.data())))) {
        if (error) *error = "the picture's pixels cannot be read";
        return nullptr;
    }
    for (uint32_t& c : px) // blue, green, red bytes to 0x00BBGGRR
        c = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    return std::make_shared<platform::Picture>(static_cast<int32_t>(w), static_cast<int32_t>(h),
                                               std::move(px));
}

// Encodes into a stream that the caller made.
bool encodeInto(IWICImagingFactory* wic, IStream* stream, int32_t width, int32_t height,
                const uint32_t* pixels) {
    if (width <= 0 || height <= 0) return false;
    // WIC takes blue, green, red bytes: the controls' 0x00BBGGRR swapped.
    std::vector<uint32_t> bgr(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < bgr.size(); ++i) {
        const uint32_t c = pixels[i];
        bgr[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    Released<IWICBitmapEncoder> encoder;
    Released<IWICBitmapFrameEncode> frame;
    Released<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    return SUCCEEDED(wic->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options.p)) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat32bppBGR &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 4,
                                        static_cast<UINT>(bgr.size() * 4),
                                        reinterpret_cast<BYTE*>(bgr.data()))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

} // namespace

std::vector<uint8_t> encodePng(int32_t width, int32_t height, const uint32_t* pixels) {
    Released<IWICImagingFactory> wic;
    wic.p = factory();
    Released<IStream> stream;
    if (!wic.p || FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        !encodeInto(wic.p, stream.p, width, height, pixels))
        return {};
    HGLOBAL memory = nullptr;
    if (FAILED(::GetHGlobalFromStream(stream.p, &memory))) return {};
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return {};
    const auto* bytes = static_cast<const uint8_t*>(::GlobalLock(memory));
    std::vector<uint8_t> data(bytes, bytes + stat.cbSize.QuadPart);
    ::GlobalUnlock(memory);
    return data;
}

std::shared_ptr<platform::Picture> decodePng(const uint8_t* data, size_t size, std::string* error) {
    Released<IWICImagingFactory> wic;
    wic.p = factory();
    Released<IWICStream> stream;
    Released<IWICBitmapDecoder> decoder;
    if (!wic.p || FAILED(wic->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) ||
        FAILED(wic->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder))) {
        if (error) *error = "not PNG data";
        return nullptr;
    }
    return pictureOf(wic.p, decoder.p, error);
}

std::shared_ptr<platform::Picture> readPng(const std::u16string& path, std::string* error) {
    Released<IWICImagingFactory> wic;
    wic.p = factory();
    Released<IWICBitmapDecoder> decoder;
    if (!wic.p ||
        FAILED(wic->CreateDecoderFromFilename(reinterpret_cast<const wchar_t*>(path.c_str()), nullptr,
                                              GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder))) {
        if (error) *error = "the file cannot be opened as a picture";
        return nullptr;
    }
    return pictureOf(wic.p, decoder.p, error);
}

bool writePng(const std::u16string& path, int32_t width, int32_t height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0) return false; // before the file is made
    Released<IWICImagingFactory> wic;
    wic.p = factory();
    Released<IWICStream> stream;
    return wic.p && SUCCEEDED(wic->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(reinterpret_cast<const wchar_t*>(path.c_str()),
                                                    GENERIC_WRITE)) &&
           encodeInto(wic.p, stream.p, width, height, pixels);
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
