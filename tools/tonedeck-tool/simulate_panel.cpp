#include "tools/tonedeck-tool/simulate_panel.h"

#include <cstdio>
#include <stdexcept>

#include "common/text.h"
#include "panel/window/window_errors.h"

namespace tonedeck::tool {

namespace {

// Windows 7: the microphone needs a capture endpoint, and the simulation has none.
constexpr OsClass kSimulatedOsClass = 6;
constexpr uint32_t kTimerMs = 20;

std::string Text(const std::u16string& text) { return U16ToUtf8(text); }
std::string Flag(bool on) { return on ? "1" : "0"; }

std::string Bands(const EqBlock& block) {
    std::string text;
    for (uint16_t code : block.bands) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(code));
        text += (text.empty() ? "" : ",") + std::string(hex);
    }
    return text;
}

constexpr const char* kSpeakerNames[kSpeakerCount] = {"L", "R", "C", "SUB", "LS", "RS", "LB", "RB"};

}  // namespace

SimulatedPanel::SimulatedPanel(std::ostream& out, bool devicePresent,
                               const std::map<std::u16string, std::vector<uint8_t>>& dataFiles)
    : out_(out), hidBus_(world_.hidBus(), out), ioControl_(world_.ioControl(), out), wave_(clock_) {
    const std::u16string appDir = kSimulatedAppDir;
    for (const auto& [path, bytes] : dataFiles) files_.PutFile(appDir + path, bytes);
    system_.environment[u"APPDATA"] = kSimulatedAppData;
    system_.environment[u"USERPROFILE"] = kSimulatedUserProfile;
    // The installer leaves the per-user copy of the configuration.
    files_.PutFile(std::u16string(kSimulatedAppData) + u"\\Tonedeck\\AudioConfig.cfg",
                   files_.FileBytes(appDir + u"AudioConfig.cfg"));
    LoadAudioConfig(kAudioConfigFileName, appDir + u"Tonedeck.exe", ConfigReader::ControlPanel,
                    profiles_, system_, config_);
    sound_ = world_.AddSoundDevice();
    if (!devicePresent) {
        world_.Unplug(sound_);
        world_.TakeNotices();  // the panel is not running yet
    }
    panel_ = std::make_unique<PanelController>(
        PanelPorts{profiles_, files_, system_, pictures_, *this, audio_, wave_, *this, *this,
                   clock_, hidBus_, ioControl_, world_.deviceTree()},
        config_, kSimulatedOsClass);
    shown_ = Snapshot();
}

SimulatedPanel::~SimulatedPanel() = default;

void SimulatedPanel::SetLastProfile(const std::vector<uint8_t>& bytes) {
    files_.PutFile(std::u16string(kSimulatedAppData) + u"\\" + panel_->InstallFolderName() +
                       u"\\LastProfile.ini",
                   bytes);
}

void SimulatedPanel::Start() {
    timer_ = clock_.StartTimer(kTimerMs, [this] { panel_->OnTimer(); });
    panel_->Construct();
}

void SimulatedPanel::Deliver() {
    for (const DeviceChange& change : world_.TakeNotices()) {
        const bool hidClass = change.interfaceClass == kGuidDevInterfaceHid;
        out_ << "  notice   " << (change.event == kDbtDeviceArrival ? "arrival" : "removal")
             << (hidClass ? " of the HID interface" : " of an audio interface") << "\n";
        panel_->OnDeviceChange(change);
    }
}

void SimulatedPanel::Plug() {
    world_.Plug(sound_);
    Deliver();
}

void SimulatedPanel::Unplug() {
    world_.Unplug(sound_);
    Deliver();
}

void SimulatedPanel::Tick(uint32_t milliseconds) { clock_.Advance(milliseconds); }

ControlId SimulatedPanel::ControlForTag(int tag) {
    const ControlModel& controls = panel_->Window().Controls();
    std::optional<ControlId> control;
    if (tag == 0) {
        control = controls.Find(u"CloseImage");
    } else {
        control = controls.LastImageWithTag(tag);
        if (!control) control = controls.LastLabelWithTag(tag);
    }
    if (!control) throw std::runtime_error("no control carries tag " + std::to_string(tag));
    if (!controls.Showing(*control)) {
        throw std::runtime_error(Text(controls[*control].name) + " (tag " + std::to_string(tag) +
                                 ") is not showing on page " +
                                 std::to_string(panel_->Window().CurrentPage()));
    }
    return *control;
}

Point SimulatedPanel::Middle(ControlId control) {
    const ControlModel& controls = panel_->Window().Controls();
    const Point origin = controls.ClientOrigin(control);
    return {origin.x + controls[control].width / 2, origin.y + controls[control].height / 2};
}

void SimulatedPanel::Press(int tag) {
    const ControlId control = ControlForTag(tag);
    Point point = Middle(control);
    if ((tag >= 129 && tag <= 133) || tag == 138) {
        point.y = panel_->Window().Controls().ClientOrigin(control).y + 1;
    }
    panel_->HookLeftPress(point, point);
    panel_->Window().Press(control);
}

void SimulatedPanel::Release(int tag) {
    const ControlId control = ControlForTag(tag);
    panel_->HookLeftRelease();
    panel_->Window().Release(control);
    panel_->Window().Click(control);
}

void SimulatedPanel::Drag(int tag, int dx, int dy) {
    const ControlId control = ControlForTag(tag);
    const Point point = Middle(control);
    panel_->HookLeftPress(point, point);
    panel_->Window().Press(control);
    panel_->HookMove({point.x + dx, point.y + dy});
    panel_->HookLeftRelease();
    panel_->Window().Release(control);
}

void SimulatedPanel::ShowPage(int page) {
    Press(23 + page);
    Release(23 + page);
}

void SimulatedPanel::Save(const std::u16string& name) {
    dialogAnswer_ = panel_->Profiles().DialogFolder() + u"\\" + name;
    Press(2);
    Release(2);
    const std::u16string saved = WithProfileExtension(*dialogAnswer_);
    dialogAnswer_.reset();
    if (files_.FileExists(saved)) PrintFile(saved);
}

bool SimulatedPanel::HasProfile(const std::u16string& name) {
    return files_.FileExists(panel_->Profiles().DialogFolder() + u"\\" + name);
}

void SimulatedPanel::Load(const std::u16string& name, const std::vector<uint8_t>& bytes) {
    const std::u16string path = panel_->Profiles().DialogFolder() + u"\\" + name;
    if (!bytes.empty() || !files_.FileExists(path)) files_.PutFile(path, bytes);
    dialogAnswer_ = path;
    Press(3);
    Release(3);
    dialogAnswer_.reset();
}

void SimulatedPanel::Exit() {
    const bool held = panel_->Presence().presenceHandle().valid();
    panel_->OnExit();
    clock_.StopTimer(timer_);
    const std::u16string last = panel_->Profiles().LastProfilePath();
    if (files_.FileExists(last)) out_ << "  profile  " << Text(last) << " written\n";
    if (held) out_ << "  state    presence handle closed\n";
}

void SimulatedPanel::PrintFile(const std::u16string& path) {
    const std::vector<uint8_t> bytes = files_.FileBytes(path);
    out_ << "  profile  " << Text(path) << ":\n";
    std::string line;
    for (uint8_t byte : bytes) {
        if (byte == '\r') continue;
        if (byte == '\n') {
            out_ << "           " << line << "\n";
            line.clear();
        } else {
            line += static_cast<char>(byte);
        }
    }
    if (!line.empty()) out_ << "           " << line << "\n";
}

std::string SimulatedPanel::SkinName() { return Text(panel_->Window().CurrentSkin()); }

std::string SimulatedPanel::LanguageName() { return Text(panel_->Window().CurrentLanguage()); }

std::map<std::string, std::string> SimulatedPanel::Snapshot() {
    const SoundSettings& s = panel_->Settings();
    MainWindow& window = panel_->Window();
    std::map<std::string, std::string> state;
    state["DevicePresent"] = Flag(s.devicePresent);
    state["SyncToDevice"] = Flag(s.syncToDevice);
    state["label"] = Text(window.Controls()[window.Controls().Get(u"DeviceActiveLabel")].caption);
    state["page"] = std::to_string(window.CurrentPage());
    state["skin"] = SkinName();
    state["EqEnable"] = Flag(s.eqEnable);
    state["D3Enable"] = Flag(s.d3Enable);
    state["CurrentPreset"] = "S" + std::to_string(s.currentPreset);
    for (int preset = 1; preset <= kPresetCount; ++preset) {
        state["S" + std::to_string(preset)] = Bands(s.presets.Load(preset));
    }
    state["Fbm"] = Flag(s.d3.fbm);
    state["3D alpha, beta"] =
        "left " + std::to_string(s.d3.leftAlpha) + "," + std::to_string(s.d3.leftBeta) + " right " +
        std::to_string(s.d3.rightAlpha) + "," + std::to_string(s.d3.rightBeta);
    state["link modes"] =
        "alpha " + std::to_string(s.alphaLinkMode) + " beta " + std::to_string(s.betaLinkMode);
    state["CurrentEffect"] = std::to_string(s.currentEffect);
    state["VirtualEnable"] = Flag(s.virtualEnable);
    std::string speakers;
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        speakers += (i ? " " : "") + std::string(kSpeakerNames[i]) + " " +
                    std::to_string(s.speakerPlaces[i].left) + "," +
                    std::to_string(s.speakerPlaces[i].top);
    }
    state["speakers"] = speakers;
    state["rotation"] = s.rotateClockwise ? "CW" : s.rotateCounterclockwise ? "CCW" : "off";
    state["LedOn"] = Flag(s.ledOn);
    state["microphone"] = "gain " + std::to_string(s.micGain) + " boost " + Flag(s.micBoost) +
                          " mute " + Flag(s.micMute);
    return state;
}

void SimulatedPanel::PrintChanges() {
    std::map<std::string, std::string> now = Snapshot();
    for (const auto& [name, value] : now) {
        const auto before = shown_.find(name);
        if (before != shown_.end() && before->second == value) continue;
        out_ << "  state    " << name << " "
             << (before == shown_.end() ? "" : before->second + " -> ") << value << "\n";
    }
    shown_ = std::move(now);
}

SpeakerField SimulatedPanel::Field() {
    const SkinLayout& layout = panel_->Window().Layout();
    return {layout.SpeakerCenterX, layout.SpeakerCenterY, layout.SpeakerRadius};
}

void SimulatedPanel::ShowError(const std::u16string& text) {
    out_ << "  error    message box: " << Text(text) << "\n";
}

void SimulatedPanel::ShowWarning(const std::u16string& text) {
    out_ << "  state    warning message box (LabelWarning): " << Text(text) << "\n";
}

void SimulatedPanel::ShowAboutModal(const std::u16string& title) {
    out_ << "  window   About window \"" << Text(title) << "\" shown and closed\n";
}

TextSize SimulatedPanel::MeasureText(const std::u16string& text, const Font&) {
    return {static_cast<int>(text.size()) * 7, 13};
}

void SimulatedPanel::StartTimer1() {
    if (timer1_ != 0 && clock_.TimerRunning(timer1_)) return;
    timer1_ = clock_.StartTimer(kPresencePollMs, [this] {
        out_ << "  timer    Timer1 poll at " << now() << " ms\n";
        panel_->OnTimer1();
    });
    out_ << "  state    Timer1 running (every " << kPresencePollMs << " ms)\n";
}

void SimulatedPanel::StopTimer1() {
    if (timer1_ == 0 || !clock_.TimerRunning(timer1_)) return;
    clock_.StopTimer(timer1_);
    timer1_ = 0;
    out_ << "  state    Timer1 stopped\n";
}

std::optional<std::u16string> SimulatedPanel::RunSaveDialog(const std::u16string& folder) {
    out_ << "  dialog   save in " << Text(folder) << ": "
         << (dialogAnswer_ ? Text(*dialogAnswer_) : "cancelled") << "\n";
    return dialogAnswer_;
}

std::optional<std::u16string> SimulatedPanel::RunOpenDialog(const std::u16string& folder) {
    out_ << "  dialog   open in " << Text(folder) << ": "
         << (dialogAnswer_ ? Text(*dialogAnswer_) : "cancelled") << "\n";
    return dialogAnswer_;
}

}  // namespace tonedeck::tool
