#include "apps/tonedeck-sim/sim_device_side.h"

#include <utility>

#include "apps/tonedeck-sim/window_layout_report.h"
#include "platform/win32/win32_errors.h"

namespace tonedeck {

namespace {

void WriteWholeFile(const std::wstring& path, const std::string& text) {
    // Written aside and moved over, so a reader never sees half a state.
    const std::wstring partial = path + L".partial";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) ThrowLastError("CreateFileW");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != text.size()) ThrowLastError("WriteFile");
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
    WriteWholeFile(stateFile_, text);
    written_ = std::move(text);
}

void SimDeviceSide::WriteWindowIfChanged(const ControlModel& window) {
    std::string text = DescribeWindowLayout(window);
    if (text == windowWritten_) return;
    WriteWholeFile(windowFile_, text);
    windowWritten_ = std::move(text);
}

}  // namespace tonedeck
