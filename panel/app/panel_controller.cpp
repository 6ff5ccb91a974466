// Construction, timers, device changes and the end of the panel.

#include "panel/app/panel_controller.h"

#include "panel/window/window_errors.h"

namespace tonedeck {

namespace {

constexpr std::size_t kInstallFolderNameChars = 127;

constexpr std::u16string_view kSpeakerImages[kSpeakerCount] = {
    u"VirtualLImage",  u"VirtualRImage",  u"VirtualCImage",  u"VirtualSUBImage",
    u"VirtualLSImage", u"VirtualRSImage", u"VirtualLBImage", u"VirtualRBImage"};

}  // namespace

PanelController::PanelController(PanelPorts ports, const AudioConfig& config, OsClass osClass)
    : ports_(ports),
      config_(config),
      osClass_(osClass),
      installFolderName_(config.InstallFolderName.substr(0, kInstallFolderNameChars)),
      hid_(ports.hidBus),
      driver_(ports.io),
      timer1_(ports.shell),
      window_(
          WindowPorts{ports.profiles, ports.files, ports.system, ports.pictures, ports.host, *this},
          config_, osClass),
      micView_(window_),
      mic_({ports.audio, ports.wave, ports.system, micView_}, osClass,
           [this] {
               return VidPid{presence_.vendorId(), presence_.productId()};
           }),
      controller_(settings_, {hid_, driver_, presence_, ports.clock, *this, mic_, *this}, osClass),
      presence_({ports.files, ports.deviceTree, hid_, driver_, timer1_, controller_},
                config_.AppDir),
      profiles_(controller_, {ports.profiles, ports.files, ports.system, ports.dialogs},
                config_.AppDir, installFolderName_) {}

PanelController::~PanelController() = default;

void PanelController::Construct() {
    // Step 6 happened with the members: settings at their start values, no device.
    ports_.shell.StopTimer1();
    window_.ReadUserChoices();
    ports_.shell.SetUpIconsHintAndTitle();
    window_.StartUp();
    presence_.DetectDevice(DetectMode::kStartUp);
    TakeSpeakerPlacesFromImages();
    controller_.ResetSettings();
    ports_.shell.RegisterDeviceNotifications();
    controller_.LoadLastProfile();
    mic_.ForgetEndpointAndCapture();
}

void PanelController::TakeSpeakerPlacesFromImages() {
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        const Control& image = At(kSpeakerImages[i]);
        settings_.speakerPlaces[i] = {image.left, image.top};
    }
}

void PanelController::OnTimer() { controller_.RotationTick(); }

void PanelController::OnTimer1() { presence_.OnPollTimer(); }

void PanelController::OnDeviceChange(const DeviceChange& change) {
    presence_.OnDeviceChange(change);
    ports_.host.ProcessPendingMessages();
}

void PanelController::OnExit() { controller_.RestoreDeviceOnExit(); }

void PanelController::LoadLastProfile() {
    // A damaged last profile must not keep the program from starting: it would never be
    // rewritten, since that happens only when the program ends.
    try {
        profiles_.LoadLastProfile();
    } catch (const WindowError& error) {
        ports_.host.ShowError(error.Text());
    }
}

void PanelController::SaveLastProfile() { profiles_.SaveLastProfile(); }

void PanelController::SaveProfile() { profiles_.SaveButton(); }

void PanelController::LoadProfile() { profiles_.LoadButton(); }

// ---- mouse ----

void PanelController::HookLeftPress(Point screen, Point client) {
    window_.HookPress(screen, client);
}

void PanelController::HookMove(Point screen) { window_.HookMove(screen); }

void PanelController::HookLeftRelease() { window_.HookRelease(); }

std::optional<ControlId> PanelController::FormControlAt(Point client) const {
    const ControlModel& controls = window_.Controls();
    return controls.ControlAt(controls.Get(u"TAudioMainForm"), client, false);
}

bool PanelController::OnBackground(std::optional<ControlId> control) const {
    return !control || window_.Controls()[*control].name == u"MainFormImage";
}

FormMouseAction PanelController::LeftButtonDown(Point client) {
    const auto control = FormControlAt(client);
    if (OnBackground(control)) return FormMouseAction::kDragWindow;
    const ControlKind kind = window_.Controls()[*control].kind;
    if (kind != ControlKind::Image && kind != ControlKind::Label) return FormMouseAction::kNone;
    pressed_ = control;
    window_.Press(*control);
    return FormMouseAction::kNone;
}

void PanelController::LeftButtonUp(Point client) {
    if (!pressed_) return;
    const ControlId control = *pressed_;
    pressed_.reset();
    const ControlModel& controls = window_.Controls();
    const Point origin = controls.ClientOrigin(control);
    const Control& pressed = controls[control];
    const bool inside = client.x >= origin.x && client.y >= origin.y &&
                        client.x < origin.x + pressed.width && client.y < origin.y + pressed.height;
    window_.Release(control);
    if (inside) window_.Click(control);
}

FormMouseAction PanelController::RightButtonDown(Point client) {
    return OnBackground(FormControlAt(client)) ? FormMouseAction::kCloseProgram
                                               : FormMouseAction::kNone;
}

}  // namespace tonedeck
