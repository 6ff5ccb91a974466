#pragma once
// Virtual time: waits return at once and move the clock; window timers tick when a test
// advances the clock.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/ports/clock.h"

namespace tonedeck {

class SimClock : public Clock {
  public:
    uint32_t TickCount() override { return static_cast<uint32_t>(now_); }
    void Sleep(uint32_t milliseconds) override;

    // A periodic timer; the first tick comes one interval from now. Returns its id.
    int StartTimer(uint32_t intervalMs, std::function<void()> onTick);
    void StopTimer(int id) { timers_.erase(id); }
    bool TimerRunning(int id) const { return timers_.count(id) != 0; }

    // Moves time forward, running every tick that falls due on the way, in time order.
    void Advance(uint32_t milliseconds);

    // Every Sleep, in order.
    const std::vector<uint32_t>& sleeps() const { return sleeps_; }

  private:
    struct Timer {
        uint32_t interval = 0;
        uint64_t due = 0;
        std::function<void()> onTick;
    };

    uint64_t now_ = 0;
    int nextId_ = 1;
    std::map<int, Timer> timers_;
    std::vector<uint32_t> sleeps_;
};

}  // namespace tonedeck
