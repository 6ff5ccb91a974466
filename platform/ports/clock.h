#pragma once
// Time as the control panel reads and waits for it.

#include <cstdint>

namespace tonedeck {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual uint32_t TickCount() = 0;  // GetTickCount
    virtual void Sleep(uint32_t milliseconds) = 0;
};

}  // namespace tonedeck
