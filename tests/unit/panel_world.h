#pragma once
// The whole control panel on the simulated world, installed with the shipped data folder (the
// real skins, languages and configuration), with recording stand-ins for the Win32 shell.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "common/text.h"
#include "panel/app/panel_controller.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/sim_audio_system.h"
#include "platform/sim/sim_system_info.h"
#include "platform/sim/sim_wave_input.h"
#include "settings_rig.h"
#include "window_test_fixture.h"

namespace tonedeck::test {

inline const std::u16string kPanelAppDir = u"C:\\Program Files\\Tonedeck\\";

class RecordingShell : public PanelShell {
  public:
    explicit RecordingShell(SimClock& clock) : clock_(clock) {}
    void StartTimer1() override {
        if (!Timer1Running()) timer1_ = clock_.StartTimer(kPresencePollMs, [this] { onTimer1(); });
    }
    void StopTimer1() override {
        clock_.StopTimer(timer1_);
        timer1_ = 0;
    }
    void SetUpIconsHintAndTitle() override { calls.push_back("icons, hint, title"); }
    void RegisterDeviceNotifications() override { calls.push_back("notifications"); }
    bool Timer1Running() const { return timer1_ != 0 && clock_.TimerRunning(timer1_); }

    std::function<void()> onTimer1;
    std::vector<std::string> calls;

  private:
    SimClock& clock_;
    int timer1_ = 0;
};

class ScriptedDialogs : public ProfileDialogs {
  public:
    std::optional<std::u16string> RunSaveDialog(const std::u16string& folder) override {
        folders.push_back(folder);
        return answer;
    }
    std::optional<std::u16string> RunOpenDialog(const std::u16string& folder) override {
        folders.push_back(folder);
        return answer;
    }
    std::optional<std::u16string> answer;
    std::vector<std::u16string> folders;
};

// Copies a host folder into the simulated file system, below `target` (ending with "\").
inline void InstallFolder(SimFileSystem& files, const std::filesystem::path& source,
                          const std::u16string& target) {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
        if (!entry.is_regular_file()) continue;
        std::u16string relative = Utf8ToU16(fs::relative(entry.path(), source).generic_string());
        for (auto& c : relative) c = c == u'/' ? u'\\' : c;
        std::ifstream in(entry.path(), std::ios::binary);
        files.PutFile(target + relative,
                      std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
    }
}

struct PanelWorld {
    PanelWorld()
        : hidBus(world.hidBus(), timeline),
          ioControl(world.ioControl(), timeline),
          wave(clock),
          shell(clock) {
        InstallFolder(files, std::filesystem::path(TONEDECK_SOURCE_DIR) / "data", kPanelAppDir);
        system.environment[u"APPDATA"] = u"C:\\Users\\user\\AppData\\Roaming";
        system.environment[u"USERPROFILE"] = u"C:\\Users\\user";
        // The installer leaves the per-user copy of the configuration with the user's choices.
        files.PutFile(u"C:\\Users\\user\\AppData\\Roaming\\Tonedeck\\AudioConfig.cfg",
                      files.FileBytes(kPanelAppDir + u"AudioConfig.cfg"));
        LoadAudioConfig(kAudioConfigFileName, kPanelAppDir + u"Tonedeck.exe",
                        ConfigReader::ControlPanel, profiles, system, config);
        sound = world.AddSoundDevice();
    }

    PanelController& Panel() {
        if (!panel) {
            panel = std::make_unique<PanelController>(
                PanelPorts{profiles, files, system, pictures, host, audio, wave, dialogs, shell,
                           clock, hidBus, ioControl, world.deviceTree()},
                config, 6);
            shell.onTimer1 = [this] { panel->OnTimer1(); };
        }
        return *panel;
    }

    ControlId Id(std::u16string_view name) { return Panel().Window().Controls().Get(name); }
    Control& At(std::u16string_view name) { return Panel().Window().Controls()[Id(name)]; }
    // A left click on a control, in the main window's client coordinates, through the hook
    // and the window as the program's message loop delivers it.
    void Click(std::u16string_view name) {
        const Point client = Middle(name);
        Panel().HookLeftPress(client, client);
        Panel().LeftButtonDown(client);
        Panel().HookLeftRelease();
        Panel().LeftButtonUp(client);
    }
    // A press on a control, a move by dx,dy and the release.
    void Drag(std::u16string_view name, int dx, int dy) {
        const Point client = Middle(name);
        Panel().HookLeftPress(client, client);
        Panel().LeftButtonDown(client);
        Panel().HookMove({client.x + dx, client.y + dy});
        Panel().HookLeftRelease();
        Panel().LeftButtonUp({client.x + dx, client.y + dy});
    }
    Point Middle(std::u16string_view name) {
        const ControlModel& controls = Panel().Window().Controls();
        const Point origin = controls.ClientOrigin(Id(name));
        return {origin.x + At(name).width / 2, origin.y + At(name).height / 2};
    }
    SimSoundFirmware& firmware() { return world.Firmware(sound); }

    std::vector<TrafficEvent> timeline;
    SimFileSystem files;
    EmulatedProfileStore profiles{files};
    SimSystemInfo system;
    FilePictureSource pictures{files};
    testing_window::RecordingHost host;
    SimDeviceWorld world;
    SimClock clock;
    TimelineHidBus hidBus;
    TimelineIoControl ioControl;
    SimAudioSystem audio;
    SimWaveInput wave;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    AudioConfig config;
    int sound = -1;
    std::unique_ptr<PanelController> panel;
};

}  // namespace tonedeck::test
