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
    static constexpr uint32_t kStart = 100000;

    uint32_t now() const { return now_; }
    // Moves the clock forward to `t` (never backwards).
    void advanceTo(uint32_t t);

    // A new timer, not scheduled. `fire` runs when it is due; the timer is unscheduled before
    // `fire` runs, so a periodic timer schedules itself again.
    TimerId addTimer(std::function<void()> fire);
    void removeTimer(TimerId id);
    void schedule(TimerId id, uint32_t dueTime);
    void unschedule(TimerId id);
    std::optional<uint32_t> dueTime(TimerId id) const;

    // Fires the earliest timer due at or before `limit` (the clock first moves to its due time
    // when that lies ahead). Returns false when no timer is due by then.
    bool fireNext(uint32_t limit);

  private:
    struct Entry {
        std::function<void()> fire;
        std::optional<uint32_t> due;
        bool running = false;
    };
    uint32_t now_ = kStart;
    TimerId nextId_ = 1;
    std::map<TimerId, Entry> timers_; // ordered by creation
};

} // namespace tavrin::software
