#pragma once
// What the settings logic asks of the window, the microphone and the profiles. The window and
// page work implements these; the settings logic decides when each is called.

#include "panel/settings/speaker_field.h"

namespace tonedeck {

struct SoundSettings;

// Notebook pages, by index.
enum class SettingsPage : int { kEq = 0, k3D = 1, kEffect = 2, kMic = 3, kVirtual71 = 4 };

class SettingsView {
  public:
    virtual ~SettingsView() = default;
    virtual SettingsPage ShowingPage() const = 0;
    // `SpeakerCenterX`, `SpeakerCenterY` and `SpeakerRadius` of the current skin.
    virtual SpeakerField SpeakerFieldLayout() const = 0;

    // Every equalizer slider of every preset at the middle of its track (offset
    // `SliderRange` / 2).
    virtual void CenterEqSliders() = 0;
    // Sliders and value labels of `preset` from the live `EqBlock`, the EQ-EN button from
    // `EqEnable`.
    virtual void ShowPreset(int preset) = 0;
    // The 3D sliders, value labels and the FBM button.
    virtual void Show3DValues() = 0;
    // The effect buttons and picture for `CurrentEffect`.
    virtual void ShowEffect() = 0;
    // The speaker images at `speakerPlaces` and the 7.1 enable button.
    virtual void ShowSpeakers() = 0;
    // The LED button's picture for `LedOn`.
    virtual void ShowLed() = 0;
    // `LabelActive` or `LabelUnactive` on `DeviceActiveLabel`, normal state.
    virtual void ShowDeviceLabel(bool active) = 0;
    // The message box with `LabelWarning` of section `Main`, the application title and the
    // exclamation icon.
    virtual void ShowNoDeviceWarning() = 0;
};

class MicrophoneControl {
  public:
    virtual ~MicrophoneControl() = default;
    // Looks for the device's capture endpoint; true when found.
    virtual bool FindCaptureEndpoint() = 0;
    virtual void StartLevelCapture() = 0;
    virtual void StopLevelCapture() = 0;
    // `ReadBackMic`: gain, boost and mute from Windows into `settings` and their controls.
    virtual void ReadBackMic(SoundSettings& settings) = 0;
    // Level bar width 0.
    virtual void ClearLevelBar() = 0;
    // The device left: drop the endpoint reference and the capture handle (not stopped).
    virtual void ForgetEndpointAndCapture() = 0;
};

class ProfileHook {
  public:
    virtual ~ProfileHook() = default;
    // "LastProfile.ini", if it exists, read into the settings (with its device writes).
    virtual void LoadLastProfile() = 0;
    // The current settings into "LastProfile.ini", before the device is reset at exit.
    virtual void SaveLastProfile() = 0;
};

}  // namespace tonedeck
