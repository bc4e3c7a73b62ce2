// The drawing operations of the referee test: each case draws into its own area of one canvas through
// the device-context functions and the surface members, the same calls on every host.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tavrin/platform/DrawingSurface.h"
#include "tavrin/platform/Gdi.h"

namespace tavrin::referee {

constexpr int32_t kCanvasWidth = 480, kCanvasHeight = 360;
constexpr uint32_t kCanvasColor = 0x00E0F0FF; // a light background that every operation changes

struct Case {
    std::string name;
    platform::RECT area; // the case draws only inside it
    bool text;           // glyph edges are anti-aliased by each host's own text engine
    std::function<void(platform::Gdi&, platform::DrawingSurface&)> draw;
};

std::vector<Case> cases();

// Fills the canvas with kCanvasColor and draws every case.
void drawAll(platform::Gdi& gdi, platform::DrawingSurface& surface);

} // namespace tavrin::referee
