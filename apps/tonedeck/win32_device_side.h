#pragma once
// The device-facing ports of the shipped panel: SetupAPI and HID, the filter driver's device,
// Windows audio, wave-in and device-interface notifications.

#include <memory>

#include "apps/tonedeck/device_side.h"
#include "platform/win32/win32_audio_system.h"
#include "platform/win32/win32_device_tree.h"
#include "platform/win32/win32_hid_bus.h"
#include "platform/win32/win32_io_control.h"
#include "platform/win32/win32_wave_input.h"

namespace tonedeck {

class Win32DeviceSide : public DeviceSide {
  public:
    Win32DeviceSide() = default;
    ~Win32DeviceSide() override;
    Win32DeviceSide(const Win32DeviceSide&) = delete;
    Win32DeviceSide& operator=(const Win32DeviceSide&) = delete;

    HidBus& hidBus() override { return hidBus_; }
    IoControl& io() override { return io_; }
    DeviceTree& deviceTree() override { return deviceTree_; }
    AudioSystem& audio() override { return audio_; }
    WaveInput& AttachWindow(HWND window) override;
    void RegisterNotifications() override;
    bool TakeMessage(UINT message, WPARAM wParam, LPARAM lParam, DeviceEventSink& sink) override;

  private:
    HWND window_ = nullptr;
    Win32HidBus hidBus_;
    Win32IoControl io_;
    Win32DeviceTree deviceTree_;
    Win32AudioSystem audio_;
    std::unique_ptr<Win32WaveInput> wave_;
    HDEVNOTIFY notification_ = nullptr;
};

}  // namespace tonedeck
