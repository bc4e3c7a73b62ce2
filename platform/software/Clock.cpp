#include "platform/software/Clock.h"

#include "tavrin/automation/AutomationError.h"

namespace tavrin::software {

void VirtualClock::advanceTo(uint32_t t) {
    const auto ahead = static_cast<int32_t>(t - now());
    if (ahead > 0) ticks_ += static_cast<uint32_t>(ahead);
}

VirtualClock::TimerId VirtualClock::addTimer(std::function<void()> fire) {
    TimerId id = nextId_++;
    timers_[id].fire = std::move(fire);
    return id;
}

void VirtualClock::removeTimer(TimerId id) {
    timers_.erase(id);
}

void VirtualClock::scheduleIn(TimerId id, uint32_t delayMs) {
    auto it = timers_.find(id);
    TAVRIN_VERIFY(it != timers_.end());
    it->second.due = ticks_ + delayMs;
}

void VirtualClock::unschedule(TimerId id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) it->second.due.reset();
}

std::optional<uint32_t> VirtualClock::dueTime(TimerId id) const {
    auto it = timers_.find(id);
    if (it == timers_.end() || !it->second.due) return std::nullopt;
    return static_cast<uint32_t>(*it->second.due);
}

bool VirtualClock::fireNext(Ticks limit) {
    auto best = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        const Entry& e = it->second;
        if (!e.due || e.running || *e.due > limit) continue;
        if (best == timers_.end() || *e.due < *best->second.due) best = it;
    }
    if (best == timers_.end()) return false;
    TimerId id = best->first;
    if (*best->second.due > ticks_) ticks_ = *best->second.due;
    best->second.due.reset();
    best->second.running = true;
    // The handler may remove this very timer (its owner destroyed inside the tick): look it up
    // again afterwards instead of keeping the iterator.
    auto fire = best->second.fire;
    try {
        fire();
    } catch (...) {
        if (auto again = timers_.find(id); again != timers_.end()) again->second.running = false;
        throw;
    }
    if (auto again = timers_.find(id); again != timers_.end()) again->second.running = false;
    return true;
}

} // namespace tavrin::software
