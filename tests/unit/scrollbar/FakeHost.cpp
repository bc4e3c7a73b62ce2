#include "FakeHost.h"

#include <cmath>
#include <stdexcept>

#include "platform/software/ThemePictures.h"

namespace tavrin::test {

void FakeTimer::SetInterval(int32_t ms) {
    interval_ = ms;
    if (enabled_) due = host_.now + static_cast<uint32_t>(ms);
}

void FakeTimer::SetEnabled(bool on) {
    if (on && !enabled_) due = host_.now + static_cast<uint32_t>(interval_);
    enabled_ = on;
}

void FakeUserControl::PaintPicture(const platform::Picture* picture, double x, double y,
                                   std::optional<double>, std::optional<double> h) {
    if (!picture) raise(err::InvalidPicture);
    paints.push_back({host_.keyOf(picture->handle()), x, y, h});
}

FakeHost::FakeHost() = default;
FakeHost::~FakeHost() = default;

std::u16string FakeHost::keyOf(int32_t handle) const {
    auto it = keysByHandle_.find(handle);
    return it == keysByHandle_.end() ? u"" : it->second;
}

void FakeHost::deliver(int32_t msg) {
    auto copy = hooks;
    for (const auto& [client, hooked] : copy)
        if (hooked == msg) client->ISubclass_WindowProc(42, msg, msg == platform::WM_TIMER ? 1 : 0, 0);
}

void FakeHost::cursorAt(double yTwips) {
    cursor.y = windowRect.top + static_cast<int32_t>(std::lround(yTwips / twipsPerPixel));
}

void FakeHost::moveTo(double yTwips) {
    cursorAt(yTwips);
    deliver(platform::WM_MOUSEMOVE);
}

void FakeHost::press(double yTwips) {
    cursorAt(yTwips);
    deliver(platform::WM_LBUTTONDOWN);
}

void FakeHost::release(double yTwips) {
    cursorAt(yTwips);
    deliver(platform::WM_LBUTTONUP);
}

void FakeHost::doubleClick(double yTwips) {
    cursorAt(yTwips);
    deliver(platform::WM_LBUTTONDBLCLK);
}

void FakeHost::advance(uint32_t ms) {
    const uint32_t target = now + ms;
    for (;;) {
        FakeTimer* next = nullptr;
        for (FakeTimer* t : timers)
            if (t->Enabled() && t->Interval() > 0 && t->due <= target && (!next || t->due < next->due))
                next = t;
        auto window = windowTimers.begin();
        const bool windowFirst =
            window != windowTimers.end() && window->second <= target && (!next || window->second < next->due);
        if (windowFirst) {
            now = window->second;
            window->second += 10;
            deliver(platform::WM_TIMER);
        } else if (next) {
            now = next->due;
            next->due += static_cast<uint32_t>(next->Interval());
            if (next->Tick) next->Tick();
        } else {
            break;
        }
    }
    now = target;
}

void FakeHost::RaiseEvent(std::string_view name, int32_t, std::vector<Variant>&) {
    events.emplace_back(name);
    if (onEvent) onEvent(std::string(name));
}

std::unique_ptr<platform::Timer> FakeHost::createTimer() {
    auto timer = std::make_unique<FakeTimer>(*this);
    timers.push_back(timer.get());
    return timer;
}

platform::Gdi& FakeHost::gdi() {
    throw std::logic_error("the scroll bar draws with pictures only");
}

int32_t FakeHost::SetTimer(platform::HWND, int32_t id, int32_t ms) {
    windowTimers[id] = now + static_cast<uint32_t>(ms);
    return id;
}

int32_t FakeHost::MsgBox(const std::u16string& prompt, int32_t style, const std::u16string&) {
    if (style == platform::vbCritical) messageBoxes.push_back(prompt);
    return 1;
}

void FakeHost::HookMessage(platform::ISubclass* client, platform::HWND hwnd, int32_t msg) {
    if (hwnd != 42) raise(err::InvalidCall);
    hooks.insert({client, msg});
}

void FakeHost::UnhookMessage(platform::ISubclass* client, platform::HWND, int32_t msg) {
    if (failUnhookAfter >= 0 && unhooks_ >= failUnhookAfter) raise(err::InvalidCall);
    ++unhooks_;
    hooks.erase({client, msg});
}

std::shared_ptr<platform::Picture> FakeHost::GetPicture(const std::u16string& key) {
    askedKeys.push_back(key);
    if (failingKeys.count(key) || failingKeys.count(u"*")) raise(err::InvalidPicture);
    auto& cached = cache_[key];
    if (!cached) cached = software::makeStorePicture(key);
    if (!cached) raise(err::InvalidPicture);
    keysByHandle_[cached->handle()] = key;
    return cached;
}

} // namespace tavrin::test
