// Finding the device's microphone in Windows and the operations on it, against the simulated
// audio system, registry and services.

#include <gtest/gtest.h>

#include "common/text.h"
#include "panel/device/capture_endpoint.h"
#include "panel/device/listen_to_device.h"
#include "panel/device/mixer_control.h"
#include "platform/sim/sim_audio_system.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_service_manager.h"

namespace tonedeck {
namespace {

constexpr uint16_t kVendor = 0x0C76;
constexpr uint16_t kProduct = 0x161B;

CaptureDeviceEntry Device(std::u16string name, std::u16string path, bool hasGuid = true) {
    return CaptureDeviceEntry{hasGuid, std::move(name), std::move(path)};
}

SimCaptureEndpoint NamedEndpoint(std::u16string id, std::u16string name) {
    SimCaptureEndpoint endpoint;
    endpoint.id = std::move(id);
    endpoint.friendlyName = std::move(name);
    return endpoint;
}

TEST(CaptureName, LastDeviceOnTheDevicesInterfaceWins) {
    struct Row {
        const char* name;
        std::vector<CaptureDeviceEntry> devices;
        std::u16string expected;
    };
    const std::u16string ours = u"\\\\?\\usb#vid_0c76&pid_161b&mi_00#7&1&0#{guid}\\global";
    const std::vector<Row> rows = {
        {"lower-case path matches", {Device(u"Headset", ours)}, u"Headset"},
        {"other product", {Device(u"Other", u"\\\\?\\USB#VID_0C76&PID_1620&MI_00#x")}, u""},
        {"primary driver has no GUID", {Device(u"Primary", ours, false)}, u""},
        {"path shorter than the prefix", {Device(u"Short", u"\\\\?\\USB#VID_0C76")}, u""},
        {"no path known", {Device(u"Unknown", u"")}, u""},
        {"last match wins",
         {Device(u"First", ours), Device(u"Webcam", u"\\\\?\\usb#vid_046d&pid_0825#1"),
          Device(u"Second", ours)},
         u"Second"},
    };
    for (const Row& row : rows) {
        SimAudioSystem audio;
        audio.captureDevices = row.devices;
        EXPECT_EQ(FindCaptureName(audio, kVendor, kProduct), row.expected) << row.name;
    }

    SimAudioSystem longName;
    longName.captureDevices = {Device(std::u16string(300, u'x'), ours)};
    EXPECT_EQ(FindCaptureName(longName, kVendor, kProduct).size(), kCaptureNameChars - 1);
}

TEST(CaptureEndpoint, FirstActiveEndpointWhoseNameHoldsTheCaptureName) {
    SimAudioSystem audio;
    AddUsbMicrophone(audio, {});
    const std::u16string ours = audio.endpoints[0].id;
    audio.endpoints.insert(audio.endpoints.begin(),
                           NamedEndpoint(u"other", u"Microphone (Webcam C270)"));
    EXPECT_EQ(OpenCaptureEndpoint(audio, kVendor, kProduct), ours);

    // The substring test is case-sensitive.
    audio.endpoints[1].friendlyName = u"Microphone (usb pnp sound device)";
    EXPECT_EQ(OpenCaptureEndpoint(audio, kVendor, kProduct), std::nullopt);

    audio.endpoints[1].friendlyName = u"Microphone (USB PnP Sound Device)";
    audio.endpoints[1].active = false;
    EXPECT_EQ(OpenCaptureEndpoint(audio, kVendor, kProduct), std::nullopt) << "not active";

    audio.endpoints[1].active = true;
    audio.endpoints[0].nameReadFails = true;
    EXPECT_EQ(OpenCaptureEndpoint(audio, kVendor, kProduct), std::nullopt) << "a failed read";

    audio.endpoints[0].nameReadFails = false;
    audio.enumeratorFails = true;
    EXPECT_EQ(OpenCaptureEndpoint(audio, kVendor, kProduct), std::nullopt);

    audio.enumeratorFails = false;
    EXPECT_EQ(OpenCaptureEndpoint(audio, kVendor, 0x1620), std::nullopt) << "no capture name";
}

TEST(CaptureEndpoint, GainMuteAndBoostOperations) {
    SimAudioSystem audio;
    AddUsbMicrophone(audio, {});
    SimCaptureEndpoint& endpoint = audio.endpoints[0];
    const std::u16string id = endpoint.id;

    int percent = -1;
    endpoint.stepCount = 101;
    endpoint.step = 50;
    EXPECT_EQ(GetMicGain(audio, id, percent), kEndpointOk);
    EXPECT_EQ(percent, 50);
    endpoint.stepCount = 65;
    endpoint.step = 21;  // 2100 / 64
    EXPECT_EQ(GetMicGain(audio, id, percent), kEndpointOk);
    EXPECT_EQ(percent, 32);
    endpoint.stepCount = 1;
    percent = -1;
    EXPECT_EQ(GetMicGain(audio, id, percent), kEndpointNoSteps);
    EXPECT_EQ(percent, -1);

    endpoint.stepCount = 101;
    EXPECT_EQ(SetMicGain(audio, id, 37), kEndpointOk);
    EXPECT_EQ(SetMicGain(audio, id, 0), kEndpointOk);
    EXPECT_EQ(SetMicGain(audio, id, 140), kEndpointOk);
    ASSERT_EQ(endpoint.scalarsSet.size(), 3u);
    EXPECT_FLOAT_EQ(endpoint.scalarsSet[0], 0.37f);
    EXPECT_EQ(endpoint.scalarsSet[1], 0.0f);
    EXPECT_FLOAT_EQ(endpoint.scalarsSet[2], 1.0f);

    bool flag = false;
    EXPECT_EQ(SetMicMute(audio, id, true), kEndpointOk);
    EXPECT_EQ(GetMicMute(audio, id, flag), kEndpointOk);
    EXPECT_TRUE(flag);
    EXPECT_EQ(SetMicBoost(audio, id, true), kEndpointOk);
    EXPECT_TRUE(endpoint.autoGainControl);
    endpoint.hasAutoGainControl = false;
    EXPECT_EQ(GetMicBoost(audio, id, flag), kEndpointCallFailed);
    EXPECT_EQ(SetMicBoost(audio, id, false), kEndpointCallFailed);
    EXPECT_EQ(GetMicMute(audio, u"gone", flag), kEndpointCallFailed);
}

// A mixer whose wave-in line targets `target`; the controls sit on the line or on a source.
SimMixer Mixer(std::u16string target, std::vector<SimMixerControl> lineControls,
               std::vector<SimMixerLine> sources = {}) {
    SimMixer mixer;
    SimMixerDestination speakers;
    speakers.line.componentType = 0x4;  // speakers
    speakers.line.targetName = target;
    speakers.line.controls = {{kMixerControlVolume, 0, 65535, 999}};
    SimMixerDestination waveIn;
    waveIn.line = {kMixerComponentDestinationWaveIn, target, std::move(lineControls)};
    waveIn.sources = std::move(sources);
    mixer.destinations = {speakers, waveIn};
    return mixer;
}

class MixerTest : public ::testing::Test {
  protected:
    MixerTest() {
        audio.captureDevices = {
            Device(u"USB PnP Sound Device", u"\\\\?\\USB#VID_0C76&PID_161B&MI_00#1")};
    }
    int Run(MixerOperation operation, uint32_t& value) {
        return MixerControl(audio, operation, value, minimum, maximum, kVendor, kProduct);
    }
    SimAudioSystem audio;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
};

TEST_F(MixerTest, FindsTheControlOnTheLineOrOnAMicrophoneSource) {
    SimMixer other = Mixer(u"Realtek HD Audio", {{kMixerControlVolume, 0, 65535, 1}});
    SimMixer render;
    render.destinations = {};  // no wave-in line at all
    SimMixer ours =
        Mixer(u"usb pnp sound device", {{kMixerControlMux, 0, 1, 1}},
              {{0x1008, u"", {{kMixerControlVolume, 0, 65535, 7}}},  // line in
               {kMixerComponentSourceMicrophone,
                u"",
                {{kMixerControlVolume, 0, 65535, 32768}, {kMixerControlMute, 0, 1, 1}}}});
    audio.mixers = {other, render, ours};

    uint32_t value = 0;
    ASSERT_EQ(Run(MixerOperation::kGetVolume, value), 1);
    EXPECT_EQ(value, 32768u) << "the line-in source is skipped";
    EXPECT_EQ(minimum, 0u);
    EXPECT_EQ(maximum, 65535u);
    ASSERT_EQ(Run(MixerOperation::kGetBoost, value), 1);
    EXPECT_EQ(value, 1u) << "found on the wave-in line itself";
    ASSERT_EQ(Run(MixerOperation::kGetMute, value), 1);
    EXPECT_EQ(value, 1u);

    value = 0;
    ASSERT_EQ(Run(MixerOperation::kSetBoost, value), 1);
    EXPECT_EQ(audio.mixers[2].destinations[1].line.controls[0].value, 0u);
    value = 24248;
    ASSERT_EQ(Run(MixerOperation::kSetVolume, value), 1);
    EXPECT_EQ(audio.mixers[2].destinations[1].sources[1].controls[0].value, 24248u);
    EXPECT_EQ(audio.mixers[0].destinations[1].line.controls[0].value, 1u) << "other untouched";
    EXPECT_EQ(audio.OpenMixerCount(), 0u) << "every mixer closed again";
}

TEST_F(MixerTest, NoLineOrNoControlFails) {
    uint32_t value = 5;
    audio.mixers = {Mixer(u"USB PnP Sound Device", {{kMixerControlVolume, 0, 65535, 1}})};
    EXPECT_EQ(Run(MixerOperation::kGetMute, value), 0) << "the line has no mute";
    EXPECT_EQ(value, 5u);

    audio.mixers = {Mixer(u"USB PnP Sound Device 2", {{kMixerControlMute, 0, 1, 1}})};
    EXPECT_EQ(Run(MixerOperation::kGetMute, value), 0) << "names must be equal";

    audio.mixers = {Mixer(u"", {{kMixerControlMute, 0, 1, 1}})};
    audio.captureDevices.clear();
    EXPECT_EQ(Run(MixerOperation::kGetMute, value), 0) << "no capture name matches no line";
    EXPECT_EQ(audio.OpenMixerCount(), 0u);
}

constexpr char16_t kCapture[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Capture";
constexpr char16_t kListen1[] = u"{24dbb0fc-9311-4b3d-9cf0-18ff155639d4},1";
constexpr char16_t kListen4[] = u"{24dbb0fc-9311-4b3d-9cf0-18ff155639d4},4";

std::optional<RegistryValue> Listen(SimRegistry& registry, const std::u16string& guid,
                                    const char16_t* name) {
    return registry.Value(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                          std::u16string(kCapture) + u"\\" + guid + u"\\Properties", name);
}

TEST(ListenToDevice, WritesEveryMatchingEndpointInTheNativeView) {
    SimRegistry registry;
    registry.windows64 = true;
    PutCaptureEndpointKey(registry, u"{a}", u"{2}.\\\\?\\usb#vid_0c76&pid_161b&mi_00#7&1#{x}");
    PutCaptureEndpointKey(registry, u"{b}", u"{2}.\\\\?\\usb#vid_046d&pid_0825#1#{x}");
    PutCaptureEndpointKey(registry, u"{c}", u"{2}.\\\\?\\usb#vid_0c76&pid_161b&mi_00#8&2#{x}");
    // Upper-case hexadecimal does not match the lower-case search texts.
    PutCaptureEndpointKey(registry, u"{d}", u"{1}.USB\\VID_0C76&PID_161B&MI_00\\7&1");
    // A text that begins with the vendor is not taken.
    PutCaptureEndpointKey(registry, u"{e}", u"c76 161b");
    registry.PutKey(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                    std::u16string(kCapture) + u"\\{f}\\Properties");

    SetListenToDevice(registry, true, kVendor, kProduct);
    const auto on = ListenValue(true);
    for (const char16_t* guid : {u"{a}", u"{c}"}) {
        for (const char16_t* name : {kListen1, kListen4}) {
            const auto value = Listen(registry, guid, name);
            ASSERT_TRUE(value.has_value()) << U16ToUtf8(guid);
            EXPECT_EQ(value->type, RegistryType::kBinary);
            EXPECT_EQ(value->data, std::vector<uint8_t>(on.begin(), on.end()));
        }
    }
    for (const char16_t* guid : {u"{b}", u"{d}", u"{e}", u"{f}"}) {
        EXPECT_FALSE(Listen(registry, guid, kListen1).has_value()) << U16ToUtf8(guid);
    }
    EXPECT_EQ(registry.flushCount, 2);
    EXPECT_EQ(registry.OpenKeyCount(), 0u);
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::kLocalMachine, SimRegistryView::kWow32,
                                    std::u16string(kCapture) + u"\\{a}\\Properties"));

    SetListenToDevice(registry, false, kVendor, kProduct);
    const auto value = Listen(registry, u"{a}", kListen4);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->data[8], 0x00);
    EXPECT_EQ(value->data[9], 0x00);
}

TEST(RestartAudioService, StopsPollsAndStarts) {
    struct Row {
        const char* name;
        SimService service;
        int result;
        std::vector<std::u16string> requests;
        std::size_t polls;
    };
    SimService running{kServiceRunning, 3};
    SimService stopped{kServiceStopped};
    SimService refusesStop = running;
    refusesStop.refusesStop = true;
    SimService stuck = running;
    stuck.ignoresStop = true;
    SimService refusesStart = running;
    refusesStart.refusesStart = true;
    const std::vector<Row> rows = {
        {"running: stop, three polls, start", running, kRestartDone, {u"1", u"start"}, 3},
        {"stopped: only started", stopped, kRestartDone, {u"start"}, 0},
        {"stop refused: no start", refusesStop, kRestartStopFailed, {u"1"}, 0},
        {"stop-pending for ever: 100 s, no start", stuck, kRestartStopTimedOut, {u"1"}, 1000},
        {"start refused", refusesStart, kRestartStartFailed, {u"1", u"start"}, 3},
    };
    for (const Row& row : rows) {
        SimServiceManager services;
        SimClock clock;
        services.Install(u"AudioSrv", row.service);
        EXPECT_EQ(RestartAudioService(services, clock), row.result) << row.name;
        EXPECT_EQ(services.At(u"audiosrv").requests, row.requests) << row.name;
        EXPECT_EQ(clock.sleeps().size(), row.polls) << row.name;
        EXPECT_EQ(clock.TickCount(), row.polls * 100) << row.name;
        EXPECT_EQ(services.OpenHandleCount(), 0u) << row.name;
    }

    SimServiceManager none;
    SimClock clock;
    EXPECT_EQ(RestartAudioService(none, clock), kRestartStartFailed) << "no such service";
}

TEST(ListenToDevice, ClickSwitchesOffRestartsAndWaits) {
    SimRegistry registry;
    registry.windows64 = true;
    PutCaptureEndpointKey(registry, u"{a}", u"{2}.\\\\?\\usb#vid_0c76&pid_161b&mi_00#7&1#{x}");
    SimServiceManager services;
    services.Install(u"audiosrv", SimService{kServiceRunning, 1});
    SimClock clock;
    ListenToDeviceClicked(registry, services, clock, false, kVendor, kProduct);
    const auto value = Listen(registry, u"{a}", kListen1);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->data[8], 0);
    EXPECT_EQ(services.At(u"audiosrv").requests, (std::vector<std::u16string>{u"1", u"start"}));
    EXPECT_EQ(clock.sleeps(), (std::vector<uint32_t>{100, 300}));
}

}  // namespace
}  // namespace tonedeck
