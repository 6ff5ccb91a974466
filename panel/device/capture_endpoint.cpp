#include "panel/device/capture_endpoint.h"

#include <algorithm>
#include <cstdio>

#include "common/text.h"

namespace tonedeck {

std::u16string CaptureIdentityPrefix(uint16_t vendorId, uint16_t productId) {
    char text[40];
    std::snprintf(text, sizeof text, "\\\\?\\USB#VID_%04X&PID_%04X", vendorId, productId);
    return Utf8ToU16(text);
}

std::u16string FindCaptureName(AudioSystem& audio, uint16_t vendorId, uint16_t productId) {
    const std::u16string prefix = CaptureIdentityPrefix(vendorId, productId);
    std::u16string name;
    const auto devices = audio.CaptureDevices();
    if (!devices) return name;
    for (const CaptureDeviceEntry& device : *devices) {
        if (!device.hasGuid || device.interfacePath.size() < prefix.size()) continue;
        if (!EqualsIgnoreCase(std::u16string_view(device.interfacePath).substr(0, prefix.size()),
                              prefix)) {
            continue;
        }
        name = device.description.substr(0, kCaptureNameChars - 1);
    }
    return name;
}

std::optional<std::u16string> OpenCaptureEndpoint(AudioSystem& audio, uint16_t vendorId,
                                                  uint16_t productId) {
    const std::u16string captureName = FindCaptureName(audio, vendorId, productId);
    if (captureName.empty()) return std::nullopt;
    const auto endpoints = audio.ActiveCaptureEndpoints();
    if (!endpoints) return std::nullopt;
    for (const CaptureEndpointEntry& endpoint : *endpoints) {
        if (!endpoint.friendlyName) return std::nullopt;
        if (endpoint.friendlyName->find(captureName) != std::u16string::npos) return endpoint.id;
    }
    return std::nullopt;
}

int GetMicGain(AudioSystem& audio, const std::u16string& endpoint, int& percent) {
    const auto steps = audio.GetVolumeStep(endpoint);
    if (!steps) return kEndpointCallFailed;
    if (steps->stepCount < 2) return kEndpointNoSteps;
    const uint32_t last = steps->stepCount - 1;
    percent = static_cast<int>(std::min(steps->step, last) * 100 / last);
    return kEndpointOk;
}

int SetMicGain(AudioSystem& audio, const std::u16string& endpoint, int percent) {
    const float scalar = static_cast<float>(std::clamp(percent, 0, 100)) * 0.01f;
    return audio.SetVolumeLevelScalar(endpoint, scalar) ? kEndpointOk : kEndpointCallFailed;
}

int GetMicMute(AudioSystem& audio, const std::u16string& endpoint, bool& mute) {
    const auto value = audio.GetMute(endpoint);
    if (!value) return kEndpointCallFailed;
    mute = *value;
    return kEndpointOk;
}

int SetMicMute(AudioSystem& audio, const std::u16string& endpoint, bool mute) {
    return audio.SetMute(endpoint, mute) ? kEndpointOk : kEndpointCallFailed;
}

int GetMicBoost(AudioSystem& audio, const std::u16string& endpoint, bool& boost) {
    const auto value = audio.GetAutoGainControl(endpoint);
    if (!value) return kEndpointCallFailed;
    boost = *value;
    return kEndpointOk;
}

int SetMicBoost(AudioSystem& audio, const std::u16string& endpoint, bool boost) {
    return audio.SetAutoGainControl(endpoint, boost) ? kEndpointOk : kEndpointCallFailed;
}

}  // namespace tonedeck
