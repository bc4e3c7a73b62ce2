// The modal things the desktop only records, drawn into the window: the popup menu shown by the
// control and the modal form (the about box). Their geometry is worked out in one place, so the
// drawing and the hit testing of a click agree.
//
// All rectangles are in canvas pixels: the canvas is the form's client area, so a screen point is
// the canvas point plus the form's client origin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/software/Controls.h"
#include "platform/software/Desktop.h"
#include "platform/software/SoftwareSurface.h"
#include "tavrin/platform/Host.h"

namespace tavrin::sdl {

struct MenuLayout {
    platform::RECT box;                  // the whole menu with its border
    std::vector<platform::RECT> entries; // one per entry, separators included
};

// The menu opens at the anchor with its top-left corner there, moved left or up to stay on the
// canvas as a real menu does near the screen's edge.
MenuLayout layoutMenu(const platform::Menu& menu, platform::POINT anchor, int32_t canvasW, int32_t canvasH);
// The entry under p, or -1 outside every entry (the border counts as outside).
int16_t menuEntryAt(const MenuLayout& layout, platform::POINT p);
// Entries greyed when disabled; the entry under the pointer (hover, -1 none) highlighted when it
// can be chosen; "&" marks dropped from the captions.
void drawMenu(software::SoftwareSurface& canvas, const platform::Menu& menu, const MenuLayout& layout,
              int16_t hover);

struct FormLayout {
    platform::RECT outer;   // frame and caption bar included
    platform::POINT client; // the top-left corner of the form's client area
};

// Where the form stands: its own screen position, pulled onto the canvas when it would stick out.
FormLayout layoutForm(software::SoftwareForm& form, platform::POINT canvasOrigin, int32_t canvasW,
                      int32_t canvasH);
// The caption of the form's button under p, or an empty string.
std::u16string formButtonAt(software::SoftwareForm& form, const FormLayout& layout, platform::POINT p,
                            double twipsPerPixel);
void drawForm(software::SoftwareSurface& canvas, software::Desktop& desktop, software::SoftwareForm& form,
              const FormLayout& layout);

// Copies w x h pixels onto the canvas at (x, y), clipped to the canvas.
void blitPixels(software::SoftwareSurface& canvas, const std::vector<uint32_t>& pixels, int32_t w, int32_t h,
                int32_t x, int32_t y);

} // namespace tavrin::sdl
