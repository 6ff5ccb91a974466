#pragma once
// GetTickCount and Sleep.

#include "platform/ports/clock.h"

namespace tonedeck {

class Win32Clock : public Clock {
  public:
    uint32_t TickCount() override;
    void Sleep(uint32_t milliseconds) override;
};

}  // namespace tonedeck
