#pragma once
// The Mic page's Windows side: gain, boost and mute read back from and written to the capture
// endpoint (Windows version 6 and later) or the WinMM mixer (older), and the level meter fed by
// the wave-in capture.

#include <functional>
#include <optional>
#include <string>

#include "common/system_helpers.h"
#include "panel/device/device_presence.h"
#include "panel/device/level_capture.h"
#include "panel/device/mixer_control.h"
#include "panel/settings/mic_view.h"
#include "panel/settings/settings_ports.h"
#include "panel/settings/sound_settings.h"
#include "platform/ports/audio_system.h"
#include "platform/ports/system_info.h"
#include "platform/ports/wave_input.h"

namespace tonedeck {

class Microphone : public MicrophoneControl {
  public:
    struct Ports {
        AudioSystem& audio;
        WaveInput& wave;
        SystemInfo& system;  // the gain trace line
        MicView& view;
    };
    // `deviceIds` gives the present device's vendor and product IDs when an operation runs.
    Microphone(Ports ports, OsClass osClass, std::function<VidPid()> deviceIds);

    // MicrophoneControl.
    bool FindCaptureEndpoint() override;
    void StartLevelCapture() override { capture_.Start(); }
    void StopLevelCapture() override { capture_.Stop(); }
    void ReadBackMic(SoundSettings& settings) override;
    void ClearLevelBar() override { ports_.view.SetLevelBarWidth(0); }
    // The capture is closed too: left open it would hold the wave-in device for the rest of
    // the run.
    void ForgetEndpointAndCapture() override;

    // The gain slider moved to `top` (held to its track): the percent to Windows, then the
    // gain read back, which places the slider where Windows puts it.
    void ApplyGainPlace(SoundSettings& settings, int top);
    // `SetMicBoost` and `SetMicMute` with the new model value.
    void SetBoost(bool on);
    void SetMute(bool on);

    // The wave-in data message: the level bar sized, the buffer queued again.
    void OnBufferFilled(const WaveCompletion& completion);

    bool LevelCaptureRunning() const { return capture_.Running(); }
    bool EndpointHeld() const { return endpoint_.has_value(); }

  private:
    bool CoreAudio() const { return osClass_ >= 6; }
    // The held endpoint, else a fresh lookup.
    std::optional<std::u16string> Endpoint();
    // Read-back step 1; false when it fails.
    bool ReadBackGain(SoundSettings& settings);
    bool MixerValue(MixerOperation operation, uint32_t& value, uint32_t& minimum,
                    uint32_t& maximum);
    void ShowGain(SoundSettings& settings, int percent);

    Ports ports_;
    OsClass osClass_;
    std::function<VidPid()> deviceIds_;
    std::optional<std::u16string> endpoint_;
    LevelCapture capture_;
};

}  // namespace tonedeck
