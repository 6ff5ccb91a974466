#include "tools/tonedeck-tool/simulate_panel.h"

#include <stdexcept>

#include "common/des.h"
#include "panel/settings/lock_out.h"

namespace tonedeck::tool {

namespace {

constexpr char16_t kAppDir[] = u"C:\\Program Files\\Tonedeck\\";
constexpr char kSoundPattern[] = "USB\\VID_0C76&PID_16XX&REV_0100&MI_00";

// Windows 7: the microphone needs a capture endpoint.
constexpr OsClass kSimulatedOsClass = 6;

std::string GroupFile() {
    return std::string("[USB_VID_PID]\r\nID1=") + kSoundPattern + "," +
           MakeEntryCode(kSoundPattern) + "\r\n";
}

[[noreturn]] void NotYet(const std::string& what) {
    throw std::runtime_error(what + " is not available in the simulation yet");
}

}  // namespace

void SimulatedPanel::PollTimer::Start() {
    if (running()) return;
    id_ = panel_.clock_.StartTimer(kPresencePollMs, [this] {
        panel_.out_ << "  timer    Timer1 poll at " << panel_.now() << " ms\n";
        panel_.presence_.OnPollTimer();
    });
    panel_.out_ << "  state    Timer1 running (every " << kPresencePollMs << " ms)\n";
}

void SimulatedPanel::PollTimer::Stop() {
    if (!running()) return;
    panel_.clock_.StopTimer(id_);
    id_ = 0;
    panel_.out_ << "  state    Timer1 stopped\n";
}

bool SimulatedPanel::PollTimer::running() const {
    return id_ != 0 && panel_.clock_.TimerRunning(id_);
}

SimulatedPanel::SimulatedPanel(std::ostream& out, bool devicePresent)
    : out_(out),
      hidBus_(world_.hidBus(), out),
      ioControl_(world_.ioControl(), out),
      hid_(hidBus_),
      driver_(ioControl_),
      timer_(*this),
      controller_(settings_, {hid_, driver_, presence_, clock_, *this, *this, *this},
                  kSimulatedOsClass),
      presence_({files_, world_.deviceTree(), hid_, driver_, timer_, *this}, kAppDir) {
    files_.PutFile(std::u16string(kAppDir) + u"AudioConfig.cfg", GroupFile());
    sound_ = world_.AddSoundDevice();
    if (!devicePresent) {
        world_.Unplug(sound_);
        world_.TakeNotices();  // the panel is not running yet
    }
    // No window definition here: the speakers start where the reset puts them.
    settings_.speakerPlaces = ResetSpeakerLayout(kSimulatedField);
}

SimulatedPanel::~SimulatedPanel() = default;

void SimulatedPanel::Start() {
    presence_.DetectDevice(DetectMode::kStartUp);
    controller_.ResetSettings();
    controller_.LoadLastProfile();
}

void SimulatedPanel::Deliver() {
    for (const DeviceChange& change : world_.TakeNotices()) {
        const bool hidClass = change.interfaceClass == kGuidDevInterfaceHid;
        out_ << "  notice   " << (change.event == kDbtDeviceArrival ? "arrival" : "removal")
             << (hidClass ? " of the HID interface" : " of an audio interface") << "\n";
        presence_.OnDeviceChange(change);
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

void SimulatedPanel::Press(int tag) {
    if (PressLockedOut(tag, settings_.devicePresent)) {
        ShowNoDeviceWarning();
        return;
    }
    switch (tag) {
        case 5:
        case 6:
        case 48:
            pressedButton_ = tag;  // the action runs on the click after the release
            return;
        case 7:
            controller_.ToggleEqEnable();
            out_ << "  state    EqEnable " << settings_.eqEnable << "\n";
            return;
        case 8:
            controller_.Toggle3DEnable();
            out_ << "  state    D3Enable " << settings_.d3Enable << "\n";
            return;
        case 9:
        case 10:
        case 11:
        case 12:
            controller_.SelectPreset(tag - 8);
            out_ << "  state    CurrentPreset S" << settings_.currentPreset << "\n";
            return;
        case 13:
            controller_.ToggleFbm();
            out_ << "  state    Fbm " << settings_.d3.fbm << "\n";
            return;
        case 51:
            controller_.ToggleLed();
            return;
        default:
            NotYet("press " + std::to_string(tag));
    }
}

void SimulatedPanel::Release(int tag) {
    const bool clicked = pressedButton_ == tag;
    pressedButton_ = -1;
    switch (tag) {
        case 5:
            if (clicked) controller_.ResetEqualizer();
            return;
        case 6:
            if (clicked) controller_.Reset3D();
            return;
        case 48:
            if (clicked) controller_.ResetSpeakers();
            return;
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
            NotYet("release " + std::to_string(tag));
        default:
            return;  // nothing happens on the release of any other control
    }
}

void SimulatedPanel::Exit() {
    const bool held = presence_.presenceHandle().valid();
    controller_.RestoreDeviceOnExit();
    if (held) out_ << "  state    presence handle closed\n";
}

void SimulatedPanel::SetDevicePresent(bool present) {
    controller_.SetDevicePresent(present);
    out_ << "  state    DevicePresent " << present << ", SyncToDevice " << present << "\n";
}

void SimulatedPanel::ReapplyAfterArrival() {
    const uint32_t before = now();
    controller_.ReapplyAfterArrival();
    out_ << "  state    settings re-applied for the EQ page (waited " << now() - before << " ms)\n";
}

void SimulatedPanel::ShowLed() { out_ << "  state    LedOn " << settings_.ledOn << "\n"; }

void SimulatedPanel::ShowDeviceLabel(bool active) {
    out_ << "  state    label " << (active ? "LabelActive" : "LabelUnactive") << "\n";
}

void SimulatedPanel::ShowNoDeviceWarning() {
    out_ << "  state    warning message box (LabelWarning): no device\n";
}

bool SimulatedPanel::FindCaptureEndpoint() {
    out_ << "  mic      no capture endpoint in the simulation\n";
    return false;
}

void SimulatedPanel::ForgetEndpointAndCapture() {}

void SimulatedPanel::SaveLastProfile() {
    out_ << "  profile  LastProfile.ini not written (profiles are not simulated yet)\n";
}

}  // namespace tonedeck::tool
