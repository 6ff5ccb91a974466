#pragma once
// The whole control panel (window model, pages, profiles, device presence) on a simulated world
// installed with the shipped data folder. Device traffic is written to `out` as it happens; what
// each command changed in the panel's state follows it.

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "panel/app/panel_controller.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/sim_audio_system.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_device_world.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_system_info.h"
#include "platform/sim/sim_wave_input.h"
#include "tools/tonedeck-tool/simulate_traffic.h"

namespace tonedeck::tool {

inline constexpr char16_t kSimulatedAppDir[] = u"C:\\Program Files\\Tonedeck\\";
inline constexpr char16_t kSimulatedUserProfile[] = u"C:\\Users\\user";
inline constexpr char16_t kSimulatedAppData[] = u"C:\\Users\\user\\AppData\\Roaming";

class SimulatedPanel : private WindowHost, private PanelShell, private ProfileDialogs {
  public:
    // `dataFiles` maps paths below the data folder ("Skin\\Graphite\\knob.png") to their bytes.
    SimulatedPanel(std::ostream& out, bool devicePresent,
                   const std::map<std::u16string, std::vector<uint8_t>>& dataFiles);
    ~SimulatedPanel() override;

    // Before `Start`: the last profile the panel finds.
    void SetLastProfile(const std::vector<uint8_t>& bytes);
    void Start();
    void Plug();
    void Unplug();
    void Tick(uint32_t milliseconds);
    // Controls by tag (the image, or the label for tags that only labels carry). Throws
    // std::runtime_error for a tag no control has or a control that is not showing.
    // A bar (tags 129 to 133, 138) is pressed one pixel below its top end, where no knob lies.
    void Press(int tag);
    void Release(int tag);
    void Drag(int tag, int dx, int dy);
    void ShowPage(int page);
    // Save and Load with the dialog answering `name` in the profile folder; a load takes
    // `bytes` as the file.
    void Save(const std::u16string& name);
    void Load(const std::u16string& name, const std::vector<uint8_t>& bytes);
    // A file saved in the profile folder during this run.
    bool HasProfile(const std::u16string& name);
    void Exit();

    // Virtual time since the simulation began.
    uint32_t now() { return clock_.TickCount(); }
    // What the state lines compare: one "name value" text per field.
    std::map<std::string, std::string> Snapshot();
    // Prints the fields that changed since the last call.
    void PrintChanges();
    std::string SkinName();
    std::string LanguageName();
    SpeakerField Field();

  private:
    // WindowHost.
    void ShowError(const std::u16string& text) override;
    void ShowWarning(const std::u16string& text) override;
    void ProcessPendingMessages() override {}
    void HideToTray() override { out_ << "  window   hidden to the tray\n"; }
    void Minimize() override { out_ << "  window   minimised\n"; }
    void ShowAboutModal(const std::u16string& title) override;
    void SetWindowSize(int, int) override {}
    void SetWindowRegion(const std::vector<uint8_t>&) override {}
    void SetClientSize(int, int) override {}
    TextSize MeasureText(const std::u16string& text, const Font& font) override;
    // PanelShell.
    void StartTimer1() override;
    void StopTimer1() override;
    void SetUpIconsHintAndTitle() override {}
    void RegisterDeviceNotifications() override {}
    // ProfileDialogs.
    std::optional<std::u16string> RunSaveDialog(const std::u16string& folder) override;
    std::optional<std::u16string> RunOpenDialog(const std::u16string& folder) override;

    void Deliver();
    ControlId ControlForTag(int tag);
    Point Middle(ControlId control);
    void PrintFile(const std::u16string& path);

    std::ostream& out_;
    SimFileSystem files_;
    EmulatedProfileStore profiles_{files_};
    SimSystemInfo system_;
    FilePictureSource pictures_{files_};
    SimDeviceWorld world_;
    SimClock clock_;
    int sound_ = -1;
    PrintingHidBus hidBus_;
    PrintingIoControl ioControl_;
    SimAudioSystem audio_;
    SimWaveInput wave_;
    AudioConfig config_;
    int timer1_ = 0;
    int timer_ = 0;
    std::optional<std::u16string> dialogAnswer_;
    std::unique_ptr<PanelController> panel_;
    std::map<std::string, std::string> shown_;
};

}  // namespace tonedeck::tool
