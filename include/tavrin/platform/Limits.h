// The sizes a window system accepts. A request beyond them is reported (error 7, "Out of
// memory", with what was asked for), never attempted: a damaged form file, a wild property value
// or a hostile script must not make the host allocate gigabytes.
#pragma once

#include <cstdint>
#include <string>

#include "tavrin/automation/AutomationError.h"

namespace tavrin::platform::limits {

// A window, surface or picture: at most this many pixels per side and in all.
constexpr int64_t kMaxSidePx = 32767;
constexpr int64_t kMaxPixels = 16LL * 1024 * 1024;
// Twips per pixel of a screen: from 1440 pixels per inch down to 1.
constexpr double kMinTwipsPerPixel = 1, kMaxTwipsPerPixel = 1440;
// The largest form file and picture file read.
constexpr int64_t kMaxFormFileBytes = 16LL * 1024 * 1024;
constexpr int64_t kMaxPictureFileBytes = 64LL * 1024 * 1024;
// The system colour indices a host may set (GetSysColor answers 0 for the unset ones).
constexpr int32_t kSysColorCount = 256;

inline bool fitsPixels(int64_t width, int64_t height) {
    return width >= 0 && height >= 0 && width <= kMaxSidePx && height <= kMaxSidePx &&
           width * height <= kMaxPixels;
}

// Raises 7 naming what was asked for when width x height does not fit.
inline void checkPixels(int64_t width, int64_t height, const char* what) {
    if (fitsPixels(width, height)) return;
    throw AutomationError(err::OutOfMemory, std::string("Out of memory: ") + what + " of " +
                                                std::to_string(width) + " x " + std::to_string(height) +
                                                " pixels is larger than a window system allows");
}

} // namespace tavrin::platform::limits
