// One equalizer band write as a slider drag step costs it: the HID interfaces are enumerated and
// opened until the device answers, for the band write and again for its bypass write.

#include <benchmark/benchmark.h>

#include <string>

#include "common/des.h"
#include "panel/device/device_presence.h"
#include "panel/settings/settings_controller.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_device_world.h"
#include "platform/sim/sim_file_system.h"

namespace tonedeck {
namespace {

constexpr char16_t kAppDir[] = u"C:\\Program Files\\Tonedeck\\";

class IdleTimer : public PresenceTimer {
  public:
    void Start() override {}
    void Stop() override {}
};

class NoView : public SettingsView {
  public:
    SettingsPage ShowingPage() const override { return SettingsPage::kEq; }
    SpeakerField SpeakerFieldLayout() const override { return {200, 150, 100}; }
    void CenterEqSliders() override {}
    void ShowPreset(int) override {}
    void Show3DValues() override {}
    void ShowEffect() override {}
    void ShowSpeakers() override {}
    void ShowLed() override {}
    void ShowDeviceLabel(bool) override {}
    void ShowNoDeviceWarning() override {}
};

class NoMicrophone : public MicrophoneControl {
  public:
    bool FindCaptureEndpoint() override { return false; }
    void StartLevelCapture() override {}
    void StopLevelCapture() override {}
    void ReadBackMic(SoundSettings&) override {}
    void ClearLevelBar() override {}
    void ForgetEndpointAndCapture() override {}
};

class NoProfile : public ProfileHook {
  public:
    void LoadLastProfile() override {}
    void SaveLastProfile() override {}
};

struct Panel {
    explicit Panel(int otherHidInterfaces)
        : hid(world.hidBus()),
          driver(world.ioControl()),
          controller(settings, {hid, driver, presence, clock, view, mic, profile}, 6),
          presence({files, world.deviceTree(), hid, driver, timer, controller}, kAppDir) {
        const std::string pattern = "USB\\VID_0C76&PID_16XX&REV_0100&MI_00";
        files.PutFile(std::u16string(kAppDir) + u"AudioConfig.cfg",
                      "[USB_VID_PID]\r\nID1=" + pattern + "," + MakeEntryCode(pattern) + "\r\n");
        for (int i = 0; i < otherHidInterfaces; ++i) {
            HidDeviceOptions options;
            options.productId = static_cast<uint16_t>(0xC000 + i);
            options.instance = u"0000" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                               std::u16string(1, static_cast<char16_t>(u'A' + i / 26)) + u"00";
            world.AddHidDevice(options);
        }
        sound = world.AddSoundDevice();
        presence.DetectDevice(DetectMode::kStartUp);
        controller.ResetSettings();
        controller.ToggleEqEnable();
    }

    SimFileSystem files;
    SimDeviceWorld world;
    SimClock clock;
    HidChannel hid;
    DriverChannel driver;
    IdleTimer timer;
    NoView view;
    NoMicrophone mic;
    NoProfile profile;
    SoundSettings settings;
    SettingsController controller;
    DevicePresence presence;
    int sound = -1;
};

void BM_WriteEqBand(benchmark::State& state) {
    Panel panel(static_cast<int>(state.range(0)));
    if (!panel.settings.syncToDevice) {
        state.SkipWithError("the simulated device was not found");
        return;
    }
    SimSoundFirmware& firmware = panel.world.Firmware(panel.sound);
    firmware.ClearLog();
    const std::size_t handlesBefore = panel.world.OpenedHandleTotal();
    uint16_t code = 0;
    int64_t writes = 0;
    for (auto _ : state) {
        panel.controller.device().WriteEqBand(0, code);
        code = static_cast<uint16_t>((code + 97) & 0xFFF);
        ++writes;
        // The firmware's report log would grow without bound over millions of iterations.
        if (firmware.log().size() > 100000) {
            state.PauseTiming();
            firmware.ClearLog();
            state.ResumeTiming();
        }
    }
    // Counted on one more write, after the timed loop.
    firmware.ClearLog();
    panel.controller.device().WriteEqBand(0, 1024);
    std::size_t outputs = 0;
    std::size_t inputs = 0;
    for (const SimHidLogEntry& entry : firmware.log()) {
        (entry.kind == SimHidReport::kInput ? inputs : outputs) += 1;
    }
    state.counters["output_reports_per_write"] = static_cast<double>(outputs);
    state.counters["input_reports_per_write"] = static_cast<double>(inputs);
    state.counters["handles_opened_per_write"] =
        static_cast<double>(panel.world.OpenedHandleTotal() - handlesBefore) /
        static_cast<double>(writes + 1);
    state.SetItemsProcessed(writes);
}

BENCHMARK(BM_WriteEqBand)->Arg(32)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tonedeck
