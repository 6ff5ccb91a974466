#pragma once
// Windows audio as the microphone controls reach it: the DirectSound capture-device listing,
// the Core Audio capture endpoints (volume, mute, automatic gain control) and the WinMM mixer.
// Every endpoint call stands alone: it opens what it needs by endpoint ID and lets it go again.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports/device_handle.h"

namespace tonedeck {

using MixerHandle = OpaqueHandle<struct MixerHandleTag>;

// One DirectSound capture device.
struct CaptureDeviceEntry {
    bool hasGuid = false;  // the primary capture driver comes without one
    std::u16string description;
    // The device-interface path of the driver behind it ("\\?\USB#VID_...#..."); empty when
    // Windows does not tell.
    std::u16string interfacePath;
};

// One active capture endpoint; the friendly name is nullopt when its property read fails.
struct CaptureEndpointEntry {
    std::u16string id;
    std::optional<std::u16string> friendlyName;
};

struct VolumeStepInfo {
    uint32_t step = 0;
    uint32_t stepCount = 0;
};

inline constexpr uint32_t kMixerComponentDestinationWaveIn = 0x00000007;
inline constexpr uint32_t kMixerComponentSourceUndefined = 0x00001000;
inline constexpr uint32_t kMixerComponentSourceMicrophone = 0x00001003;

inline constexpr uint32_t kMixerControlVolume = 0x50030001;
inline constexpr uint32_t kMixerControlMute = 0x20010002;
inline constexpr uint32_t kMixerControlMux = 0x70010001;

struct MixerLineInfo {
    uint32_t lineId = 0;
    uint32_t destination = 0;
    uint32_t componentType = 0;
    uint32_t sourceCount = 0;
    std::u16string targetName;  // the product name of the line's target device
};

struct MixerControlInfo {
    uint32_t controlId = 0;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
};

class AudioSystem {
  public:
    virtual ~AudioSystem() = default;

    // The DirectSound capture devices in enumeration order; nullopt when the enumeration fails.
    virtual std::optional<std::vector<CaptureDeviceEntry>> CaptureDevices() = 0;
    // The capture endpoints in the active state, in the enumerator's order; nullopt when the
    // enumerator or the listing fails.
    virtual std::optional<std::vector<CaptureEndpointEntry>> ActiveCaptureEndpoints() = 0;

    // IAudioEndpointVolume on the endpoint of that ID.
    virtual std::optional<VolumeStepInfo> GetVolumeStep(const std::u16string& endpoint) = 0;
    virtual bool SetVolumeLevelScalar(const std::u16string& endpoint, float level) = 0;
    virtual std::optional<bool> GetMute(const std::u16string& endpoint) = 0;
    virtual bool SetMute(const std::u16string& endpoint, bool mute) = 0;
    // The first part of the device the endpoint's connector 0 leads to that has an automatic
    // gain control; nullopt / false when there is none or a call fails.
    virtual std::optional<bool> GetAutoGainControl(const std::u16string& endpoint) = 0;
    virtual bool SetAutoGainControl(const std::u16string& endpoint, bool enabled) = 0;

    // WinMM mixer devices, by index.
    virtual uint32_t MixerDeviceCount() = 0;
    virtual MixerHandle OpenMixer(uint32_t index) = 0;
    virtual void CloseMixer(MixerHandle mixer) = 0;
    // The mixer's destination line of that component type.
    virtual std::optional<MixerLineInfo> DestinationLineOfType(MixerHandle mixer,
                                                               uint32_t componentType) = 0;
    // Source `source` of destination `destination`.
    virtual std::optional<MixerLineInfo> SourceLine(MixerHandle mixer, uint32_t destination,
                                                    uint32_t source) = 0;
    // The line's control of that type; nullopt when the line has none.
    virtual std::optional<MixerControlInfo> ControlOfType(MixerHandle mixer, uint32_t lineId,
                                                          uint32_t controlType) = 0;
    // One channel, one 4-byte detail (unsigned for volumes, boolean for switches).
    virtual std::optional<uint32_t> GetControlValue(MixerHandle mixer, uint32_t controlId) = 0;
    virtual bool SetControlValue(MixerHandle mixer, uint32_t controlId, uint32_t value) = 0;
};

}  // namespace tonedeck
