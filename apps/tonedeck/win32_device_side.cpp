#include "apps/tonedeck/win32_device_side.h"

// clang-format off
#include <windows.h>
#include <dbt.h>
// clang-format on

#include "platform/win32/win32_device_change.h"

namespace tonedeck {

Win32DeviceSide::~Win32DeviceSide() {
    if (notification_) UnregisterDeviceNotification(notification_);
}

WaveInput& Win32DeviceSide::AttachWindow(HWND window) {
    window_ = window;
    wave_ = std::make_unique<Win32WaveInput>(window);
    return *wave_;
}

void Win32DeviceSide::RegisterNotifications() {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    // Refused registration costs only the plug events; the presence poll still finds the device.
    notification_ = RegisterDeviceNotificationW(
        window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
}

bool Win32DeviceSide::TakeMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                  DeviceEventSink& sink) {
    switch (message) {
        case WM_DEVICECHANGE:
            sink.DeliverDeviceChange(DeviceChangeFromMessage(wParam, lParam));
            return true;
        case MM_WIM_DATA: {
            // A buffer of a capture that has ended since is dropped by the adapter.
            const auto completion = wave_ ? wave_->TakeCompletion(wParam, lParam) : std::nullopt;
            if (completion) sink.DeliverWaveData(*completion);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace tonedeck
