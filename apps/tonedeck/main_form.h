#pragma once
// TAudioMainForm: the control panel's main window, its tray icon, menu and timers.

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <memory>
#include <optional>
#include <string>

#include "apps/tonedeck/about_form.h"
#include "apps/tonedeck/application.h"
#include "apps/tonedeck/device_side.h"
#include "apps/tonedeck/file_dialogs.h"
#include "apps/tonedeck/model_painter.h"
#include "apps/tonedeck/picture_cache.h"
#include "common/audio_config.h"
#include "common/system_helpers.h"
#include "panel/app/panel_controller.h"
#include "panel/window/window_host.h"
#include "platform/ports/profile_store.h"
#include "platform/ports/system_info.h"
#include "platform/win32/tray_icon.h"
#include "platform/win32/user_handles.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_timer.h"

namespace tonedeck {

class TAudioMainForm : public WindowBase,
                       private ApplicationEvents,
                       private WindowHost,
                       private PanelShell,
                       private DeviceEventSink {
  public:
    TAudioMainForm(Application& application, ProfileStore& profiles, SystemInfo& system,
                   DeviceSide& devices);
    ~TAudioMainForm() override;

    // Brings the window to life step by step. False when another copy runs: that copy has been
    // brought forward and nothing of this one was created.
    bool Construct();
    // Program entry step 3: the About window, hidden until it is opened.
    void CreateAboutForm();

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ReportException(const std::u16string& text) noexcept override;

  private:
    enum class FormState { Constructing, InTray, Shown, Minimized, Ending };

    // Construction steps, in the order Construct runs them.
    void ComputeAppDir();
    void RegisterExitMessage();
    void ClassifyWindowsVersion();
    void LoadConfiguration();
    bool ClaimSingleInstance();
    void CreateComponents();
    void LoadIcons();
    void SetTrayHint();
    void SetApplicationTitle();
    // Steps 6 to 18: the panel brings settings, language, skin and device to life.
    void ConstructPanel();
    // FormCreate step 1.
    void InstallMessageHook();

    void CreateMainWindow();
    void BuildPopupMenu();
    void FillLanguageAndSkinMenus();

    // Event handlers.
    void FormMouseDown(UINT message);
    void CloseMenuClick();
    void TimerTimer();
    void Timer1Timer();
    void FormDestroy();
    void OnTrayMouse(UINT mouseMessage);
    void OnExitMessage();
    void Paint();
    // Mouse on the window itself, after the hook saw it.
    void OnMouseDown(UINT message, POINT client);
    void OnLeftButtonUp(POINT client);
    // The program-wide hook: every message of the loops, before dispatch.
    void OnProgramMessage(const MSG& message);
    bool OnMenuCommand(UINT id);
    void Redraw();

    void RestoreFromTray();
    void ShowPopupMenu();
    void Close();

    // ApplicationEvents
    void ApplicationMinimizeRequested() override;
    void ApplicationRestored() override;
    void ApplicationCloseRequested() override;
    void ApplicationFocused() override;

    // WindowHost
    void ShowError(const std::u16string& text) override;
    void ShowWarning(const std::u16string& text) override;
    void ProcessPendingMessages() override;
    void HideToTray() override;
    void Minimize() override;
    void ShowAboutModal(const std::u16string& title) override;
    void SetWindowSize(int width, int height) override;
    void SetWindowRegion(const std::vector<uint8_t>& regionData) override;
    void SetClientSize(int width, int height) override;
    TextSize MeasureText(const std::u16string& text, const Font& font) override;
    HWND MessageOwner() const;

    // PanelShell
    void StartTimer1() override;
    void StopTimer1() override;
    void SetUpIconsHintAndTitle() override;
    void RegisterDeviceNotifications() override;

    // DeviceEventSink
    void DeliverDeviceChange(const DeviceChange& change) override;
    void DeliverWaveData(const WaveCompletion& completion) override;

    Application& application_;
    ProfileStore& profiles_;
    SystemInfo& system_;
    DeviceSide& devices_;

    std::u16string appDir_;
    UINT exitMessage_ = 0;
    OsClass osClass_ = 0;
    AudioConfig audioConfig_;
    FormState state_ = FormState::Constructing;
    bool shownOnce_ = false;

    Win32FileSystem files_;
    PictureCache pictures_{files_};
    ModelPainter painter_{pictures_};
    Win32Clock clock_;
    ProfileFileDialogs dialogs_{nullptr};
    std::unique_ptr<PanelController> panel_;
    // Set once construction has run through: only then does the end save the last profile.
    bool constructed_ = false;
    TAboutForm about_{application_, painter_};

    UniqueIcon programIcon_;
    UniqueIcon smallIcon_;
    UniqueMenu popupMenu_;
    HMENU languageMenu_ = nullptr;  // owned by popupMenu_
    HMENU skinMenu_ = nullptr;      // owned by popupMenu_
    TrayIcon trayIcon_;
    WindowTimer timer_;
    WindowTimer timer1_;
};

}  // namespace tonedeck
