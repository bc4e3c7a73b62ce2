// A tiny surface filled with a sentinel colour, and helpers to read what a drawing changed.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/software/SoftwareSurface.h"

namespace tavrin::software::testing {

constexpr uint32_t kSentinel = 0x5A3C1E;

class SurfaceTest : public ::testing::Test {
  protected:
    explicit SurfaceTest(int32_t width = 10, int32_t height = 10) : surface(gdi, width, height) {
        surface.fillRect({0, 0, width, height}, kSentinel);
    }

    platform::HDC dc() { return surface.hDC(); }
    uint32_t at(int32_t x, int32_t y) const { return surface.pixelAt(x, y); }

    // Pixels that no longer hold the sentinel, as a set of rows of '#' and '.'.
    std::vector<std::string> changed() const {
        std::vector<std::string> rows;
        for (int32_t y = 0; y < surface.heightPx(); ++y) {
            std::string row;
            for (int32_t x = 0; x < surface.widthPx(); ++x)
                row += at(x, y) == kSentinel ? '.' : '#';
            rows.push_back(row);
        }
        return rows;
    }

    // True when every pixel outside r still holds the sentinel.
    bool untouchedOutside(const platform::RECT& r) const {
        for (int32_t y = 0; y < surface.heightPx(); ++y)
            for (int32_t x = 0; x < surface.widthPx(); ++x)
                if (!platform::PtInRect(r, {x, y}) && at(x, y) != kSentinel) return false;
        return true;
    }

    std::vector<uint32_t> snapshot() const {
        return {surface.pixels(), surface.pixels() + surface.widthPx() * surface.heightPx()};
    }

    SoftwareGdi gdi;
    SoftwareSurface surface;
};

} // namespace tavrin::software::testing
