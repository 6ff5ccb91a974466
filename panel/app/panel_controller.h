#pragma once
// The control panel joined into one: the window model, the sound settings with their pages and
// profiles, device presence and the device channels. The program entry (or a simulation) gives
// it the platform's ports and feeds it the window's events; it decides everything else.

#include <array>
#include <optional>
#include <string>

#include "common/audio_config.h"
#include "common/system_helpers.h"
#include "panel/device/device_presence.h"
#include "panel/device/driver_channel.h"
#include "panel/device/hid_channel.h"
#include "panel/settings/mic_window_view.h"
#include "panel/settings/microphone.h"
#include "panel/settings/settings_controller.h"
#include "panel/settings/settings_ports.h"
#include "panel/settings/sound_profiles.h"
#include "panel/window/main_window.h"
#include "panel/window/window_host.h"
#include "platform/ports/audio_system.h"
#include "platform/ports/clock.h"
#include "platform/ports/device_change.h"
#include "platform/ports/device_tree.h"
#include "platform/ports/file_system.h"
#include "platform/ports/hid_bus.h"
#include "platform/ports/io_control.h"
#include "platform/ports/profile_store.h"
#include "platform/ports/system_info.h"
#include "platform/ports/wave_input.h"

namespace tonedeck {

// The program shell around the panel: timers, icons and notifications.
class PanelShell {
  public:
    virtual ~PanelShell() = default;
    // `Timer1`, the 3000 ms presence poll (the 20 ms `Timer` runs from the start, always).
    virtual void StartTimer1() = 0;
    virtual void StopTimer1() = 0;
    // Construction steps between the user's choices and the language: the program and tray
    // icons, the tray hint and the application title.
    virtual void SetUpIconsHintAndTitle() = 0;
    // Device-interface notifications of all interface classes for the main window.
    virtual void RegisterDeviceNotifications() = 0;
};

struct PanelPorts {
    ProfileStore& profiles;
    FileSystem& files;
    SystemInfo& system;
    PictureSource& pictures;
    WindowHost& host;
    // The microphone page works on these (it needs the window model, so the panel builds it).
    AudioSystem& audio;
    WaveInput& wave;
    ProfileDialogs& dialogs;
    PanelShell& shell;
    Clock& clock;
    HidBus& hidBus;
    IoControl& io;
    DeviceTree& deviceTree;
};

// What a button press on the window itself asks of the shell.
enum class FormMouseAction { kNone, kDragWindow, kCloseProgram };

class PanelController : private SettingsView, private PageActions, private ProfileHook {
  public:
    // `config` is loaded and the Windows version classified before (construction steps 1 to 5).
    PanelController(PanelPorts ports, const AudioConfig& config, OsClass osClass);
    ~PanelController() override;
    PanelController(const PanelController&) = delete;
    PanelController& operator=(const PanelController&) = delete;

    // Construction steps 6 to 18: user choices, icons, language and skin, device detection, the
    // settings reset, device notifications, the last profile. Data-file errors leave as
    // WindowError and end the start-up; a bad last profile is shown and the start goes on.
    void Construct();

    // Events.
    void OnTimer();   // `Timer`, every 20 ms
    void OnTimer1();  // `Timer1`, the presence poll
    // A device-change broadcast; pending messages run afterwards.
    void OnDeviceChange(const DeviceChange& change);
    // The main window is being destroyed: last profile, neutral device.
    void OnExit();
    // A wave-input buffer is full: the level meter.
    void OnWaveData(const WaveCompletion& completion) { mic_.OnBufferFilled(completion); }

    // The program-wide hook, before dispatch (screen positions; a press also in client
    // coordinates of the main window).
    void HookLeftPress(Point screen, Point client);
    void HookMove(Point screen);
    void HookLeftRelease();
    // Presses and releases that reach the main window, in its client coordinates. A press on
    // a control presses it; on the background it asks the shell to drag the window (left) or
    // to close the program (right). The release releases the pressed control, and clicks it
    // when the pointer is still over it.
    FormMouseAction LeftButtonDown(Point client);
    void LeftButtonUp(Point client);
    FormMouseAction RightButtonDown(Point client);

    // Tray menu.
    void LanguageMenuClick(std::size_t index) { window_.LanguageMenuClick(index); }
    void SkinMenuClick(std::size_t index, const std::u16string& shownCaption) {
        window_.SkinMenuClick(index, shownCaption);
    }

    MainWindow& Window() { return window_; }
    const SoundSettings& Settings() const { return settings_; }
    const DevicePresence& Presence() const { return presence_; }
    const Microphone& Mic() const { return mic_; }
    SoundProfiles& Profiles() { return profiles_; }
    const std::u16string& InstallFolderName() const { return installFolderName_; }

  private:
    class Timer1 : public PresenceTimer {
      public:
        explicit Timer1(PanelShell& shell) : shell_(shell) {}
        void Start() override { shell_.StartTimer1(); }
        void Stop() override { shell_.StopTimer1(); }

      private:
        PanelShell& shell_;
    };

    // SettingsView.
    SettingsPage ShowingPage() const override;
    SpeakerField SpeakerFieldLayout() const override;
    void CenterEqSliders() override;
    void ShowPreset(int preset) override;
    void Show3DValues() override;
    void ShowEffect() override;
    void ShowSpeakers() override;
    void ShowLed() override;
    void ShowDeviceLabel(bool active) override;
    void ShowNoDeviceWarning() override;

    // PageActions.
    PanelState State() const override;
    void SetSwitch(int tag, bool on) override;
    void SelectPreset(int preset) override;
    void SelectEffect(int effect) override;
    void SetLinkMode(int tag, int mode) override;
    void SetSyncToDevice(bool on, int page) override;
    void ResetClicked(int tag) override;
    void SaveProfile() override;
    void LoadProfile() override;
    void PageShown(int page) override;
    void StartLevelCapture() override;
    void StopLevelCapture() override;
    void BarPressed(int page, ControlId bar, Point pointInPage) override;
    void DragMoved(int page, ControlId control, int left, int top) override;
    void PlaceEqSliders() override;
    void RescaleSpeakers(double factor) override;

    // ProfileHook.
    void LoadLastProfile() override;
    void SaveLastProfile() override;

    Control& At(std::u16string_view name) {
        return window_.Controls()[window_.Controls().Get(name)];
    }
    // The speaker images' places into the settings, as the window definition and skin put them.
    void TakeSpeakerPlacesFromImages();
    void MoveEqKnob(int band, int top);
    std::optional<ControlId> FormControlAt(Point client) const;
    bool OnBackground(std::optional<ControlId> control) const;

    PanelPorts ports_;
    AudioConfig config_;
    OsClass osClass_;
    std::u16string installFolderName_;
    HidChannel hid_;
    DriverChannel driver_;
    Timer1 timer1_;
    SoundSettings settings_;
    MainWindow window_;
    MicWindowView micView_;
    Microphone mic_;
    SettingsController controller_;
    DevicePresence presence_;
    SoundProfiles profiles_;
    // The knob offsets the window keeps per preset and band.
    std::array<std::array<int, kBandCount>, kPresetCount> eqOffsets_{};
    std::optional<ControlId> pressed_;
};

}  // namespace tonedeck
