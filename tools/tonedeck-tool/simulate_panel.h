#pragma once
// The control panel's device logic on a simulated world, without a window: device presence, the
// settings model and the presses whose model side exists. Everything that reaches the device or
// changes the panel's state is written to `out` as it happens.

#include <ostream>
#include <string>

#include "panel/device/device_presence.h"
#include "panel/settings/settings_controller.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_device_world.h"
#include "platform/sim/sim_file_system.h"
#include "tools/tonedeck-tool/simulate_traffic.h"

namespace tonedeck::tool {

// The speaker field the simulation uses in place of a skin.
inline constexpr SpeakerField kSimulatedField{200, 150, 100};

class SimulatedPanel : private SettingsView,
                       private MicrophoneControl,
                       private ProfileHook,
                       private PresenceListener {
  public:
    SimulatedPanel(std::ostream& out, bool devicePresent);
    ~SimulatedPanel() override;

    void Start();
    void Plug();
    void Unplug();
    void Tick(uint32_t milliseconds);
    // A press or release the simulation cannot play yet throws std::runtime_error.
    void Press(int tag);
    void Release(int tag);
    void Exit();

    // Virtual time since the simulation began.
    uint32_t now() { return clock_.TickCount(); }

  private:
    class PollTimer : public PresenceTimer {
      public:
        PollTimer(SimulatedPanel& panel) : panel_(panel) {}
        void Start() override;
        void Stop() override;
        bool running() const;

      private:
        SimulatedPanel& panel_;
        int id_ = 0;
    };

    void Deliver();

    // PresenceListener: shown, then passed on to the settings controller.
    void ShowDeviceLabel(bool active) override;
    void SetDevicePresent(bool present) override;
    void ApplyLedOnArrival() override { controller_.ApplyLedOnArrival(); }
    void ReapplyAfterArrival() override;
    void ForgetEndpointAndCapture() override;

    // SettingsView.
    SettingsPage ShowingPage() const override { return SettingsPage::kEq; }
    SpeakerField SpeakerFieldLayout() const override { return kSimulatedField; }
    void CenterEqSliders() override {}
    void ShowPreset(int) override {}
    void Show3DValues() override {}
    void ShowEffect() override {}
    void ShowSpeakers() override {}
    void ShowLed() override;
    void ShowNoDeviceWarning() override;
    // MicrophoneControl: the simulated world has no audio endpoint.
    bool FindCaptureEndpoint() override;
    void StartLevelCapture() override {}
    void StopLevelCapture() override {}
    void ReadBackMic(SoundSettings&) override {}
    void ClearLevelBar() override {}
    // ProfileHook.
    void LoadLastProfile() override {}
    void SaveLastProfile() override;

    std::ostream& out_;
    SimFileSystem files_;
    SimDeviceWorld world_;
    SimClock clock_;
    int sound_ = -1;
    PrintingHidBus hidBus_;
    PrintingIoControl ioControl_;
    HidChannel hid_;
    DriverChannel driver_;
    PollTimer timer_;
    SoundSettings settings_;
    SettingsController controller_;
    DevicePresence presence_;
    // The push button whose press was taken; its click follows the release.
    int pressedButton_ = -1;
};

}  // namespace tonedeck::tool
