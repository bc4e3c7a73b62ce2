// The desktop's set-up, window registry, window functions, subclassing server, window timers,
// message boxes, scale conversions and modal loops.
#include "platform/software/Desktop.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Limits.h"

namespace tavrin::software {

using platform::HWND;

namespace {

constexpr int32_t kFormMarginPx = 100;

// A screen a real display could have: its size within the window limits, its twips per pixel
// within a sane range (every twip-to-pixel conversion divides by it).
DesktopOptions checkedOptions(const DesktopOptions& options) {
    const double tpp = options.twipsPerPixel;
    if (options.screenWidthPx <= 0 || options.screenHeightPx <= 0 ||
        !(tpp >= platform::limits::kMinTwipsPerPixel && tpp <= platform::limits::kMaxTwipsPerPixel))
        RaiseInvalidPropertyValue();
    platform::limits::checkPixels(options.screenWidthPx, options.screenHeightPx, "a screen");
    return options;
}

} // namespace

Desktop::Desktop(DesktopOptions options)
    : options_(checkedOptions(options)),
      sysColors_(SoftwareGdi::defaultSystemColors().begin(), SoftwareGdi::defaultSystemColors().end()),
      gdi_([this](int32_t index) { return sysColor(index); }) {
    pictureStore_.setScale(options_.scale());
    DesktopWindow::Params f;
    f.kind = WindowKind::Form;
    f.name = "form";
    f.left = kFormClientX;
    f.top = kFormClientY;
    f.width = std::max(0, options_.screenWidthPx - kFormClientX - kFormMarginPx / 4);
    f.height = std::max(0, options_.screenHeightPx - kFormClientY - kFormMarginPx / 4);
    form_ = std::make_unique<DesktopWindow>(*this, f);
    form_->surface().SetBackColor(platform::oleColor(platform::SysColor::ButtonFace));
    form_->surface().Cls();
    // Another control on the form, for the focus to go "away" to.
    DesktopWindow::Params o;
    o.kind = WindowKind::Other;
    o.name = "other";
    o.parent = form_.get();
    o.left = kControlX;
    o.top = std::max(0, f.height - 40);
    o.width = 75;
    o.height = 23;
    other_ = std::make_unique<DesktopWindow>(*this, o);
}

Desktop::~Desktop() {
    other_.reset();
    form_.reset();
}

// ---------------------------------------------------------------------------------------------
// Set-up and sites

void Desktop::setSysColor(int32_t index, uint32_t rgb) {
    if (index < 0 || index >= platform::limits::kSysColorCount) raise(err::InvalidCall);
    if (static_cast<size_t>(index) >= sysColors_.size()) sysColors_.resize(static_cast<size_t>(index) + 1, 0);
    sysColors_[static_cast<size_t>(index)] = rgb & 0xFFFFFF;
}

uint32_t Desktop::sysColor(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= sysColors_.size()) return 0;
    return sysColors_[static_cast<size_t>(index)];
}

void Desktop::resizeForm(int32_t w, int32_t h) {
    form_->move(form_->left(), form_->top(), w, h);
}

std::unique_ptr<SoftwareSite> Desktop::createControlSite(std::u16string typeName, int32_t clientW,
                                                         int32_t clientH) {
    return std::make_unique<SoftwareSite>(*this, std::move(typeName), clientW, clientH, ambient_);
}

std::u16string Desktop::nextDisplayName(const std::u16string& typeName) {
    int n = ++displayNames_[typeName];
    return typeName + utf16(std::to_string(n));
}

// ---------------------------------------------------------------------------------------------
// Windows

HWND Desktop::registerWindow(DesktopWindow* window) {
    HWND hwnd = nextHwnd_;
    nextHwnd_ += 0x10;
    windows_[hwnd] = window;
    if (!window->parent()) topLevels_.push_back(window);
    return hwnd;
}

void Desktop::unregisterWindow(DesktopWindow* window) {
    HWND hwnd = window->hwnd();
    windows_.erase(hwnd);
    std::erase(topLevels_, window);
    std::erase_if(hooks_, [&](const Hook& h) { return h.hwnd == hwnd; });
    for (const WindowTimer& t : windowTimers_)
        if (t.hwnd == hwnd) clock_.removeTimer(t.timer);
    std::erase_if(windowTimers_, [&](const WindowTimer& t) { return t.hwnd == hwnd; });
    std::erase(paintQueue_, window);
    if (focused_ == window) focused_ = nullptr;
    if (capture_ == window) capture_ = nullptr;
    if (pressed_ == window) pressed_ = nullptr;
    if (hiddenFocus_ == window) hiddenFocus_ = nullptr;
    if (lastClick_.hwnd == hwnd) lastClick_ = {};
}

DesktopWindow* Desktop::window(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second;
}

platform::RECT Desktop::GetWindowRect(HWND hwnd) {
    DesktopWindow* w = window(hwnd);
    return w ? w->screenRect() : platform::RECT{};
}

void Desktop::queuePaint(DesktopWindow* window) {
    if (std::find(paintQueue_.begin(), paintQueue_.end(), window) == paintQueue_.end())
        paintQueue_.push_back(window);
}

void Desktop::bringToTop(DesktopWindow* window) {
    std::erase(topLevels_, window);
    topLevels_.push_back(window);
}

// Which window shows at each pixel of the area is worked out from the stacking order: the
// top-level windows bottom to top, each window before its children, children bottom to top. The
// windows reached before the one that left are the ones beneath it.
void Desktop::uncovered(DesktopWindow& gone, const platform::RECT& area) {
    const int32_t w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    std::vector<DesktopWindow*> order;
    size_t beneath = SIZE_MAX;
    auto walk = [&](auto& self, DesktopWindow* win) -> void {
        if (win == &gone) {
            beneath = order.size();
            return; // what it covers now is kept out below
        }
        if (!win->visible()) return;
        order.push_back(win);
        for (DesktopWindow* child : win->children())
            self(self, child);
    };
    for (DesktopWindow* top : topLevels_)
        walk(walk, top);
    if (beneath == SIZE_MAX || beneath == 0) return;
    // Only a window that paints or loses pixels needs the map (most moves are of a control over
    // the bare form).
    auto touches = [&](const platform::RECT& r) {
        return r.left < area.right && area.left < r.right && r.top < area.bottom && area.top < r.bottom;
    };
    if (std::none_of(order.begin(), order.begin() + static_cast<ptrdiff_t>(beneath), [&](DesktopWindow* win) {
            return (win->events || !win->keepsPicture()) && touches(win->visibleScreenRect());
        }))
        return;

    constexpr int32_t kNobody = -1;
    std::vector<int32_t> owner(static_cast<size_t>(w) * static_cast<size_t>(h), kNobody);
    auto mark = [&](platform::RECT r, int32_t who) {
        r = {std::max(r.left, area.left), std::max(r.top, area.top), std::min(r.right, area.right),
             std::min(r.bottom, area.bottom)};
        for (int32_t y = r.top; y < r.bottom; ++y)
            std::fill_n(owner.begin() + static_cast<ptrdiff_t>(y - area.top) * w + (r.left - area.left),
                        std::max(0, r.right - r.left), who);
    };
    for (size_t i = 0; i < order.size(); ++i)
        mark(order[i]->visibleScreenRect(), static_cast<int32_t>(i));
    if (gone.shown()) mark(gone.visibleScreenRect(), kNobody); // still covered where it went

    std::vector<platform::RECT> exposed(beneath, platform::RECT{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN});
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            int32_t who = owner[static_cast<size_t>(y) * w + x];
            if (who == kNobody || static_cast<size_t>(who) >= beneath) continue;
            platform::RECT& r = exposed[static_cast<size_t>(who)];
            r = {std::min(r.left, area.left + x), std::min(r.top, area.top + y),
                 std::max(r.right, area.left + x + 1), std::max(r.bottom, area.top + y + 1)};
        }
    for (size_t i = 0; i < beneath; ++i) {
        const platform::RECT& r = exposed[i];
        if (r.left >= r.right) continue;
        DesktopWindow* under = order[i];
        if (!under->keepsPicture()) {
            platform::POINT o = under->clientOrigin();
            SoftwareSurface& s = under->surface();
            s.fillRect({r.left - o.x, r.top - o.y, r.right - o.x, r.bottom - o.y}, s.resolvedBackColor());
        }
        queuePaint(under);
    }
}

void Desktop::windowHidden(DesktopWindow* window) {
    if (focused_ && focused_->isDescendantOf(window)) hiddenFocus_ = focused_;
    if (capture_ && capture_->isDescendantOf(window)) capture_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Subclassing server and window timers

void Desktop::HookMessage(platform::ISubclass* client, HWND hwnd, int32_t msg) {
    if (!window(hwnd)) raise(err::InvalidCall);
    for (const Hook& h : hooks_)
        if (h.client == client && h.hwnd == hwnd && h.msg == msg) return;
    hooks_.push_back({client, hwnd, msg});
}

void Desktop::UnhookMessage(platform::ISubclass* client, HWND hwnd, int32_t msg) {
    std::erase_if(hooks_,
                  [&](const Hook& h) { return h.client == client && h.hwnd == hwnd && h.msg == msg; });
}

bool Desktop::hooked(HWND hwnd) const {
    return std::any_of(hooks_.begin(), hooks_.end(), [&](const Hook& h) { return h.hwnd == hwnd; });
}

void Desktop::sendMessage(HWND hwnd, int32_t msg, int32_t wParam, int32_t lParam) {
    std::vector<platform::ISubclass*> clients;
    for (const Hook& h : hooks_)
        if (h.hwnd == hwnd && h.msg == msg) clients.push_back(h.client);
    for (platform::ISubclass* client : clients) {
        // An earlier client may have unhooked this one meanwhile.
        bool still = std::any_of(hooks_.begin(), hooks_.end(), [&](const Hook& h) {
            return h.client == client && h.hwnd == hwnd && h.msg == msg;
        });
        if (still) client->ISubclass_WindowProc(hwnd, msg, wParam, lParam);
    }
}

int32_t Desktop::SetTimer(HWND hwnd, int32_t id, int32_t milliseconds) {
    if (!window(hwnd)) return 0;
    int32_t interval = std::max(1, milliseconds);
    auto it = std::find_if(windowTimers_.begin(), windowTimers_.end(),
                           [&](const WindowTimer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == windowTimers_.end()) {
        VirtualClock::TimerId timer = clock_.addTimer([this, hwnd, id] { fireWindowTimer(hwnd, id); });
        it = windowTimers_.insert(windowTimers_.end(), {hwnd, id, interval, timer});
    }
    it->interval = interval;
    clock_.scheduleIn(it->timer, static_cast<uint32_t>(interval));
    return id == 0 ? 1 : id;
}

bool Desktop::KillTimer(HWND hwnd, int32_t id) {
    auto it = std::find_if(windowTimers_.begin(), windowTimers_.end(),
                           [&](const WindowTimer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == windowTimers_.end()) return false;
    clock_.removeTimer(it->timer);
    windowTimers_.erase(it);
    return true;
}

void Desktop::fireWindowTimer(HWND hwnd, int32_t id) {
    auto it = std::find_if(windowTimers_.begin(), windowTimers_.end(),
                           [&](const WindowTimer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == windowTimers_.end()) return;
    clock_.scheduleIn(it->timer, static_cast<uint32_t>(it->interval));
    sendMessage(hwnd, platform::WM_TIMER, id, 0);
}

// ---------------------------------------------------------------------------------------------
// Message boxes, scales, forms

int32_t Desktop::MsgBox(const std::u16string& prompt, int32_t style, const std::u16string& title) {
    ++messageBoxCount_;
    lastMessageBox_ = prompt;
    return 1; // OK
}

double Desktop::twipsPer(platform::ScaleMode mode, bool vertical) const {
    if (mode == platform::ScaleMode::Pixels) return options_.twipsPerPixel;
    const double unit = platform::twipsPerUnit(mode, vertical);
    if (unit == 0) raise(err::InvalidCall); // a user scale belongs to a form, not to the screen
    return unit;
}

double Desktop::ScaleX(double value, platform::ScaleMode from, platform::ScaleMode to) {
    return checkedFinite(value * twipsPer(from, false) / twipsPer(to, false));
}

double Desktop::ScaleY(double value, platform::ScaleMode from, platform::ScaleMode to) {
    return checkedFinite(value * twipsPer(from, true) / twipsPer(to, true));
}

std::unique_ptr<platform::Form> Desktop::createForm(double clientWidthTwips, double clientHeightTwips,
                                                    const std::u16string& caption) {
    return std::make_unique<SoftwareForm>(*this, clientWidthTwips, clientHeightTwips, caption);
}

} // namespace tavrin::software
