// tavrin-gallery: writes one PNG per gallery page into the directory given (default: .).
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "GalleryPage.h"
#include "platform/software/Desktop.h"
#include "platform/software/SoftwareSurface.h"

namespace tavrin::gallery {

void Image::place(const std::vector<uint32_t>& src, int32_t w, int32_t h, int32_t x, int32_t y) {
    for (int32_t row = 0; row < h; ++row) {
        for (int32_t col = 0; col < w; ++col) {
            const int32_t tx = x + col, ty = y + row;
            if (tx < 0 || ty < 0 || tx >= width || ty >= height) continue;
            pixels[size_t(ty) * width + tx] = src[size_t(row) * w + col];
        }
    }
}

void printText(software::SoftwareSurface& canvas, software::Desktop& desk, const std::u16string& text,
               double x, double y, uint32_t rgb, double size, bool bold) {
    platform::FontDesc font;
    font.size = size;
    font.bold = bold;
    canvas.SetFont(font);
    desk.gdi().SetTextColor(canvas.hDC(), rgb);
    canvas.SetCurrentX(x);
    canvas.SetCurrentY(y);
    canvas.Print(text);
}

std::vector<Page>& pages() {
    static std::vector<Page> all;
    return all;
}

bool registerPage(Page page) {
    pages().push_back(std::move(page));
    return true;
}

} // namespace tavrin::gallery

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : ".";
    std::error_code ignored; // a directory that cannot be made shows up as a failed write below
    std::filesystem::create_directories(dir, ignored);
    int failures = 0;
    for (const auto& page : tavrin::gallery::pages()) {
        const tavrin::gallery::Image image = page.render();
        const std::string path = dir + "/" + page.fileName;
        std::string error;
        if (!tavrin::software::writePng(path, image.width, image.height, image.pixels.data(), &error)) {
            std::fprintf(stderr, "tavrin-gallery: %s: %s\n", path.c_str(), error.c_str());
            ++failures;
            continue;
        }
        std::printf("%s\n", path.c_str());
    }
    return failures == 0 ? 0 : 1;
}
