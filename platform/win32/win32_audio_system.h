#pragma once
// Windows audio through DirectSound's device description, Core Audio and the WinMM mixer.

#include "platform/ports/audio_system.h"

namespace tonedeck {

class Win32AudioSystem : public AudioSystem {
  public:
    std::optional<std::vector<CaptureDeviceEntry>> CaptureDevices() override;
    std::optional<std::vector<CaptureEndpointEntry>> ActiveCaptureEndpoints() override;
    std::optional<VolumeStepInfo> GetVolumeStep(const std::u16string& endpoint) override;
    bool SetVolumeLevelScalar(const std::u16string& endpoint, float level) override;
    std::optional<bool> GetMute(const std::u16string& endpoint) override;
    bool SetMute(const std::u16string& endpoint, bool mute) override;
    std::optional<bool> GetAutoGainControl(const std::u16string& endpoint) override;
    bool SetAutoGainControl(const std::u16string& endpoint, bool enabled) override;

    uint32_t MixerDeviceCount() override;
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
};

}  // namespace tonedeck
