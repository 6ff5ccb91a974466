#pragma once
// The simulated sound device's state as an INI text, for a program that runs against the
// simulated world and lets others watch it: presence, firmware registers (decimal address =
// two hex digits), GPIO lines, and what the filter driver was asked.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "platform/sim/sim_device_world.h"

namespace tonedeck {

class SimDeviceStateReport {
  public:
    // Moves the driver's recorded requests into the report's counts and drops the firmware's
    // report log, so a run of hours keeps counts instead of every report and request.
    std::string Describe(SimDeviceWorld& world, int soundUnit);

  private:
    std::map<uint32_t, std::size_t> requestCounts_;
    std::size_t requestTotal_ = 0;
};

}  // namespace tonedeck
