#include "platform/sim/sim_clock.h"

namespace tonedeck {

void SimClock::Sleep(uint32_t milliseconds) {
    sleeps_.push_back(milliseconds);
    now_ += milliseconds;
}

int SimClock::StartTimer(uint32_t intervalMs, std::function<void()> onTick) {
    const int id = nextId_++;
    const uint32_t interval = intervalMs == 0 ? 1 : intervalMs;
    timers_[id] = Timer{interval, now_ + interval, std::move(onTick)};
    return id;
}

void SimClock::Advance(uint32_t milliseconds) {
    const uint64_t target = now_ + milliseconds;
    for (;;) {
        int dueId = 0;
        uint64_t due = target + 1;
        for (const auto& [id, timer] : timers_) {
            if (timer.due < due) {
                due = timer.due;
                dueId = id;
            }
        }
        if (dueId == 0) break;
        now_ = due;
        Timer& timer = timers_.at(dueId);
        timer.due += timer.interval;
        // The handler may stop or start timers, this one included.
        std::function<void()> onTick = timer.onTick;
        onTick();
    }
    now_ = target;
}

}  // namespace tonedeck
