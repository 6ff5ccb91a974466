#include "apps/tonedeck/main_form.h"

#include <optional>

#include "apps/tonedeck/instance_lock.h"
#include "panel/window/single_instance.h"
#include "panel/window/tray_actions.h"
#include "panel/window/window_texts.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_system_info.h"
#include "tonedeck_resources.h"

namespace tonedeck {

namespace {

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 500;
constexpr DWORD kMainStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr COLORREF kBackground = RGB(0x1E, 0x24, 0x2E);

constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerIntervalMs = 20;
constexpr UINT_PTR kTimer1Id = 2;
constexpr UINT kTimer1IntervalMs = 3000;
constexpr UINT kCloseMenuId = 100;
// Window-move system command that moves as if the caption were dragged.
constexpr WPARAM kMoveByCaption = 0xF012;

HICON LoadIconFile(const std::u16string& path, int size) {
    return static_cast<HICON>(
        LoadImageW(nullptr, ToWide(path).c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
}

HICON LoadBuiltInIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TONEDECK),
                                         IMAGE_ICON, size, size, 0));
}

std::optional<TrayMouseEvent> TrayEventOf(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_MOUSEMOVE:
            return TrayMouseEvent::Move;
        case WM_LBUTTONDOWN:
            return TrayMouseEvent::LeftDown;
        case WM_LBUTTONUP:
            return TrayMouseEvent::LeftUp;
        case WM_LBUTTONDBLCLK:
            return TrayMouseEvent::LeftDoubleClick;
        case WM_RBUTTONDOWN:
            return TrayMouseEvent::RightDown;
        case WM_RBUTTONUP:
            return TrayMouseEvent::RightUp;
        case WM_RBUTTONDBLCLK:
            return TrayMouseEvent::RightDoubleClick;
        case WM_MBUTTONDOWN:
            return TrayMouseEvent::MiddleDown;
        case WM_MBUTTONUP:
            return TrayMouseEvent::MiddleUp;
        case WM_MBUTTONDBLCLK:
            return TrayMouseEvent::MiddleDoubleClick;
        default:
            return std::nullopt;
    }
}

}  // namespace

TAudioMainForm::TAudioMainForm(Application& application, ProfileStore& profiles, SystemInfo& system)
    : application_(application),
      profiles_(profiles),
      system_(system),
      trayIcon_(kTrayIconId, kTrayCallbackMessage),
      timer_(kTimerId, kTimerIntervalMs),
      timer1_(kTimer1Id, kTimer1IntervalMs) {}

TAudioMainForm::~TAudioMainForm() {
    trayIcon_.Remove();
    DestroyHandle();
    application_.DestroyWindowHandle();
}

bool TAudioMainForm::Construct() {
    ComputeAppDir();
    RegisterExitMessage();
    ClassifyWindowsVersion();
    LoadConfiguration();
    // Settings and device state get their initial values here once they exist.
    // A second copy must leave before it touches the device or any file.
    if (!ClaimSingleInstance()) return false;
    CreateComponents();
    StopTimer1();
    CopyInstallFolderName();
    // The user's language and skin choices are read here.
    LoadIcons();
    SetTrayHint();
    SetApplicationTitle();
    // Then come the language and skin menus and tables, the window outline, the skin itself,
    // device detection, the settings reset with device notifications and the last profile.
    HideToTray();
    return true;
}

void TAudioMainForm::ComputeAppDir() { appDir_ = SplitProgramPath(ModuleFilePath()).second; }

void TAudioMainForm::RegisterExitMessage() {
    exitMessage_ = RegisterWindowMessageW(L"WM_HVN16xxAPP_EXIT");
    if (!exitMessage_) ThrowLastError("RegisterWindowMessageW");
}

void TAudioMainForm::ClassifyWindowsVersion() { osClass_ = GetOsClass(system_); }

void TAudioMainForm::LoadConfiguration() {
    LoadAudioConfig(kAudioConfigFileName, ModuleFilePath(), ConfigReader::ControlPanel, profiles_,
                    system_, audioConfig_);
}

bool TAudioMainForm::ClaimSingleInstance() {
    const std::u16string title = ApplicationTitle(audioConfig_);
    if (!AnotherInstanceRuns(CreateInstanceLock(title))) return true;
    ActivateRunningInstance(title);
    return false;
}

void TAudioMainForm::CreateComponents() {
    application_.CreateWindowHandle(*this);
    CreateMainWindow();
    BuildPopupMenu();
    smallIcon_.reset(LoadBuiltInIcon(GetSystemMetrics(SM_CXSMICON)));
    trayIcon_.SetIcon(smallIcon_.get());
    TrayIcon::AcceptTaskbarCreated(Handle());
    trayIcon_.Add(Handle());
    timer_.Start(Handle());
    timer1_.Start(Handle());
}

void TAudioMainForm::StopTimer1() { timer1_.Stop(); }

void TAudioMainForm::CopyInstallFolderName() {
    installFolderName_ = InstallFolderNameField(audioConfig_);
}

void TAudioMainForm::LoadIcons() {
    const std::u16string path = ProgramIconPath(audioConfig_);
    const int large = GetSystemMetrics(SM_CXICON);
    const int small = GetSystemMetrics(SM_CXSMICON);
    // A missing or unreadable icon file costs the configured look, not the start.
    HICON programIcon = LoadIconFile(path, large);
    HICON smallIcon = LoadIconFile(path, small);
    if (!programIcon || !smallIcon) {
        if (programIcon) DestroyIcon(programIcon);
        if (smallIcon) DestroyIcon(smallIcon);
        programIcon = LoadBuiltInIcon(large);
        smallIcon = LoadBuiltInIcon(small);
    }
    // The tray and the windows let go of the old icons before they are destroyed.
    trayIcon_.SetIcon(smallIcon);
    application_.SetIcons(programIcon, smallIcon);
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    programIcon_.reset(programIcon);
    smallIcon_.reset(smallIcon);
}

void TAudioMainForm::SetTrayHint() { trayIcon_.SetTip(ReadTrayHint(profiles_, audioConfig_)); }

void TAudioMainForm::SetApplicationTitle() {
    application_.SetTitle(ApplicationTitle(audioConfig_));
}

void TAudioMainForm::CreateMainWindow() {
    RECT bounds{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&bounds, kMainStyle, FALSE, 0);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    WindowSpec spec;
    spec.className = L"TAudioMainForm";
    spec.caption = L"TonedeckApp";
    spec.style = kMainStyle;
    spec.bounds = {x, y, x + width, y + height};
    spec.owner = application_.Handle();
    CreateHandle(spec);
}

void TAudioMainForm::BuildPopupMenu() {
    popupMenu_.reset(CreatePopupMenu());
    if (!popupMenu_) ThrowLastError("CreatePopupMenu");
    // The language and skin lists fill these two once those parts exist.
    languageMenu_ = CreatePopupMenu();
    skinMenu_ = CreatePopupMenu();
    AppendMenuW(popupMenu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(languageMenu_), L"Language");
    AppendMenuW(popupMenu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(skinMenu_), L"Skin");
    AppendMenuW(popupMenu_.get(), MF_STRING, kCloseMenuId, L"Close");
}

LRESULT TAudioMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == exitMessage_) {
        HWND self = Handle();
        OnExitMessage();
        return DefWindowProcW(self, message, wParam, lParam);
    }
    if (message == TrayIcon::TaskbarCreatedMessage()) {
        if (state_ != FormState::Ending) trayIcon_.Add(Handle());
        return 0;
    }
    switch (message) {
        case kTrayCallbackMessage:
            OnTrayMouse(static_cast<UINT>(lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            FormMouseDown(message);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCloseMenuId) {
                CloseMenuClick();
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam == timer_.Id()) TimerTimer();
            if (wParam == timer1_.Id()) Timer1Timer();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) trayIcon_.Remove();
            return 0;
        case WM_CLOSE:
            state_ = FormState::Ending;
            trayIcon_.Remove();
            DestroyHandle();
            return 0;
        case WM_DESTROY:
            FormDestroy();
            return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

void TAudioMainForm::ReportException(const std::u16string& text) noexcept {
    application_.ShowError(text);
}

void TAudioMainForm::FormMouseDown(UINT message) {
    if (message == WM_LBUTTONDOWN) {
        ReleaseCapture();
        SendMessageW(Handle(), WM_SYSCOMMAND, kMoveByCaption, 0);
        application_.ProcessMessages();
    } else if (message == WM_RBUTTONDOWN) {
        Close();
    }
}

void TAudioMainForm::CloseMenuClick() { Close(); }

void TAudioMainForm::TimerTimer() {
    // The virtual 7.1 rotation steps here while the device is present and a rotation is on.
}

void TAudioMainForm::Timer1Timer() {
    // The device presence poll runs here while no device is present.
}

void TAudioMainForm::FormDestroy() {
    // The last profile is saved and the device put back to neutral here.
    state_ = FormState::Ending;
    trayIcon_.Remove();
    timer_.Stop();
    timer1_.Stop();
    application_.Terminate();
}

void TAudioMainForm::OnTrayMouse(UINT mouseMessage) {
    const auto event = TrayEventOf(mouseMessage);
    if (!event) return;
    switch (TrayActionFor(*event)) {
        case TrayAction::Restore:
            RestoreFromTray();
            break;
        case TrayAction::OpenMenu:
            ShowPopupMenu();
            break;
        case TrayAction::None:
            break;
    }
}

void TAudioMainForm::OnExitMessage() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void TAudioMainForm::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(dc, &paint.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(Handle(), &paint);
}

void TAudioMainForm::HideToTray() {
    state_ = FormState::InTray;
    ShowWindow(Handle(), SW_HIDE);
    HWND app = application_.Handle();
    // Minimised and hidden: no taskbar entry, and a second copy can restore it.
    if (!IsIconic(app)) ShowWindow(app, SW_SHOWMINNOACTIVE);
    ShowWindow(app, SW_HIDE);
}

void TAudioMainForm::RestoreFromTray() {
    if (state_ == FormState::Ending) return;
    state_ = FormState::Shown;
    ShowWindow(application_.Handle(), SW_RESTORE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void TAudioMainForm::ShowPopupMenu() {
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(Handle());
    TrackPopupMenu(popupMenu_.get(), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Handle(), nullptr);
    // Lets the menu close when the user clicks elsewhere next time.
    PostMessageW(Handle(), WM_NULL, 0, 0);
}

void TAudioMainForm::Close() {
    if (Handle()) SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TAudioMainForm::ApplicationMinimizeRequested() {
    if (state_ == FormState::Shown) HideToTray();
}

void TAudioMainForm::ApplicationRestored() {
    if (state_ == FormState::InTray) RestoreFromTray();
}

void TAudioMainForm::ApplicationCloseRequested() { Close(); }

void TAudioMainForm::ApplicationFocused() {
    if (state_ == FormState::Shown && Handle()) SetFocus(Handle());
}

}  // namespace tonedeck
