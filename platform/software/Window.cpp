#include "platform/software/Window.h"

#include <algorithm>

#include "platform/software/Desktop.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Limits.h"

namespace tavrin::software {

using platform::POINT;
using platform::RECT;

DesktopWindow::DesktopWindow(Desktop& desktop, Params p)
    : desktop_(desktop), hwnd_(0), kind_(p.kind), name_(std::move(p.name)), parent_(p.parent),
      owner_(p.owner), left_(p.left), top_(p.top), width_(std::max(0, p.width)),
      height_(std::max(0, p.height)), visible_(p.visible) {
    platform::limits::checkPixels(width_, height_, "a window");
    surface_ = std::make_unique<SoftwareSurface>(desktop.softwareGdi(), width_, height_, p.scale,
                                                 desktop.options().twipsPerPixel);
    hwnd_ = desktop.registerWindow(this);
    if (parent_) {
        // Keep the children sorted bottom to top by kind: picture box, child controls, text box.
        auto at = std::upper_bound(
            parent_->children_.begin(), parent_->children_.end(), this,
            [](const DesktopWindow* a, const DesktopWindow* b) { return a->zRank() < b->zRank(); });
        parent_->children_.insert(at, this);
    }
}

DesktopWindow::~DesktopWindow() {
    for (DesktopWindow* child : children_)
        child->parent_ = nullptr;
    if (parent_) std::erase(parent_->children_, this);
    desktop_.unregisterWindow(this);
}

int32_t DesktopWindow::zRank() const {
    switch (kind_) {
    case WindowKind::ChildControl:
        return 1;
    case WindowKind::TextBox:
        return 2;
    default:
        return 0;
    }
}

int32_t DesktopWindow::clientWidth() const {
    return std::max(0, width_ - 2 * frame_);
}
int32_t DesktopWindow::clientHeight() const {
    return std::max(0, height_ - 2 * frame_);
}

bool DesktopWindow::move(int32_t left, int32_t top, int32_t width, int32_t height) {
    width = std::max(0, width);
    height = std::max(0, height);
    // Checked before anything moves: a refused size leaves the window as it was.
    platform::limits::checkPixels(std::max<int64_t>(0, int64_t{width} - 2 * frame_),
                                  std::max<int64_t>(0, int64_t{height} - 2 * frame_), "a window");
    bool sizeChanged = width != width_ || height != height_;
    bool placeChanged = sizeChanged || left != left_ || top != top_;
    const bool wasShown = shown();
    const RECT before = visibleScreenRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (sizeChanged) {
        surface_->resize(clientWidth(), clientHeight());
        if (shown()) desktop_.queuePaint(this);
    }
    if (wasShown && placeChanged) desktop_.uncovered(*this, before);
    return sizeChanged;
}

void DesktopWindow::setFrame(int32_t inset) {
    int32_t w = clientWidth(), h = clientHeight();
    frame_ = std::max(0, inset);
    width_ = w + 2 * frame_;
    height_ = h + 2 * frame_;
}

bool DesktopWindow::shown() const {
    return visible_ && (!parent_ || parent_->shown());
}

void DesktopWindow::setVisible(bool visible) {
    if (visible == visible_) return;
    const bool wasShown = shown();
    visible_ = visible;
    if (visible) {
        if (!parent_) desktop_.bringToTop(this);
        if (shown()) desktop_.queuePaint(this);
    } else {
        desktop_.windowHidden(this);
        if (wasShown) desktop_.uncovered(*this, visibleScreenRect());
    }
}

POINT DesktopWindow::clientOrigin() const {
    RECT r = screenRect();
    return {r.left + frame_, r.top + frame_};
}

RECT DesktopWindow::screenRect() const {
    POINT base = parent_ ? parent_->clientOrigin() : POINT{0, 0};
    return {base.x + left_, base.y + top_, base.x + left_ + width_, base.y + top_ + height_};
}

RECT DesktopWindow::visibleScreenRect() const {
    RECT r = screenRect();
    for (const DesktopWindow* a = parent_; a; a = a->parent_) {
        POINT o = a->clientOrigin();
        r = {std::max(r.left, o.x), std::max(r.top, o.y), std::min(r.right, o.x + a->clientWidth()),
             std::min(r.bottom, o.y + a->clientHeight())};
    }
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

DesktopWindow* DesktopWindow::hitTest(POINT screen) {
    if (!visible_ || !platform::PtInRect(screenRect(), screen)) return nullptr;
    POINT o = clientOrigin();
    RECT client{o.x, o.y, o.x + clientWidth(), o.y + clientHeight()};
    if (platform::PtInRect(client, screen)) {
        for (auto it = children_.rbegin(); it != children_.rend(); ++it)
            if (DesktopWindow* hit = (*it)->hitTest(screen)) return hit;
    }
    return this;
}

bool DesktopWindow::isDescendantOf(const DesktopWindow* ancestor) const {
    for (const DesktopWindow* w = this; w; w = w->parent_)
        if (w == ancestor) return true;
    return false;
}

int32_t toPixels(double v) {
    return roundToI4(v);
}

void setFocusChecked(DesktopWindow& window) {
    if (!window.shown() || !window.enabled()) raise(err::InvalidCall);
    window.desktop().setFocus(&window);
}

} // namespace tavrin::software
