#pragma once
// A settings controller with device presence on a simulated world, recording fakes for the
// window-facing ports, and one timeline of HID output reports and driver requests in the order
// they went out.

#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/des.h"
#include "panel/device/device_presence.h"
#include "panel/settings/settings_controller.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_device_world.h"
#include "platform/sim/sim_file_system.h"

namespace tonedeck::test {

inline constexpr char16_t kRigAppDir[] = u"C:\\Program Files\\Tonedeck\\";
inline const SpeakerField kRigField{200, 150, 100};

// "hid" for an output report of the sound device, "driver" for a driver request.
struct TrafficEvent {
    std::string kind;
    std::vector<uint8_t> bytes;  // report bytes, or the request's input record
    uint32_t code = 0;           // driver requests
};

class TimelineHidBus : public HidBus {
  public:
    TimelineHidBus(HidBus& inner, std::vector<TrafficEvent>& timeline)
        : inner_(inner), timeline_(timeline) {}
    std::optional<std::vector<std::u16string>> ListInterfacePaths() override {
        return inner_.ListInterfacePaths();
    }
    DeviceHandle Open(const std::u16string& path) override { return inner_.Open(path); }
    void Close(DeviceHandle handle) override { inner_.Close(handle); }
    std::optional<HidAttributes> GetAttributes(DeviceHandle handle) override {
        return inner_.GetAttributes(handle);
    }
    std::optional<HidCaps> GetCaps(DeviceHandle handle) override { return inner_.GetCaps(handle); }
    bool SetOutputReport(DeviceHandle handle, std::span<const uint8_t> report) override {
        timeline_.push_back({"hid", {report.begin(), report.end()}, 0});
        return inner_.SetOutputReport(handle, report);
    }
    bool GetInputReport(DeviceHandle handle, std::span<uint8_t> report) override {
        return inner_.GetInputReport(handle, report);
    }

  private:
    HidBus& inner_;
    std::vector<TrafficEvent>& timeline_;
};

class TimelineIoControl : public IoControl {
  public:
    TimelineIoControl(IoControl& inner, std::vector<TrafficEvent>& timeline)
        : inner_(inner), timeline_(timeline) {}
    DeviceHandle Open(const std::u16string& path) override { return inner_.Open(path); }
    void Close(DeviceHandle handle) override { inner_.Close(handle); }
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output, uint32_t& bytesReturned) override {
        timeline_.push_back({"driver", {input.begin(), input.end()}, code});
        return inner_.Control(handle, code, input, output, bytesReturned);
    }

  private:
    IoControl& inner_;
    std::vector<TrafficEvent>& timeline_;
};

class ClockPresenceTimer : public PresenceTimer {
  public:
    ClockPresenceTimer(SimClock& clock, std::function<void()> onTick)
        : clock_(clock), onTick_(std::move(onTick)) {}
    void Start() override {
        if (!running()) id_ = clock_.StartTimer(kPresencePollMs, onTick_);
    }
    void Stop() override {
        clock_.StopTimer(id_);
        id_ = 0;
    }
    bool running() const { return id_ != 0 && clock_.TimerRunning(id_); }

  private:
    SimClock& clock_;
    std::function<void()> onTick_;
    int id_ = 0;
};

class RecordingView : public SettingsView {
  public:
    SettingsPage ShowingPage() const override { return page; }
    SpeakerField SpeakerFieldLayout() const override { return kRigField; }
    void CenterEqSliders() override { events.push_back("center sliders"); }
    void ShowPreset(int preset) override { events.push_back("show S" + std::to_string(preset)); }
    void Show3DValues() override { events.push_back("show 3D"); }
    void ShowEffect() override { events.push_back("show effect"); }
    void ShowSpeakers() override { events.push_back("show speakers"); }
    void ShowLed() override { events.push_back("show LED"); }
    void ShowDeviceLabel(bool active) override {
        events.push_back(active ? "LabelActive" : "LabelUnactive");
    }
    void ShowNoDeviceWarning() override { events.push_back("warning"); }

    SettingsPage page = SettingsPage::kEq;
    std::vector<std::string> events;
};

class FakeMicrophone : public MicrophoneControl {
  public:
    bool FindCaptureEndpoint() override {
        events.push_back("find endpoint");
        return endpointFound;
    }
    void StartLevelCapture() override { events.push_back("start capture"); }
    void StopLevelCapture() override { events.push_back("stop capture"); }
    void ReadBackMic(SoundSettings& settings) override {
        events.push_back("read back");
        settings.micGain = gain;
    }
    void ClearLevelBar() override { events.push_back("clear level bar"); }
    void ForgetEndpointAndCapture() override { events.push_back("forget"); }

    bool endpointFound = true;
    int gain = 42;
    std::vector<std::string> events;
};

class FakeProfile : public ProfileHook {
  public:
    void LoadLastProfile() override { events.push_back("load last profile"); }
    void SaveLastProfile() override { events.push_back("save last profile"); }
    std::vector<std::string> events;
};

inline std::string GroupFileText() {
    const std::string pattern = "USB\\VID_0C76&PID_16XX&REV_0100&MI_00";
    return "[USB_VID_PID]\r\nID1=" + pattern + "," + MakeEntryCode(pattern) + "\r\n";
}

struct SettingsRig {
    explicit SettingsRig(OsClass osClass = 6)
        : hidBus(world.hidBus(), timeline),
          ioControl(world.ioControl(), timeline),
          hid(hidBus),
          driver(ioControl),
          timer(clock, [this] { presence.OnPollTimer(); }),
          controller(settings, {hid, driver, presence, clock, view, mic, profile}, osClass),
          presence({files, world.deviceTree(), hid, driver, timer, controller}, kRigAppDir) {
        files.PutFile(std::u16string(kRigAppDir) + u"AudioConfig.cfg", GroupFileText());
        // The window's design places, before the reset puts the speakers in their circle.
        settings.speakerPlaces.fill({200, 150});
    }

    // Start-up as the window runs it: detection, the reset, the last profile.
    void Start() {
        presence.DetectDevice(DetectMode::kStartUp);
        controller.ResetSettings();
        controller.LoadLastProfile();
    }

    void Deliver() {
        for (const DeviceChange& change : world.TakeNotices()) presence.OnDeviceChange(change);
    }

    void ClearLogs() {
        if (sound >= 0) world.Firmware(sound).ClearLog();
        world.filterDriver().ClearRequests();
        timeline.clear();
        view.events.clear();
        mic.events.clear();
        profile.events.clear();
    }

    SimSoundFirmware& firmware() { return world.Firmware(sound); }

    std::vector<TrafficEvent> timeline;
    SimFileSystem files;
    SimDeviceWorld world;
    SimClock clock;
    TimelineHidBus hidBus;
    TimelineIoControl ioControl;
    HidChannel hid;
    DriverChannel driver;
    ClockPresenceTimer timer;
    RecordingView view;
    FakeMicrophone mic;
    FakeProfile profile;
    SoundSettings settings;
    SettingsController controller;
    DevicePresence presence;
    int sound = -1;
};

// Expected HID output reports, 9 bytes each as the simulated device's capabilities say.
class Reports {
  public:
    // A read: the set-address report (its answer comes as an input report).
    Reports& R(uint16_t address) {
        list.push_back(Pad({0x00, 0x60, Low(address), High(address), 0x10}));
        return *this;
    }
    Reports& W(uint16_t address, uint8_t value) {
        R(address);
        list.push_back(Pad({0x00, 0x60, value, 0x01, 0x20}));
        return *this;
    }
    // Read-modify-write.
    Reports& M(uint16_t address, uint8_t written) { return R(address).W(address, written); }
    Reports& I() {
        list.push_back(Pad({0x00, 0x00, 0x00, 0x00, 0x00}));
        return *this;
    }
    Reports& Raw(std::vector<uint8_t> bytes) {
        list.push_back(Pad(std::move(bytes)));
        return *this;
    }
    std::vector<std::vector<uint8_t>> list;

  private:
    static uint8_t Low(uint16_t v) { return static_cast<uint8_t>(v & 0xFF); }
    static uint8_t High(uint16_t v) { return static_cast<uint8_t>(v >> 8); }
    static std::vector<uint8_t> Pad(std::vector<uint8_t> bytes) {
        bytes.resize(9, 0);
        return bytes;
    }
};

// The kinds of the timeline in order, "hid" runs collapsed to their counts: "hid*5".
inline std::vector<std::string> TimelineShape(const std::vector<TrafficEvent>& timeline) {
    std::vector<std::string> shape;
    int run = 0;
    auto flush = [&] {
        if (run) shape.push_back("hid*" + std::to_string(run));
        run = 0;
    };
    for (const TrafficEvent& event : timeline) {
        if (event.kind == "hid") {
            ++run;
            continue;
        }
        flush();
        char code[16];
        std::snprintf(code, sizeof code, "0x%06X", event.code);
        shape.push_back(code);
    }
    flush();
    return shape;
}

}  // namespace tonedeck::test
