#pragma once
// Where the panel's device-facing ports come from: Windows itself, or a simulated device for a
// test and demo build. The main window hands its messages here first.

// clang-format off
#include <windows.h>
// clang-format on

#include "panel/window/control_model.h"
#include "platform/ports/audio_system.h"
#include "platform/ports/device_change.h"
#include "platform/ports/device_tree.h"
#include "platform/ports/hid_bus.h"
#include "platform/ports/io_control.h"
#include "platform/ports/wave_input.h"

namespace tonedeck {

class DeviceEventSink {
  public:
    virtual ~DeviceEventSink() = default;
    virtual void DeliverDeviceChange(const DeviceChange& change) = 0;
    virtual void DeliverWaveData(const WaveCompletion& completion) = 0;
};

class DeviceSide {
  public:
    virtual ~DeviceSide() = default;

    virtual HidBus& hidBus() = 0;
    virtual IoControl& io() = 0;
    virtual DeviceTree& deviceTree() = 0;
    virtual AudioSystem& audio() = 0;
    // Capture completions come back to the main window, so wave-in is made with it.
    virtual WaveInput& AttachWindow(HWND window) = 0;
    virtual void RegisterNotifications() = 0;
    // A message of the main window; true when it was the device side's to answer.
    virtual bool TakeMessage(UINT message, WPARAM wParam, LPARAM lParam,
                             DeviceEventSink& sink) = 0;
    // Every message of the main window has been handled by then; `window` is the window as it
    // now stands, or null before the panel exists.
    virtual void MessageHandled(const ControlModel* /*window*/) {}
};

}  // namespace tonedeck
