#pragma once
// The whole-state sequences of the settings model (start-up reset, re-application on arrival,
// restoration at exit) and the page actions they share. Device presence reports to it through
// `PresenceListener`.

#include <cstdint>

#include "common/system_helpers.h"
#include "panel/device/device_presence.h"
#include "panel/device/driver_channel.h"
#include "panel/settings/d3_page.h"
#include "panel/settings/settings_device.h"
#include "panel/settings/settings_ports.h"
#include "panel/settings/sound_settings.h"
#include "platform/ports/clock.h"
#include "platform/ports/profile_store.h"

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

    // `LoadPreset`(n) as the preset switch and the profiles run it: the block goes to the
    // device while `SyncToDevice` is 1 and no profile is being written; the idle report follows
    // whenever the device opens.
    void LoadPresetToDevice(int preset);
    // Tag 28: the new `SyncToDevice`, then the page's re-application.
    void SetSyncToDevice(bool on, SettingsPage page);
    // A page tab switched to `page`: the EQ and 3D pages put their switches on the device.
    void PageShown(SettingsPage page);

    // EQ page: a knob at `offset` from the top of its travel (after a drag step or a bar press)
    // becomes band `band`'s code, stored in the current preset and shown.
    void MoveEqBand(int band, int offset, int sliderRange);
    // 3D page: one drag step of `knob` to `top` (clamped to the travel); the linked partner
    // follows; each side's values go to the device with their own idle report. `tops` holds
    // the four knobs' places and receives the new ones.
    void Move3DKnob(D3Knob knob, int top, D3KnobTops& tops, int sliderRange);
    // Effect page: `CurrentEffect` and its driver request; numbers outside 1 to 5 are ignored.
    void SelectEffect(int effect);
    // Virtual 7.1 page.
    void ToggleVirtualEnable();
    // One drag step of speaker `index` to `proposed`; false when the step is refused (outside
    // the circle).
    bool DragSpeaker(int index, SpeakerPoint proposed, int width, int height,
                     const PictureRect& picture);
    // The 20 ms timer: one degree of rotation while the device is present and a rotation is on.
    void RotationTick();
    // After a skin switch: every speaker at its stored angle and distance times `factor` around
    // the new centre; nothing is sent and the stored distances stay.
    void RescaleSpeakers(double factor);

    // Profiles (the file names are 8-bit text). Writing sends only idle reports; reading sends
    // the whole loaded state. A number error (InvalidIntegerError) ends the read at its key,
    // with everything before it applied.
    void WriteProfile(ProfileStore& store, const std::string& file);
    void ReadProfile(ProfileStore& store, const std::string& file);

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
    // Open, `Write3DBlock` while `SyncToDevice` is 1, idle report, close.
    void Write3DBlockWithIdle();
    // The loaded state's parts, in the order a profile read sends them.
    void ReadPresetLines(ProfileStore& store, const std::string& file);
    void Read3DValues(ProfileStore& store, const std::string& file);
    void ReadEffect(ProfileStore& store, const std::string& file);
    void ReadSpeakers(ProfileStore& store, const std::string& file);
    void ReadLed(ProfileStore& store, const std::string& file);

    SoundSettings& settings_;
    Ports ports_;
    OsClass osClass_;
    SettingsDevice device_;
};

}  // namespace tonedeck
