#include "apps/tonedeck-sim/sim_device_side.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "apps/tonedeck-sim/window_layout_report.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_file_system.h"

namespace tonedeck {

namespace {

void WriteAsideAndMoveOver(const std::wstring& path, const std::string& text) {
    // Written aside and moved over, so a reader never sees half a state.
    const std::wstring partial = path + L".partial";
    Win32FileSystem files;
    if (!files.WriteWholeFile(FromWide(partial), std::vector<uint8_t>(text.begin(), text.end()))) {
        ThrowLastError("WriteWholeFile");
    }
    if (!MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        ThrowLastError("MoveFileExW");
    }
}

}  // namespace

SimDeviceSide::SimDeviceSide(std::wstring stateFile, std::wstring windowFile)
    : stateFile_(std::move(stateFile)),
      windowFile_(std::move(windowFile)),
      plugMessage_(RegisterWindowMessageW(kSimPlugMessageName)),
      sound_(world_.AddSoundDevice()),
      lastTick_(GetTickCount64()) {
    AddUsbMicrophone(audio_, SimUsbMicrophone{});
    WriteStateIfChanged();
}

SimDeviceSide::~SimDeviceSide() {
    // The exit restoration ran after the last message; watchers wait for its registers.
    try {
        WriteStateIfChanged();
    } catch (...) {
    }
}

WaveInput& SimDeviceSide::AttachWindow(HWND) { return wave_; }

bool SimDeviceSide::TakeMessage(UINT message, WPARAM wParam, LPARAM, DeviceEventSink& sink) {
    if (plugMessage_ && message == plugMessage_) {
        if (wParam) {
            world_.Plug(sound_);
        } else {
            world_.Unplug(sound_);
        }
        DeliverNotices(sink);
        return true;
    }
    switch (message) {
        case WM_DEVICECHANGE:
            // Only the simulated device exists for this build.
            return true;
        case WM_TIMER:
            AdvanceCapture(sink);
            return false;
        default:
            return false;
    }
}

void SimDeviceSide::MessageHandled(const ControlModel* window) {
    WriteStateIfChanged();
    if (window) WriteWindowIfChanged(*window);
}

void SimDeviceSide::DeliverNotices(DeviceEventSink& sink) {
    for (const DeviceChange& change : world_.TakeNotices()) sink.DeliverDeviceChange(change);
}

void SimDeviceSide::AdvanceCapture(DeviceEventSink& sink) {
    const unsigned long long now = GetTickCount64();
    captureClock_.Advance(static_cast<uint32_t>(now - lastTick_));
    lastTick_ = now;
    while (auto completion = wave_.NextCompletion()) sink.DeliverWaveData(*completion);
}

void SimDeviceSide::WriteStateIfChanged() {
    std::string text = report_.Describe(world_, sound_);
    if (text == written_) return;
    WriteAsideAndMoveOver(stateFile_, text);
    written_ = std::move(text);
}

void SimDeviceSide::WriteWindowIfChanged(const ControlModel& window) {
    std::string text = DescribeWindowLayout(window);
    if (text == windowWritten_) return;
    WriteAsideAndMoveOver(windowFile_, text);
    windowWritten_ = std::move(text);
}

}  // namespace tonedeck
