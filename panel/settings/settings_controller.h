#pragma once
// The whole-state sequences of the settings model (start-up reset, re-application on arrival,
// restoration at exit) and the page actions they share. Device presence reports to it through
// `PresenceListener`.

#include <cstdint>

#include "common/system_helpers.h"
#include "panel/device/device_presence.h"
#include "panel/device/driver_channel.h"
#include "panel/settings/settings_device.h"
#include "panel/settings/settings_ports.h"
#include "panel/settings/sound_settings.h"
#include "platform/ports/clock.h"

namespace tonedeck {

inline constexpr uint32_t kArrivalSettleMs = 100;

class SettingsController : public PresenceListener {
  public:
    struct Ports {
        HidChannel& hid;
        DriverChannel& driver;
        // May be constructed after the controller: it is used only once events run.
        DevicePresence& presence;
        Clock& clock;
        SettingsView& view;
        MicrophoneControl& mic;
        ProfileHook& profile;
    };
    SettingsController(SoundSettings& settings, Ports ports, OsClass osClass);

    // `ResetSettings` steps 1 to 7. The window fills `speakerPlaces` from its images first.
    void ResetSettings();
    // Step 8, after the window has registered for device notifications.
    void LoadLastProfile() { ports_.profile.LoadLastProfile(); }
    // `RestoreDeviceOnExit`: save, put the device and the driver into their neutral state,
    // close the presence handle.
    void RestoreDeviceOnExit();

    // PresenceListener.
    void ShowDeviceLabel(bool active) override { ports_.view.ShowDeviceLabel(active); }
    void SetDevicePresent(bool present) override;
    void ApplyLedOnArrival() override { device_.ApplyLed(settings_.ledOn); }
    // `ReapplyOnArrival` from its 100 ms wait on.
    void ReapplyAfterArrival() override;
    void ForgetEndpointAndCapture() override { ports_.mic.ForgetEndpointAndCapture(); }

    // Page actions, model and device side (pictures and label colours are the window's).
    void ToggleEqEnable();
    void Toggle3DEnable();
    // Preset switch to `preset` (1 to 4).
    void SelectPreset(int preset);
    // RESET of the EQ page: the current preset back to the default block.
    void ResetEqualizer();
    // RESET of the 3D page: alpha 10, beta 3, `Fbm` 1; `D3Enable` and the link modes stay.
    void Reset3D();
    void ToggleFbm();
    void ToggleLed();
    // The speakers to the reset layout, the map into the stored records, sent.
    void ResetSpeakers();

    SettingsDevice& device() { return device_; }
    const SoundSettings& settings() const { return settings_; }

  private:
    // Start the capture, read back, stop it: when the endpoint is found or Windows is older
    // than version 6.
    void ReadBackMicrophone();
    bool MicrophoneReachable();
    // The map from the current places into the stored records.
    SpeakerMapValues RecomputeSpeakerMap();
    void SendStartRequests(const SpeakerMapValues& map);

    SoundSettings& settings_;
    Ports ports_;
    OsClass osClass_;
    SettingsDevice device_;
};

}  // namespace tonedeck
