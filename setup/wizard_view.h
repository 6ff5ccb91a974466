#pragma once
// The seams between the installer's logic and its windows. The Windows program implements
// them on its wizard and background windows; tests record them.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tonedeck {

enum class WizardControl {
    kBackBitBtn,
    kNextBitBtn,
    kFinishBitBtn,
    kCancelBitBtn,
    kSelectLangLabel,
    kVersionLabel,
    kAudioExtLabel,
    kInstallLabel,
    kRebootLabel,
    kRebootRadioButton,
    kNoRebootRadioButton,
};

enum class WizardPage { kLanguage = 0, kInstall = 1, kFinish = 2 };

// A label's look from its language entry; only the given parts change.
struct LabelLook {
    std::optional<int32_t> fontColor;  // 0x00BBGGRR or 0xFF000000 + system colour index
    std::optional<std::u16string> fontName;
    std::optional<int32_t> fontSize;  // points
    std::optional<int32_t> left;
    std::optional<int32_t> top;
    std::optional<int32_t> width;
    std::optional<int32_t> height;
};

// The wizard window, used on the window thread only.
class WizardView {
  public:
    virtual ~WizardView() = default;
    // Application and wizard icon from a file; throws SetupError when it cannot be loaded.
    virtual void LoadIcon(const std::u16string& iconPath) = 0;
    virtual void SetAppTitle(const std::u16string& title) = 0;
    virtual void SetTitle(const std::u16string& title) = 0;
    virtual void SetCaption(WizardControl control, const std::u16string& caption) = 0;
    virtual void SetVisible(WizardControl control, bool visible) = 0;
    virtual void SetEnabled(WizardControl control, bool enabled) = 0;
    virtual void SetLabelLook(WizardControl control, const LabelLook& look) = 0;
    // Checks one of the two radio buttons (the other one unchecks).
    virtual void Check(WizardControl radio) = 0;
    virtual void ShowPage(WizardPage page) = 0;
    virtual void FocusNextButton() = 0;
    virtual void SetLanguageItems(const std::vector<std::u16string>& displayNames) = 0;
    virtual void SelectLanguage(int index) = 0;  // -1: no selection
    virtual void SetProgress(int position) = 0;
    // Lets the window thread's pending messages run.
    virtual void ProcessPendingMessages() = 0;
    // MoveWindow of the background window, repainted.
    virtual void PlaceBackground(int left, int top, int width, int height) = 0;
    // The framework's message box for an exception caught in an event handler.
    virtual void ShowError(const std::u16string& text) = 0;
    virtual void PostQuit() = 0;         // WM_QUIT to the wizard: the program ends
    virtual void PostClose() = 0;        // WM_CLOSE to the wizard
    virtual void CloseMainWindow() = 0;  // closes the background window: the program ends
};

// The wizard's private messages, posted by the install worker.
inline constexpr uint32_t kWmSetupProgress = 0x420;  // wParam: position 0..100
inline constexpr uint32_t kWmSetupFinished = 0x421;

struct SetupMessage {
    uint32_t message = 0;
    uint32_t wParam = 0;
    friend bool operator==(const SetupMessage&, const SetupMessage&) = default;
};

inline constexpr char16_t kInstallCaption[] = u"Install";

// What the install worker may do towards the wizard, from its own thread.
class InstallReporter {
  public:
    virtual ~InstallReporter() = default;
    // PostMessageW to the wizard window.
    virtual void Post(const SetupMessage& message) = 0;
    // MessageBoxW owned by the wizard window, OK only; the worker waits until it is closed.
    virtual void ShowMessage(const std::u16string& text, const std::u16string& caption) = 0;
    virtual void Beep(uint32_t frequency, uint32_t milliseconds) = 0;
};

// Starts the install worker; nothing waits for it. False when it could not be started.
class WorkerLauncher {
  public:
    virtual ~WorkerLauncher() = default;
    virtual bool Launch(std::function<void()> work) = 0;
};

// The background window.
class BackgroundView {
  public:
    virtual ~BackgroundView() = default;
    // Stretched picture from a file; throws SetupError when it cannot be loaded.
    virtual void LoadImage(const std::u16string& imagePath) = 0;
    virtual void ShowWizard() = 0;
    // The framework's message box for an exception caught in the show event.
    virtual void ShowError(const std::u16string& text) = 0;
};

}  // namespace tonedeck
