#pragma once
// The device's microphone as Windows lists it: the DirectSound capture device whose driver sits
// on the device's USB interface, the Core Audio capture endpoint named after it, and the
// endpoint's volume, mute and automatic gain control.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/ports/audio_system.h"

namespace tonedeck {

inline constexpr std::size_t kCaptureNameChars = 260;  // with the terminator

enum EndpointResult : int {
    kEndpointOk = 0,
    kEndpointCallFailed = 1,
    kEndpointNoSteps = 2,  // a volume with fewer than two steps has no percent
};

// "\\?\USB#VID_vvvv&PID_pppp", upper-case hexadecimal.
std::u16string CaptureIdentityPrefix(uint16_t vendorId, uint16_t productId);

// `FindCaptureName`: the name of the last capture device whose interface path starts with the
// identity prefix (case-insensitive); empty when there is none.
std::u16string FindCaptureName(AudioSystem& audio, uint16_t vendorId, uint16_t productId);

// `OpenCaptureEndpoint`: the ID of the first active capture endpoint whose friendly name
// contains the capture name; nullopt when none does or a call fails.
std::optional<std::u16string> OpenCaptureEndpoint(AudioSystem& audio, uint16_t vendorId,
                                                  uint16_t productId);

// Percent = step × 100 / (step count − 1).
int GetMicGain(AudioSystem& audio, const std::u16string& endpoint, int& percent);
// Scalar = percent × 0.01, the percent held to 0..100.
int SetMicGain(AudioSystem& audio, const std::u16string& endpoint, int percent);
int GetMicMute(AudioSystem& audio, const std::u16string& endpoint, bool& mute);
int SetMicMute(AudioSystem& audio, const std::u16string& endpoint, bool mute);
// Boost is the automatic gain control of the device's topology.
int GetMicBoost(AudioSystem& audio, const std::u16string& endpoint, bool& boost);
int SetMicBoost(AudioSystem& audio, const std::u16string& endpoint, bool boost);

}  // namespace tonedeck
