// The virtual clock and the timers that run on it.
//
// Time moves only when the host says so (a wait, a DoEvents). A timer is due at a moment of the
// clock; when the clock passes several due timers they fire in time order, ties in the order the
// timers were created. A timer never fires again while its own handler is still running (a handler
// that loops with DoEvents does not re-enter itself); it fires when that handler has returned.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace tavrin::software {

class VirtualClock {
  public:
    using TimerId = uint64_t;
    using Ticks = uint64_t; // milliseconds since the clock started, never wrapping
    static constexpr uint32_t kStart = 100000;

    // The tick count as the kernel gives it: 32 bits that wrap to 0 after 2^32 - 1 ms, as
    // GetTickCount does after 49.7 days. Moments are compared by their difference, never by value.
    uint32_t now() const { return static_cast<uint32_t>(ticks_); }
    Ticks ticks() const { return ticks_; }
    // Moves the clock forward by `ms`.
    void advanceBy(uint32_t ms) { ticks_ += ms; }
    // Moves the clock forward to the tick count `t`, taken as at most 2^31 - 1 ms ahead; a `t`
    // that lies behind leaves the clock as it is.
    void advanceTo(uint32_t t);
    // The moment `ms` from now.
    Ticks after(uint32_t ms) const { return ticks_ + ms; }

    // A new timer, not scheduled. `fire` runs when it is due; the timer is unscheduled before
    // `fire` runs, so a periodic timer schedules itself again.
    TimerId addTimer(std::function<void()> fire);
    void removeTimer(TimerId id);
    void scheduleIn(TimerId id, uint32_t delayMs); // due delayMs from now
    void unschedule(TimerId id);
    std::optional<uint32_t> dueTime(TimerId id) const; // as a tick count

    // Fires the earliest timer due at or before `limit` (the clock first moves to its due time
    // when that lies ahead). Returns false when no timer is due by then.
    bool fireNext(Ticks limit);

  private:
    struct Entry {
        std::function<void()> fire;
        std::optional<Ticks> due;
        bool running = false;
    };
    Ticks ticks_ = kStart;
    TimerId nextId_ = 1;
    std::map<TimerId, Entry> timers_; // ordered by creation
};

} // namespace tavrin::software
