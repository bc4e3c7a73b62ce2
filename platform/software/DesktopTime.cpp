// Time on the desktop: DoEvents, waits, the queued paints and the modal loops.
//
//   DoEvents:  clock +1 ms -> timers due by then, in time order -> queued paints -> the input pump
//              (unless a wait deferred it)
//   wait(ms):  each timer due before now+ms fires at its own due time, paints after each ->
//              clock = now+ms
//   modal loop (popup menu, modal form): pump until closed; a pump with nothing left closes it
#include <algorithm>

#include "platform/software/Desktop.h"
#include "tavrin/ScopeExit.h"
#include "tavrin/automation/AutomationError.h"

namespace tavrin::software {

void Desktop::DoEvents() {
    spendWork();
    clock_.advanceBy(1);
    fireDueTimers();
    flushPaints();
    if (pump_ && clock_.ticks() >= pumpDeferredUntil_) callPump();
}

void Desktop::fireDueTimers() {
    while (clock_.fireNext(clock_.ticks())) {
        spendWork();
        flushPaints();
    }
}

void Desktop::wait(uint32_t ms) {
    const VirtualClock::Ticks target = clock_.after(ms);
    const VirtualClock::Ticks saved = pumpDeferredUntil_;
    pumpDeferredUntil_ = std::max(saved, target);
    while (clock_.fireNext(target)) {
        spendWork();
        flushPaints();
    }
    if (target > clock_.ticks()) clock_.advanceBy(static_cast<uint32_t>(target - clock_.ticks()));
    flushPaints();
    if (pumpDeferredUntil_ == std::max(saved, target)) pumpDeferredUntil_ = saved;
}

void Desktop::deferPumpFor(uint32_t ms) {
    pumpDeferredUntil_ = clock_.after(ms);
}

void Desktop::setWorkBudget(uint64_t units, std::function<void()> exhausted) {
    workBudget_ = units;
    workExhausted_ = std::move(exhausted);
}

void Desktop::spendWork() {
    if (++workSpent_ <= workBudget_ || !workExhausted_) return;
    auto exhausted = workExhausted_;
    exhausted();
}

void Desktop::callPump() {
    const auto pump = pump_; // alive while it runs, even if it replaces itself
    (*pump)();
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
bool modalTurn(Desktop& d, VirtualClock& clock, VirtualClock::Ticks deferredUntil,
               std::shared_ptr<std::function<bool()>> pump) {
    if (!pump) return false;
    if (clock.ticks() < deferredUntil) {
        d.wait(1);
        return true;
    }
    const bool more = (*pump)();
    d.flushPaints();
    return more;
}
} // namespace

void Desktop::popupMenu(platform::Menu& menu) {
    ++popupCount_;
    platform::Menu* previous = shownMenu_;
    shownMenu_ = &menu;
    menuChoice_.reset();
    std::optional<int16_t> choice;
    {
        // However the loop ends (a choice, a cancel, an error raised by a timer or a pump), the
        // menu is closed again and no choice is left for another menu.
        ScopeExit restore([&] {
            shownMenu_ = previous;
            choice = std::exchange(menuChoice_, std::nullopt);
        });
        while (shownMenu_ == &menu) {
            spendWork();
            if (!modalTurn(*this, clock_, pumpDeferredUntil_, pump_)) shownMenu_ = nullptr;
        }
    }
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
    ScopeExit restore([&] { shownForm_ = previous; });
    form.drawButtons();
    while (form.Shown()) {
        spendWork();
        if (!modalTurn(*this, clock_, pumpDeferredUntil_, pump_)) form.Unload();
    }
}

void Desktop::pressFormButton(const std::u16string& caption) {
    if (shownForm_) shownForm_->press(caption);
}

} // namespace tavrin::software
