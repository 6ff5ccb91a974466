#pragma once
// Listen to this device: the capture endpoint's listen properties in the registry, and the
// Windows audio service restarted so that it reads them again.

#include <array>
#include <cstdint>

#include "platform/ports/clock.h"
#include "platform/ports/registry.h"
#include "platform/ports/service_manager.h"

namespace tonedeck {

inline constexpr char16_t kAudioServiceName[] = u"audiosrv";
inline constexpr uint32_t kServicePollMs = 100;
inline constexpr int kServicePollLimit = 1000;
inline constexpr uint32_t kListenSettleMs = 300;

enum RestartResult : int {
    kRestartDone = 0,
    kRestartStopFailed = 1,
    kRestartStopTimedOut = 2,
    kRestartStartFailed = 3,
};

// A serialized boolean property value (VT_BOOL, VARIANT_TRUE or VARIANT_FALSE), zero padded.
std::array<uint8_t, 16> ListenValue(bool on);

// `SetListenToDevice`: every capture endpoint whose device text holds the vendor and product IDs
// (lower-case hexadecimal, after its first character) gets the listen value. Errors are ignored.
void SetListenToDevice(Registry& registry, bool on, uint16_t vendorId, uint16_t productId);

// `RestartAudioService`: stops "audiosrv" if it runs (polling up to 1000 × 100 ms), then starts
// it.
int RestartAudioService(ServiceManager& services, Clock& clock);

// The listen check box: the properties, the service restart, then 300 ms.
void ListenToDeviceClicked(Registry& registry, ServiceManager& services, Clock& clock, bool checked,
                           uint16_t vendorId, uint16_t productId);

}  // namespace tonedeck
