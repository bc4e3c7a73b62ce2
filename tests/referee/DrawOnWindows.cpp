// The Windows side of the referee test: draws every case on a memory device context through real
// GDI and writes the pixels (0x00BBGGRR, rows from the top) to the file named on the command line.
#include <cstdio>

#include "RefereeDrawing.h"
#include "platform/win32/Win32Surface.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: referee-draw OUTPUT\n");
        return 2;
    }
    using namespace tavrin;
    win32::Win32Gdi gdi;
    int live = 0;
    {
        win32::Win32Surface surface(gdi, referee::kCanvasWidth, referee::kCanvasHeight);
        referee::drawAll(gdi, surface);
        std::FILE* out = std::fopen(argv[1], "wb");
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
        std::fprintf(out, "tavrin-pixels %d %d\n", referee::kCanvasWidth, referee::kCanvasHeight);
        for (int32_t y = 0; y < referee::kCanvasHeight; ++y)
            for (int32_t x = 0; x < referee::kCanvasWidth; ++x) {
                const uint32_t p = surface.pixelAt(x, y);
                const unsigned char bytes[4] = {static_cast<unsigned char>(p),
                                                static_cast<unsigned char>(p >> 8),
                                                static_cast<unsigned char>(p >> 16), 0};
                std::fwrite(bytes, 1, 4, out);
            }
        std::fclose(out);
        live = gdi.liveObjects();
    }
    if (live != 0) {
        std::fprintf(stderr, "%d brushes or pens were not deleted\n", live);
        return 1;
    }
    return 0;
}
