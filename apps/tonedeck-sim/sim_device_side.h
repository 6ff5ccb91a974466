#pragma once
// The panel's device-facing ports on a simulated sound device, for running the whole window
// under Wine. The device's state goes to a file after every change; plug and unplug come as the
// broadcast message "TonedeckSim.Plug" (wParam 1 plugs, 0 unplugs). Where each control lies goes
// to a second file, so a test can aim its mouse at controls whatever the skin and language.

#include <string>

#include "apps/tonedeck/device_side.h"
#include "platform/sim/sim_audio_system.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_device_state.h"
#include "platform/sim/sim_device_world.h"
#include "platform/sim/sim_wave_input.h"

namespace tonedeck {

inline constexpr wchar_t kSimPlugMessageName[] = L"TonedeckSim.Plug";

class SimDeviceSide : public DeviceSide {
  public:
    // `stateFile` receives the device's state, `windowFile` the place of every control.
    SimDeviceSide(std::wstring stateFile, std::wstring windowFile);
    ~SimDeviceSide() override;

    HidBus& hidBus() override { return world_.hidBus(); }
    IoControl& io() override { return world_.ioControl(); }
    DeviceTree& deviceTree() override { return world_.deviceTree(); }
    AudioSystem& audio() override { return audio_; }
    WaveInput& AttachWindow(HWND window) override;
    void RegisterNotifications() override {}
    bool TakeMessage(UINT message, WPARAM wParam, LPARAM lParam, DeviceEventSink& sink) override;
    void MessageHandled(const ControlModel* window) override;

  private:
    void DeliverNotices(DeviceEventSink& sink);
    // The simulated capture runs on its own clock, kept up with real time.
    void AdvanceCapture(DeviceEventSink& sink);
    void WriteStateIfChanged();
    void WriteWindowIfChanged(const ControlModel& window);

    std::wstring stateFile_;
    std::wstring windowFile_;
    UINT plugMessage_ = 0;
    SimDeviceWorld world_;
    int sound_ = -1;
    SimAudioSystem audio_;
    SimClock captureClock_;
    SimWaveInput wave_{captureClock_};
    unsigned long long lastTick_ = 0;
    SimDeviceStateReport report_;
    std::string written_;
    std::string windowWritten_;
};

}  // namespace tonedeck
