#pragma once
// Simulated Windows audio: DirectSound capture devices, capture endpoints with volume steps,
// mute and automatic gain control, and WinMM mixers with their lines and controls.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports/audio_system.h"

namespace tonedeck {

class SimRegistry;

struct SimCaptureEndpoint {
    std::u16string id;
    std::u16string friendlyName;
    bool active = true;
    bool nameReadFails = false;
    bool volumeFails = false;  // IAudioEndpointVolume cannot be activated
    uint32_t stepCount = 101;
    uint32_t step = 50;
    bool mute = false;
    bool hasAutoGainControl = true;
    bool autoGainControl = false;
    // Every scalar set, in order.
    std::vector<float> scalarsSet;
};

struct SimMixerControl {
    uint32_t type = 0;
    uint32_t minimum = 0;
    uint32_t maximum = 1;
    uint32_t value = 0;
};

struct SimMixerLine {
    uint32_t componentType = 0;
    std::u16string targetName;
    std::vector<SimMixerControl> controls;
};

struct SimMixerDestination {
    SimMixerLine line;
    std::vector<SimMixerLine> sources;
};

struct SimMixer {
    bool opens = true;
    std::vector<SimMixerDestination> destinations;
};

class SimAudioSystem : public AudioSystem {
  public:
    std::optional<std::vector<CaptureDeviceEntry>> CaptureDevices() override;
    std::optional<std::vector<CaptureEndpointEntry>> ActiveCaptureEndpoints() override;
    std::optional<VolumeStepInfo> GetVolumeStep(const std::u16string& endpoint) override;
    bool SetVolumeLevelScalar(const std::u16string& endpoint, float level) override;
    std::optional<bool> GetMute(const std::u16string& endpoint) override;
    bool SetMute(const std::u16string& endpoint, bool mute) override;
    std::optional<bool> GetAutoGainControl(const std::u16string& endpoint) override;
    bool SetAutoGainControl(const std::u16string& endpoint, bool enabled) override;

    uint32_t MixerDeviceCount() override { return static_cast<uint32_t>(mixers.size()); }
    MixerHandle OpenMixer(uint32_t index) override;
    void CloseMixer(MixerHandle mixer) override;
    std::optional<MixerLineInfo> DestinationLineOfType(MixerHandle mixer,
                                                       uint32_t componentType) override;
    std::optional<MixerLineInfo> SourceLine(MixerHandle mixer, uint32_t destination,
                                            uint32_t source) override;
    std::optional<MixerControlInfo> ControlOfType(MixerHandle mixer, uint32_t lineId,
                                                  uint32_t controlType) override;
    std::optional<uint32_t> GetControlValue(MixerHandle mixer, uint32_t controlId) override;
    bool SetControlValue(MixerHandle mixer, uint32_t controlId, uint32_t value) override;

    // The world. Endpoints that are not active are left out of the listing.
    std::vector<CaptureDeviceEntry> captureDevices;
    bool captureEnumerationFails = false;
    std::vector<SimCaptureEndpoint> endpoints;
    bool enumeratorFails = false;
    std::vector<SimMixer> mixers;

    SimCaptureEndpoint* Endpoint(const std::u16string& id);
    std::size_t OpenMixerCount() const { return openMixers_.size(); }
    // Calls that reached an endpoint (volume, mute or gain control), in order.
    int endpointCalls = 0;

  private:
    SimMixer* MixerOf(MixerHandle mixer);
    SimMixerLine* LineOf(SimMixer& mixer, uint32_t lineId);
    SimMixerControl* ControlOf(SimMixer& mixer, uint32_t controlId);

    std::map<uint64_t, uint32_t> openMixers_;  // handle → mixer index
    uint64_t nextMixerHandle_ = 0x3A00;
};

// A sound device the simulated Windows knows: its DirectSound capture device, its capture
// endpoint "Microphone (<name>)" and the endpoint's key under MMDevices in the registry.
struct SimUsbMicrophone {
    uint16_t vendorId = 0x0C76;
    uint16_t productId = 0x161B;
    std::u16string name = u"USB PnP Sound Device";
    std::u16string endpointId = u"{0.0.1.00000000}.{7d1e7a5c-6b5e-4c1b-9f0e-1a2b3c4d5e6f}";
};
void AddUsbMicrophone(SimAudioSystem& audio, const SimUsbMicrophone& microphone);

inline constexpr char16_t kCaptureEndpointsKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Capture";
// The endpoint's registry key with its device text ("{1}.USB\VID_0C76&PID_161B&MI_00\...").
void PutCaptureEndpointKey(SimRegistry& registry, const std::u16string& endpointGuid,
                           const std::u16string& deviceText);

}  // namespace tonedeck
