// Time on the desktop: DoEvents, waits, the queued paints and the modal loops.
//
//   DoEvents:  clock +1 ms -> timers due by then, in time order -> queued paints -> the input pump
//              (unless a wait deferred it)
//   wait(ms):  each timer due before now+ms fires at its own due time, paints after each ->
//              clock = now+ms
//   modal loop (popup menu, modal form): pump until closed; a pump with nothing left closes it
#include <algorithm>

#include "platform/software/Desktop.h"
#include "tavrin/automation/AutomationError.h"

namespace tavrin::software {

void Desktop::DoEvents() {
    clock_.advanceTo(clock_.now() + 1);
    fireDueTimers();
    flushPaints();
    if (pump_ && clock_.now() >= pumpDeferredUntil_) callPump();
}

void Desktop::fireDueTimers() {
    while (clock_.fireNext(clock_.now()))
        flushPaints();
}

void Desktop::wait(uint32_t ms) {
    uint32_t target = clock_.now() + ms;
    uint32_t saved = pumpDeferredUntil_;
    pumpDeferredUntil_ = std::max(saved, target);
    while (clock_.fireNext(target))
        flushPaints();
    clock_.advanceTo(target);
    flushPaints();
    if (pumpDeferredUntil_ == std::max(saved, target)) pumpDeferredUntil_ = saved;
}

void Desktop::callPump() {
    auto pump = pump_;
    pump();
    flushPaints();
}

void Desktop::flushPaints() {
    if (hiddenFocus_) {
        DesktopWindow* hidden = std::exchange(hiddenFocus_, nullptr);
        if (focused_ == hidden && !hidden->shown()) {
            SiteCore* owner = hidden->owner();
            setFocus(owner ? owner->focusFallback() : nullptr);
        }
    }
    while (!paintQueue_.empty()) {
        DesktopWindow* w = paintQueue_.front();
        paintQueue_.erase(paintQueue_.begin());
        if (!w->shown()) continue;
        w->countPaint();
        if (w->events) w->events->paint();
    }
}

// One turn of a modal loop: the clock idles while a wait holds the pump back, otherwise the pump
// runs. False when the pump has nothing more to run.
namespace {
bool modalTurn(Desktop& d, VirtualClock& clock, uint32_t deferredUntil, const std::function<bool()>& pump) {
    if (!pump) return false;
    if (clock.now() < deferredUntil) {
        d.wait(1);
        return true;
    }
    auto copy = pump;
    bool more = copy();
    d.flushPaints();
    return more;
}
} // namespace

void Desktop::popupMenu(platform::Menu& menu) {
    ++popupCount_;
    platform::Menu* previous = shownMenu_;
    shownMenu_ = &menu;
    menuChoice_.reset();
    while (shownMenu_ == &menu) {
        if (!modalTurn(*this, clock_, pumpDeferredUntil_, pump_)) shownMenu_ = nullptr;
    }
    shownMenu_ = previous;
    std::optional<int16_t> choice = std::exchange(menuChoice_, std::nullopt);
    if (choice && menu.Click) {
        auto handler = menu.Click;
        handler(*choice);
    }
}

void Desktop::menuChoose(int16_t index) {
    if (!shownMenu_) return;
    auto* menu = dynamic_cast<SoftwareMenu*>(shownMenu_);
    if (menu && !menu->choosable(index)) return;
    menuChoice_ = index;
    shownMenu_ = nullptr;
}

void Desktop::menuCancel() {
    menuChoice_.reset();
    shownMenu_ = nullptr;
}

void Desktop::runModal(SoftwareForm& form) {
    SoftwareForm* previous = shownForm_;
    shownForm_ = &form;
    form.drawButtons();
    while (form.Shown()) {
        if (!modalTurn(*this, clock_, pumpDeferredUntil_, pump_)) form.Unload();
    }
    shownForm_ = previous;
}

void Desktop::pressFormButton(const std::u16string& caption) {
    if (shownForm_) shownForm_->press(caption);
}

} // namespace tavrin::software
