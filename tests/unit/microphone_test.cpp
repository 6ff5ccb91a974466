// The Mic page's Windows side end to end on the simulated audio system and wave input: read-back,
// gain, boost and mute for both Windows classes, and the level meter fed by the capture.

#include "panel/settings/microphone.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_audio_system.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_system_info.h"
#include "platform/sim/sim_wave_input.h"

namespace tonedeck {
namespace {

struct RecordingMicView : MicView {
    RecordingMicView() {
        layout.MicSliderTop = 93;
        layout.SliderRange = 120;
        layout.MicMeterLength = 203;
    }
    const SkinLayout& Layout() const override { return layout; }
    void ShowMicValue(int percent) override { value = std::to_string(percent); }
    void PlaceMicSlider(int top) override { sliderTops.push_back(top); }
    void ShowMicSwitch(int tag, bool on) override { (tag == kMicBoostTag ? boost : mute) = on; }
    void SetLevelBarWidth(int32_t width) override { widths.push_back(width); }

    SkinLayout layout;
    std::string value = "unset";
    std::vector<int> sliderTops;
    std::optional<bool> boost;
    std::optional<bool> mute;
    std::vector<int32_t> widths;
};

class MicrophoneTest : public ::testing::Test {
  protected:
    Microphone& Make(OsClass osClass) {
        microphone.emplace(Microphone::Ports{audio, wave, system, view}, osClass,
                           [this] { return ids; });
        return *microphone;
    }
    // The window's part: every wave-in message handed to the microphone.
    void Pump() {
        while (auto completion = wave.NextCompletion()) microphone->OnBufferFilled(*completion);
    }
    // Time passing with the window taking its messages as they come.
    void RunFor(uint32_t milliseconds) {
        for (uint32_t t = 0; t < milliseconds; t += SimWaveInput::kTickMs) {
            clock.Advance(SimWaveInput::kTickMs);
            Pump();
        }
    }

    SimAudioSystem audio;
    SimClock clock;
    SimWaveInput wave{clock};
    SimSystemInfo system;
    RecordingMicView view;
    VidPid ids{0x0C76, 0x161B};
    SoundSettings settings;
    std::optional<Microphone> microphone;
};

class CoreAudioMicrophone : public MicrophoneTest {
  protected:
    CoreAudioMicrophone() {
        AddUsbMicrophone(audio, {});
        Make(6);
    }
    SimCaptureEndpoint& endpoint() { return audio.endpoints[0]; }
};

TEST_F(CoreAudioMicrophone, ReadBackFillsTheModelAndTheControls) {
    endpoint().step = 50;
    endpoint().autoGainControl = true;
    endpoint().mute = true;
    ASSERT_TRUE(microphone->FindCaptureEndpoint());
    microphone->ReadBackMic(settings);
    EXPECT_EQ(settings.micGain, 50);
    EXPECT_TRUE(settings.micBoost);
    EXPECT_TRUE(settings.micMute);
    EXPECT_EQ(view.value, "50");
    EXPECT_EQ(view.sliderTops, std::vector<int>{153});
    EXPECT_EQ(view.boost, true);
    EXPECT_EQ(view.mute, true);
    EXPECT_FALSE(microphone->EndpointHeld()) << "held only for the read-back";
}

TEST_F(CoreAudioMicrophone, ReadBackWithoutGainControlStillReadsMute) {
    endpoint().hasAutoGainControl = false;
    endpoint().mute = true;
    settings.micBoost = true;
    microphone->ReadBackMic(settings);
    EXPECT_TRUE(settings.micBoost) << "kept";
    EXPECT_FALSE(view.boost.has_value());
    EXPECT_TRUE(settings.micMute);
}

TEST_F(CoreAudioMicrophone, FailingGainEndsTheReadBack) {
    endpoint().volumeFails = true;
    settings.micGain = 12;
    microphone->ReadBackMic(settings);
    EXPECT_EQ(settings.micGain, 12);
    EXPECT_EQ(view.value, "unset");
    EXPECT_FALSE(view.mute.has_value());
    EXPECT_FALSE(view.boost.has_value());
}

TEST_F(CoreAudioMicrophone, NoMatchingEndpointDoesNothing) {
    endpoint().friendlyName = u"Microphone (Webcam)";
    EXPECT_FALSE(microphone->FindCaptureEndpoint());
    microphone->ReadBackMic(settings);
    microphone->SetMute(true);
    microphone->SetBoost(true);
    microphone->ApplyGainPlace(settings, 213);
    EXPECT_EQ(audio.endpointCalls, 0);
    EXPECT_EQ(view.value, "unset");
    EXPECT_TRUE(system.traceLines.empty());
}

TEST_F(CoreAudioMicrophone, GainDragSetsScalarTracesAndReplacesTheSlider) {
    microphone->ApplyGainPlace(settings, 169);  // 36 %
    ASSERT_EQ(endpoint().scalarsSet.size(), 1u);
    EXPECT_FLOAT_EQ(endpoint().scalarsSet[0], 0.36f);
    EXPECT_EQ(settings.micGain, 36);
    EXPECT_EQ(view.sliderTops, (std::vector<int>{169, 170})) << "re-placed from 36 %";

    microphone->ApplyGainPlace(settings, 400);  // dragged below the bar's end
    EXPECT_EQ(endpoint().scalarsSet.back(), 0.0f);
    EXPECT_EQ(settings.micGain, 0);
    EXPECT_EQ(view.sliderTops[2], 213);
    EXPECT_EQ(system.traceLines, (std::vector<std::u16string>{u" 36\n", u" 0\n"}));
}

TEST_F(CoreAudioMicrophone, BoostAndMuteGoToTheEndpoint) {
    microphone->SetBoost(true);
    microphone->SetMute(true);
    EXPECT_TRUE(endpoint().autoGainControl);
    EXPECT_TRUE(endpoint().mute);
    microphone->SetBoost(false);
    EXPECT_FALSE(endpoint().autoGainControl);
}

TEST_F(CoreAudioMicrophone, CaptureFeedsTheMeterWhileRunning) {
    wave.source = {32, 20};
    microphone->StartLevelCapture();
    ASSERT_TRUE(microphone->LevelCaptureRunning());
    ASSERT_TRUE(wave.lastFormat.has_value());
    EXPECT_EQ(wave.lastFormat->samplesPerSecond, 8000u);
    EXPECT_EQ(wave.lastFormat->bitsPerSample, 8);
    EXPECT_EQ(wave.lastFormat->channels, 1);

    RunFor(200);  // four buffers of 50 ms
    EXPECT_EQ(view.widths, (std::vector<int32_t>(4, 202)));

    wave.source = {1, 20};
    RunFor(100);
    EXPECT_EQ(view.widths.back(), 18);
    wave.source = {};
    RunFor(50);
    EXPECT_EQ(view.widths.back(), 0);
    EXPECT_EQ(view.widths.size(), 7u);

    microphone->StopLevelCapture();
    EXPECT_FALSE(microphone->LevelCaptureRunning());
    EXPECT_EQ(wave.OpenDeviceCount(), 0u);
    EXPECT_EQ(wave.LiveBufferCount(), 0u);
    // The buffers the reset handed back arrive after the stop and are not ours any more.
    RunFor(500);
    EXPECT_EQ(view.widths.size(), 7u);
}

TEST_F(CoreAudioMicrophone, DeviceRemovalEndsTheCapture) {
    wave.source = {32, 20};
    microphone->FindCaptureEndpoint();
    microphone->StartLevelCapture();
    clock.Advance(50);
    microphone->ForgetEndpointAndCapture();
    EXPECT_FALSE(microphone->EndpointHeld());
    EXPECT_EQ(wave.OpenDeviceCount(), 0u) << "no wave-in handle left behind";
    RunFor(500);
    EXPECT_TRUE(view.widths.empty());

    // On arrival the capture opens again.
    microphone->StartLevelCapture();
    RunFor(50);
    EXPECT_EQ(view.widths, std::vector<int32_t>{202});
    microphone->StopLevelCapture();
}

TEST_F(CoreAudioMicrophone, NoCaptureDeviceLeavesTheBar) {
    wave.openFails = true;
    microphone->StartLevelCapture();
    EXPECT_FALSE(microphone->LevelCaptureRunning());
    RunFor(200);
    EXPECT_TRUE(view.widths.empty());
    microphone->StopLevelCapture();
    EXPECT_EQ(wave.closeCount, 0);
}

TEST_F(CoreAudioMicrophone, SecondStartKeepsTheRunningCapture) {
    microphone->StartLevelCapture();
    microphone->StartLevelCapture();
    EXPECT_EQ(wave.OpenDeviceCount(), 1u);
    EXPECT_EQ(wave.LiveBufferCount(), 2u);
    microphone->StopLevelCapture();
    EXPECT_EQ(wave.closeCount, 1);
}

class MixerMicrophone : public MicrophoneTest {
  protected:
    MixerMicrophone() {
        audio.captureDevices = {CaptureDeviceEntry{
            true, u"USB Audio Device", u"\\\\?\\USB#VID_0C76&PID_161B&MI_00#6&1&0#{x}"}};
        SimMixer mixer;
        SimMixerDestination waveIn;
        waveIn.line = {
            kMixerComponentDestinationWaveIn, u"USB Audio Device", {{kMixerControlMux, 0, 1, 1}}};
        waveIn.sources = {{kMixerComponentSourceMicrophone,
                           u"",
                           {{kMixerControlVolume, 0, 65535, 32768}, {kMixerControlMute, 0, 1, 0}}}};
        mixer.destinations = {waveIn};
        audio.mixers = {mixer};
        Make(5);
    }
    SimMixerControl& control(int index) {
        return index < 0 ? audio.mixers[0].destinations[0].line.controls[0]
                         : audio.mixers[0].destinations[0].sources[0].controls[index];
    }
};

TEST_F(MixerMicrophone, ReadBackFromTheMixer) {
    EXPECT_FALSE(microphone->FindCaptureEndpoint()) << "no endpoint before version 6";
    microphone->ReadBackMic(settings);
    EXPECT_EQ(settings.micGain, 50);  // 32768 / 65535 × 100, truncated
    EXPECT_TRUE(settings.micBoost);
    EXPECT_FALSE(settings.micMute);
    EXPECT_EQ(view.value, "50");
    EXPECT_EQ(view.boost, true);
    EXPECT_EQ(view.mute, false);
    EXPECT_EQ(audio.endpointCalls, 0);
}

TEST_F(MixerMicrophone, SetsVolumeMuxAndMute) {
    microphone->ApplyGainPlace(settings, 169);  // 36 %
    EXPECT_EQ(control(0).value, 36u * 65535u / 100u);
    EXPECT_EQ(settings.micGain, 35) << "23592 / 65535 reads back below 36";
    EXPECT_EQ(system.traceLines, std::vector<std::u16string>{u" 36\n"});

    microphone->SetBoost(false);
    EXPECT_EQ(control(-1).value, 0u);
    microphone->SetMute(true);
    EXPECT_EQ(control(1).value, 1u);
}

TEST_F(MixerMicrophone, ControlWithoutRangeEndsTheReadBack) {
    control(0).maximum = 0;
    settings.micGain = 7;
    microphone->ReadBackMic(settings);
    EXPECT_EQ(settings.micGain, 7);
    EXPECT_FALSE(view.boost.has_value());
}

}  // namespace
}  // namespace tonedeck
