#pragma once
// Start, stop or signal a Windows service and wait, boundedly, for the state asked for.

#include <cstdint>
#include <string>

#include "platform/ports/clock.h"
#include "platform/ports/service_manager.h"

namespace tonedeck {

inline constexpr uint32_t kServiceStartRequest = 0;  // control code meaning "start"
inline constexpr uint32_t kServiceStopRequest = 1;
inline constexpr int kServicePolls = 30;
inline constexpr uint32_t kServicePollMs = 300;

enum ServiceControlResult : int {
    kServiceDone = 0,
    kServiceManagerNotOpened = 1,
    kServiceNotOpened = 2,
    kServiceStatusUnreadable = 3,
    kServiceStopRefused = 4,
    kServiceNotStopped = 5,
    kServiceStartRefused = 6,
    kServiceNotRunning = 7,
};

// Control 0 starts, 1 stops, any other value is sent to the service as it is (answer ignored).
ServiceControlResult ControlDeviceService(ServiceManager& services, Clock& clock,
                                          const std::u16string& name, uint32_t control);

}  // namespace tonedeck
