#pragma once
// TAudioMainForm: the control panel's main window, its tray icon, menu and timers.

#include <windows.h>

#include <string>

#include "apps/tonedeck/application.h"
#include "common/audio_config.h"
#include "common/system_helpers.h"
#include "platform/ports/profile_store.h"
#include "platform/ports/system_info.h"
#include "platform/win32/tray_icon.h"
#include "platform/win32/user_handles.h"
#include "platform/win32/window_base.h"
#include "platform/win32/window_timer.h"

namespace tonedeck {

class TAudioMainForm : public WindowBase, private ApplicationEvents {
  public:
    TAudioMainForm(Application& application, ProfileStore& profiles, SystemInfo& system);
    ~TAudioMainForm() override;

    // Brings the window to life step by step. False when another copy runs: that copy has been
    // brought forward and nothing of this one was created.
    bool Construct();

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ReportException(const std::u16string& text) noexcept override;

  private:
    enum class FormState { Constructing, InTray, Shown, Ending };

    // Construction steps, in the order Construct runs them.
    void ComputeAppDir();
    void RegisterExitMessage();
    void ClassifyWindowsVersion();
    void LoadConfiguration();
    bool ClaimSingleInstance();
    void CreateComponents();
    void StopTimer1();
    void CopyInstallFolderName();
    void LoadIcons();
    void SetTrayHint();
    void SetApplicationTitle();

    void CreateMainWindow();
    void BuildPopupMenu();

    // Event handlers.
    void FormMouseDown(UINT message);
    void CloseMenuClick();
    void TimerTimer();
    void Timer1Timer();
    void FormDestroy();
    void OnTrayMouse(UINT mouseMessage);
    void OnExitMessage();
    void Paint();

    void HideToTray();
    void RestoreFromTray();
    void ShowPopupMenu();
    void Close();

    // ApplicationEvents
    void ApplicationMinimizeRequested() override;
    void ApplicationRestored() override;
    void ApplicationCloseRequested() override;
    void ApplicationFocused() override;

    Application& application_;
    ProfileStore& profiles_;
    SystemInfo& system_;

    std::u16string appDir_;
    UINT exitMessage_ = 0;
    OsClass osClass_ = 0;
    AudioConfig audioConfig_;
    std::u16string installFolderName_;
    FormState state_ = FormState::Constructing;

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
