// The audio adapters against Wine's Core Audio, DirectSound, WinMM mixer and waveIn. The test
// session's null ALSA device gives one capture endpoint ("In: default") that records silence;
// no USB microphone can appear, so the device's own lookups end in the "not found" paths.

#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include "panel/device/capture_endpoint.h"
#include "panel/device/level_capture.h"
#include "panel/device/mixer_control.h"
#include "platform/win32/win32_audio_system.h"
#include "platform/win32/win32_wave_input.h"

namespace tonedeck {
namespace {

std::optional<CaptureEndpointEntry> DefaultEndpoint(Win32AudioSystem& audio) {
    const auto endpoints = audio.ActiveCaptureEndpoints();
    if (!endpoints) return std::nullopt;
    for (const CaptureEndpointEntry& endpoint : *endpoints) {
        if (endpoint.friendlyName &&
            endpoint.friendlyName->find(u"default") != std::u16string::npos) {
            return endpoint;
        }
    }
    return std::nullopt;
}

TEST(AudioAdapters, ListsTheNullDevicesCaptureEndpointAndFindsNoUsbMicrophone) {
    Win32AudioSystem audio;
    const auto endpoint = DefaultEndpoint(audio);
    ASSERT_TRUE(endpoint.has_value());
    EXPECT_EQ(endpoint->id.rfind(u"{0.0.1.", 0), 0u) << "a capture endpoint ID";

    // DirectSound lists the primary driver without a GUID and the device with one; the
    // description property set names the driver's interface.
    const auto devices = audio.CaptureDevices();
    ASSERT_TRUE(devices.has_value());
    bool sawPrimary = false;
    bool sawDevice = false;
    for (const CaptureDeviceEntry& device : *devices) {
        if (!device.hasGuid) sawPrimary = true;
        if (device.hasGuid && device.description == u"In: default") {
            sawDevice = true;
            EXPECT_FALSE(device.interfacePath.empty());
        }
    }
    EXPECT_TRUE(sawPrimary);
    EXPECT_TRUE(sawDevice);

    EXPECT_EQ(FindCaptureName(audio, 0x0C76, 0x161B), u"");
    EXPECT_EQ(OpenCaptureEndpoint(audio, 0x0C76, 0x161B), std::nullopt);
    uint32_t value = 0, minimum = 0, maximum = 0;
    EXPECT_EQ(
        MixerControl(audio, MixerOperation::kGetVolume, value, minimum, maximum, 0x0C76, 0x161B),
        0);
}

TEST(AudioAdapters, EndpointOperationsReachTheEndpointById) {
    Win32AudioSystem audio;
    const auto endpoint = DefaultEndpoint(audio);
    ASSERT_TRUE(endpoint.has_value());

    // Each call activates its own endpoint-volume object; Wine 8 keeps the mute per object, so
    // only that both calls reach the endpoint can be seen here, not the value carried over.
    bool mute = true;
    EXPECT_EQ(SetMicMute(audio, endpoint->id, false), kEndpointOk);
    EXPECT_EQ(GetMicMute(audio, endpoint->id, mute), kEndpointOk);
    EXPECT_FALSE(mute);

    // Wine 8 leaves the volume step information and the scalar setter unimplemented and has no
    // device topology behind its endpoints: each must come back as a failure, never as a value.
    int percent = -1;
    EXPECT_EQ(GetMicGain(audio, endpoint->id, percent), kEndpointCallFailed);
    EXPECT_EQ(percent, -1);
    EXPECT_EQ(SetMicGain(audio, endpoint->id, 37), kEndpointCallFailed);
    bool boost = false;
    EXPECT_EQ(GetMicBoost(audio, endpoint->id, boost), kEndpointCallFailed);
    EXPECT_EQ(SetMicBoost(audio, endpoint->id, true), kEndpointCallFailed);

    EXPECT_EQ(GetMicMute(audio, u"{0.0.1.00000000}.{00000000-0000-0000-0000-000000000000}", mute),
              kEndpointCallFailed);
}

TEST(AudioAdapters, MixerWaveInLineVolumeRoundTrip) {
    Win32AudioSystem audio;
    std::optional<uint32_t> found;
    for (uint32_t index = 0; index < audio.MixerDeviceCount() && !found; ++index) {
        const MixerHandle mixer = audio.OpenMixer(index);
        ASSERT_TRUE(mixer.valid()) << index;
        const auto line = audio.DestinationLineOfType(mixer, kMixerComponentDestinationWaveIn);
        if (line && line->targetName == u"In: default") found = index;
        audio.CloseMixer(mixer);
    }
    ASSERT_TRUE(found.has_value());

    const MixerHandle mixer = audio.OpenMixer(*found);
    const auto line = audio.DestinationLineOfType(mixer, kMixerComponentDestinationWaveIn);
    ASSERT_TRUE(line.has_value());
    const auto volume = audio.ControlOfType(mixer, line->lineId, kMixerControlVolume);
    ASSERT_TRUE(volume.has_value());
    EXPECT_LT(volume->minimum, volume->maximum);
    const uint32_t target = volume->minimum + (volume->maximum - volume->minimum) / 4;
    EXPECT_TRUE(audio.SetControlValue(mixer, volume->controlId, target));
    EXPECT_EQ(audio.GetControlValue(mixer, volume->controlId), target);
    EXPECT_FALSE(audio.ControlOfType(mixer, line->lineId, 0x7FFF0000u).has_value());
    audio.CloseMixer(mixer);
}

class Window {
  public:
    Window()
        : hwnd_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {}
    ~Window() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    HWND get() const { return hwnd_; }

  private:
    HWND hwnd_;
};

// Hands every MM_WIM_DATA that arrives within `milliseconds` to `handle`.
template <typename Handler>
void PumpWaveMessages(HWND window, DWORD milliseconds, Handler handle) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageW(&msg, window, MM_WIM_DATA, MM_WIM_DATA, PM_REMOVE)) {
            handle(msg.wParam, msg.lParam);
        }
        Sleep(5);
    }
}

TEST(AudioAdapters, WaveInDeliversSilenceToTheWindowAndDropsLeftovers) {
    Window window;
    ASSERT_NE(window.get(), nullptr);
    Win32WaveInput wave(window.get());
    LevelCapture capture(wave);
    capture.Start();
    ASSERT_TRUE(capture.Running());

    int buffers = 0;
    int stale = 0;
    std::size_t recorded = 0;
    bool silent = true;
    PumpWaveMessages(window.get(), 600, [&](WPARAM wParam, LPARAM lParam) {
        const auto completion = wave.TakeCompletion(wParam, lParam);
        if (!completion) {
            ++stale;
            return;
        }
        ++buffers;
        recorded += completion->recorded.size();
        for (uint8_t b : completion->recorded) silent = silent && b == 0x80;
        EXPECT_EQ(completion->bufferLength, kLevelBufferBytes);
        EXPECT_EQ(capture.OnBufferFilled(*completion, 203), 0u);
    });
    // Two buffers, each queued again: more than two means the re-queueing works.
    EXPECT_GT(buffers, 2);
    EXPECT_GT(recorded, 0u);
    EXPECT_TRUE(silent);
    EXPECT_EQ(stale, 0);

    capture.Stop();
    EXPECT_FALSE(capture.Running());
    int after = 0;
    PumpWaveMessages(window.get(), 200, [&](WPARAM wParam, LPARAM lParam) {
        if (wave.TakeCompletion(wParam, lParam)) ++after;
    });
    EXPECT_EQ(after, 0) << "buffers of a closed capture are not handed out";
}

}  // namespace
}  // namespace tonedeck
