// A list placed on the headless desktop the way the script host places one: a control site on
// the form, the control built on it, its defaults, the host's first resize and the paints that
// the resize queued. Input goes through the desktop, so a click on the scroll bar travels as
// window messages to the bar and from there to the list.
#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "control/TavrinAccess.h"
#include "platform/software/Desktop.h"
#include "scrollbar/XPVScrollAccess.h"
#include "tavrin/Tavrin.h"

namespace tavrin::bench {

class ListRig {
  public:
    static constexpr int32_t kClientWidth = 300, kClientHeight = 400;

    explicit ListRig(int32_t clientWidth = kClientWidth, int32_t clientHeight = kClientHeight)
        : clientWidth_(clientWidth), clientHeight_(clientHeight),
          desktop_(std::make_unique<software::Desktop>()),
          site_(desktop_->createControlSite(u"Tavrin", clientWidth, clientHeight)),
          list_(std::make_unique<Tavrin>(*site_)) {
        list_->InitProperties();
        if (list_->Appearance() != AppearanceCts::Appearance3D)
            list_->SetAppearance(AppearanceCts::Appearance3D);
        site_->resizeClient(clientWidth, clientHeight);
        desktop_->flushPaints();
    }
    ~ListRig() {
        list_->Terminate();
        list_.reset();
        site_.reset();
    }
    ListRig(const ListRig&) = delete;
    ListRig& operator=(const ListRig&) = delete;

    Tavrin& list() { return *list_; }
    software::Desktop& desktop() { return *desktop_; }

    // The host sizes the control again, as a form does when its window is resized: a layout pass.
    // A list filled after its first layout has a scroll bar whose page (LargeChange) was refused
    // while the bar's range was still empty; this pass gives the bar the list's page.
    void relayout() {
        site_->resizeClient(clientWidth_, clientHeight_);
        desktop_->flushPaints();
    }

    // AddItem of every text, in order.
    void add(const std::vector<Variant>& texts) {
        for (const Variant& text : texts)
            list_->AddItem(text);
    }
    // AddItem of texts[order[k]] for k = 0, 1, ...
    void add(const std::vector<Variant>& texts, const std::vector<int>& order) {
        for (int index : order)
            list_->AddItem(texts[static_cast<size_t>(index)]);
    }

    // Press and release the left button in the middle of the bar's down button, as the user
    // would, then let the message loop deliver whatever paints that queued.
    void clickDownButton() {
        platform::HWND bar = TavrinAccess::sbUC(*list_).hWnd();
        double twipsPerPixel = desktop_->options().twipsPerPixel;
        auto x = static_cast<float>(XPVScroll::kWidth / 2 / twipsPerPixel);
        auto y = static_cast<float>(
            XPVScrollAccess::pieceRect(TavrinAccess::sbUC(*list_), BarPiece::DownButton).middle() /
            twipsPerPixel);
        desktop_->mouseDown(bar, 1, x, y, 0);
        desktop_->mouseUp(bar, 1, x, y, 0);
        desktop_->flushPaints();
    }

    // Press and release the left button on the track, on the whole pixel row halfway between the
    // thumb's bottom and the down button: the bar moves by LargeChange, which the list makes one
    // page. The cursor stands on whole pixels, so the press needs a row strictly between the two
    // (roomBelowThumb), which the last pages of a long list no longer have.
    void clickTrackBelowThumb() {
        platform::HWND bar = TavrinAccess::sbUC(*list_).hWnd();
        auto x = static_cast<float>(XPVScroll::kWidth / 2 / twipsPerPixel());
        auto y = static_cast<float>(rowBelowThumb());
        desktop_->mouseDown(bar, 1, x, y, 0);
        desktop_->mouseUp(bar, 1, x, y, 0);
        desktop_->flushPaints();
    }
    bool roomBelowThumb() {
        return XPVScrollAccess::pagesDown(TavrinAccess::sbUC(*list_), rowBelowThumb() * twipsPerPixel());
    }

    // The list's own drawing surface, pixel by pixel (the scroll bar left out).
    std::vector<uint32_t> listPixels() {
        platform::DrawingSurface& surface = TavrinAccess::iUC(*list_);
        const auto w = static_cast<int32_t>(surface.ScaleWidth());
        const auto h = static_cast<int32_t>(surface.ScaleHeight());
        std::vector<uint32_t> out;
        out.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                out.push_back(surface.Point(x, y));
        return out;
    }

    // Whether the list's surface shows what a full repaint at the current position draws: the
    // pixels now, against those after a repaint that can keep nothing (a pixel rewritten with its
    // own colour tells the list that its surface is no longer what it painted).
    bool equalsFullRepaint() {
        std::vector<uint32_t> now = listPixels();
        platform::DrawingSurface& surface = TavrinAccess::iUC(*list_);
        surface.PSet(0, 0, surface.Point(0, 0));
        TavrinAccess::iUC_Paint(*list_);
        return listPixels() == now;
    }

    // Reads a pixel of the control's window and of each child window, as a screen showing them
    // would: drawing that a surface keeps pending until someone looks is done here, so it falls
    // inside the timing of the operation that asked for it.
    uint32_t look() {
        software::DesktopWindow& window = site_->core().window();
        uint32_t seen = window.surface().pixelAt(0, 0);
        for (software::DesktopWindow* child : window.children())
            seen ^= child->surface().pixelAt(0, 0);
        return seen;
    }

    // The control's window with its children, as a PNG.
    bool snapshot(const std::string& path, std::string* error) {
        return desktop_->snapshot(site_->hWnd(), true, path, error);
    }
    // The same pixels without a file, row by row.
    std::vector<uint32_t> pixels(int32_t& width, int32_t& height) {
        return desktop_->compose(site_->hWnd(), true, width, height);
    }

  private:
    double twipsPerPixel() const { return desktop_->options().twipsPerPixel; }
    int32_t rowBelowThumb() {
        const XPVScroll& scroll = TavrinAccess::sbUC(*list_);
        const double middle = (XPVScrollAccess::pieceRect(scroll, BarPiece::Thumb).bottom() +
                               XPVScrollAccess::pieceRect(scroll, BarPiece::DownButton).top) /
                              2;
        return static_cast<int32_t>(std::floor(middle / twipsPerPixel()));
    }

    int32_t clientWidth_, clientHeight_;
    std::unique_ptr<software::Desktop> desktop_;
    std::unique_ptr<software::SoftwareSite> site_;
    std::unique_ptr<Tavrin> list_;
};

// The texts as the automation strings that AddItem takes, made once outside any timing.
inline std::vector<Variant> toVariants(const std::vector<std::string>& texts) {
    std::vector<Variant> out;
    out.reserve(texts.size());
    for (const std::string& text : texts)
        out.push_back(Variant::string(std::u16string(text.begin(), text.end())));
    return out;
}

} // namespace tavrin::bench
