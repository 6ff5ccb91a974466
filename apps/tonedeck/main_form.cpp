#include "apps/tonedeck/main_form.h"

// clang-format off
#include <windows.h>
#include <windowsx.h>
// clang-format on

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

constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerIntervalMs = 20;
constexpr UINT_PTR kTimer1Id = 2;
constexpr UINT kTimer1IntervalMs = 3000;
constexpr UINT kCloseMenuId = 100;
// Items of the Language and Skin menus: first id plus the item's index.
constexpr UINT kLanguageMenuFirstId = 1000;
constexpr UINT kSkinMenuFirstId = 2000;
constexpr UINT kMenuIdRange = 1000;
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

void FillMenu(HMENU menu, const std::vector<MenuItem>& items, UINT firstId) {
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    for (std::size_t i = 0; i < items.size() && i < kMenuIdRange; ++i) {
        const UINT flags = MF_STRING | (items[i].checked ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(menu, flags, firstId + static_cast<UINT>(i), ToWide(items[i].caption).c_str());
    }
}

std::u16string MenuCaption(HMENU menu, UINT id) {
    wchar_t text[512] = {};
    GetMenuStringW(menu, id, text, static_cast<int>(std::size(text)), MF_BYCOMMAND);
    return FromWide(text);
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

TAudioMainForm::TAudioMainForm(Application& application, ProfileStore& profiles, SystemInfo& system,
                               DeviceSide& devices)
    : application_(application),
      profiles_(profiles),
      system_(system),
      devices_(devices),
      trayIcon_(kTrayIconId, kTrayCallbackMessage),
      timer_(kTimerId, kTimerIntervalMs),
      timer1_(kTimer1Id, kTimer1IntervalMs) {}

TAudioMainForm::~TAudioMainForm() {
    application_.SetMessageFilter(nullptr);
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
    ConstructPanel();
    InstallMessageHook();
    HideToTray();
    return true;
}

void TAudioMainForm::CreateAboutForm() { about_.Create(Handle()); }

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
    dialogs_.SetOwner(Handle());
    WaveInput& wave = devices_.AttachWindow(Handle());
    panel_ = std::make_unique<PanelController>(
        PanelPorts{profiles_, files_, system_, pictures_, *this, devices_.audio(), wave, dialogs_,
                   *this, clock_, devices_.hidBus(), devices_.io(), devices_.deviceTree()},
        audioConfig_, osClass_);
    BuildPopupMenu();
    smallIcon_.reset(LoadBuiltInIcon(GetSystemMetrics(SM_CXSMICON)));
    trayIcon_.SetIcon(smallIcon_.get());
    TrayIcon::AcceptTaskbarCreated(Handle());
    trayIcon_.Add(Handle());
    timer_.Start(Handle());
    timer1_.Start(Handle());
}

void TAudioMainForm::StartTimer1() {
    if (Handle()) timer1_.Start(Handle());
}

void TAudioMainForm::StopTimer1() { timer1_.Stop(); }

void TAudioMainForm::SetUpIconsHintAndTitle() {
    LoadIcons();
    SetTrayHint();
    SetApplicationTitle();
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

void TAudioMainForm::ConstructPanel() {
    pictures_.BeginSkinApplication();
    panel_->Construct();
    constructed_ = true;
    FillLanguageAndSkinMenus();
}

void TAudioMainForm::RegisterDeviceNotifications() { devices_.RegisterNotifications(); }

void TAudioMainForm::InstallMessageHook() {
    application_.SetMessageFilter([this](const MSG& message) { OnProgramMessage(message); });
}

void TAudioMainForm::CreateMainWindow() {
    RECT bounds{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&bounds, kMainStyle, FALSE, 0);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    WindowSpec windowSpec;
    windowSpec.className = L"TAudioMainForm";
    windowSpec.caption = L"TonedeckApp";
    windowSpec.style = kMainStyle;
    windowSpec.bounds = {x, y, x + width, y + height};
    windowSpec.owner = application_.Handle();
    CreateHandle(windowSpec);
}

void TAudioMainForm::FillLanguageAndSkinMenus() {
    FillMenu(languageMenu_, panel_->Window().LanguageMenu(), kLanguageMenuFirstId);
    FillMenu(skinMenu_, panel_->Window().SkinMenu(), kSkinMenuFirstId);
}

void TAudioMainForm::BuildPopupMenu() {
    popupMenu_.reset(CreatePopupMenu());
    if (!popupMenu_) ThrowLastError("CreatePopupMenu");
    languageMenu_ = CreatePopupMenu();
    skinMenu_ = CreatePopupMenu();
    AppendMenuW(popupMenu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(languageMenu_), L"Language");
    AppendMenuW(popupMenu_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(skinMenu_), L"Skin");
    AppendMenuW(popupMenu_.get(), MF_STRING, kCloseMenuId, L"Close");
}

LRESULT TAudioMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = HandleFormMessage(message, wParam, lParam);
    devices_.MessageHandled(panel_ ? &panel_->Window().Controls() : nullptr);
    return result;
}

LRESULT TAudioMainForm::HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (devices_.TakeMessage(message, wParam, lParam, *this)) {
        return message == WM_DEVICECHANGE ? TRUE : 0;
    }
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
            OnMouseDown(message, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == 0 && OnMenuCommand(LOWORD(wParam))) return 0;
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
    if (!constructed_) return;
    panel_->OnTimer();
    const SoundSettings& settings = panel_->Settings();
    if (settings.rotateClockwise || settings.rotateCounterclockwise) Redraw();
}

void TAudioMainForm::Timer1Timer() {
    if (!constructed_) return;
    panel_->OnTimer1();
    Redraw();
}

void TAudioMainForm::FormDestroy() {
    state_ = FormState::Ending;
    // A start-up that failed half-way must not overwrite the last profile with its defaults.
    if (constructed_) {
        constructed_ = false;
        panel_->OnExit();
    }
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

void TAudioMainForm::OnExitMessage() {
    // The sender ignores the answer; giving it at once lets its broadcast go on to the other
    // windows while this one takes its time to save and put the device back.
    if (InSendMessage()) ReplyMessage(0);
    SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TAudioMainForm::Paint() {
    if (panel_) {
        PaintWindowBuffered(Handle(), painter_, panel_->Window().Controls());
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(Handle(), &paint);
}

void TAudioMainForm::Redraw() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TAudioMainForm::OnMouseDown(UINT message, POINT client) {
    if (!constructed_) return;
    const Point point{client.x, client.y};
    FormMouseAction action = FormMouseAction::kNone;
    if (message == WM_LBUTTONDOWN) {
        // The pressed control keeps the mouse until the button comes up, wherever that happens.
        SetCapture(Handle());
        action = panel_->LeftButtonDown(point);
    } else if (message == WM_RBUTTONDOWN) {
        action = panel_->RightButtonDown(point);
    }
    Redraw();
    switch (action) {
        case FormMouseAction::kDragWindow:
        case FormMouseAction::kCloseProgram:
            FormMouseDown(action == FormMouseAction::kDragWindow ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
            break;
        case FormMouseAction::kNone:
            break;
    }
}

void TAudioMainForm::OnLeftButtonUp(POINT client) {
    if (GetCapture() == Handle()) ReleaseCapture();
    if (!constructed_) return;
    panel_->LeftButtonUp(Point{client.x, client.y});
    Redraw();
}

void TAudioMainForm::OnProgramMessage(const MSG& message) {
    if (!constructed_) return;
    MainWindow& window = panel_->Window();
    switch (message.message) {
        case WM_MOUSEMOVE:
            if (!window.Dragging()) return;
            panel_->HookMove(Point{message.pt.x, message.pt.y});
            Redraw();
            break;
        case WM_LBUTTONDOWN: {
            // Only presses on the main window reach its sliders: a press in another window
            // of the program would otherwise grab whatever knob lies behind it.
            if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)) return;
            POINT client = message.pt;
            ScreenToClient(Handle(), &client);
            panel_->HookLeftPress(Point{message.pt.x, message.pt.y}, Point{client.x, client.y});
            Redraw();
            break;
        }
        case WM_LBUTTONUP:
            if (window.Dragging()) Redraw();
            panel_->HookLeftRelease();
            break;
    }
}

bool TAudioMainForm::OnMenuCommand(UINT id) {
    if (id == kCloseMenuId) {
        CloseMenuClick();
        return true;
    }
    if (!constructed_) return false;
    if (id >= kLanguageMenuFirstId && id < kLanguageMenuFirstId + kMenuIdRange) {
        panel_->LanguageMenuClick(id - kLanguageMenuFirstId);
    } else if (id >= kSkinMenuFirstId && id < kSkinMenuFirstId + kMenuIdRange) {
        const std::u16string shown = MenuCaption(skinMenu_, id);
        pictures_.BeginSkinApplication();
        panel_->SkinMenuClick(id - kSkinMenuFirstId, shown);
    } else {
        return false;
    }
    FillLanguageAndSkinMenus();
    Redraw();
    return true;
}

void TAudioMainForm::DeliverDeviceChange(const DeviceChange& change) {
    if (!constructed_) return;
    panel_->OnDeviceChange(change);
    Redraw();
}

void TAudioMainForm::DeliverWaveData(const WaveCompletion& completion) {
    if (!constructed_) return;
    panel_->OnWaveData(completion);
    Redraw();
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
    if (!shownOnce_) {
        // Centred on the screen at its first showing, at the size the skin gave it.
        shownOnce_ = true;
        RECT bounds;
        GetWindowRect(Handle(), &bounds);
        const int width = bounds.right - bounds.left;
        const int height = bounds.bottom - bounds.top;
        SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
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
    if (state_ == FormState::Shown || state_ == FormState::Minimized) HideToTray();
}

void TAudioMainForm::ApplicationRestored() {
    if (state_ == FormState::InTray || state_ == FormState::Minimized) RestoreFromTray();
}

void TAudioMainForm::ApplicationCloseRequested() { Close(); }

void TAudioMainForm::ApplicationFocused() {
    if (state_ == FormState::Shown && Handle()) SetFocus(Handle());
}

// ---- WindowHost ----

HWND TAudioMainForm::MessageOwner() const {
    return Handle() && IsWindowVisible(Handle()) ? Handle() : nullptr;
}

void TAudioMainForm::ShowError(const std::u16string& text) {
    MessageBoxW(MessageOwner(), ToWide(text).c_str(), ToWide(application_.MessageCaption()).c_str(),
                MB_OK | MB_ICONERROR);
}

void TAudioMainForm::ShowWarning(const std::u16string& text) {
    MessageBoxW(MessageOwner(), ToWide(text).c_str(), ToWide(application_.MessageCaption()).c_str(),
                MB_OK | MB_ICONWARNING);
}

void TAudioMainForm::ProcessPendingMessages() {
    Redraw();
    application_.ProcessMessages();
}

void TAudioMainForm::Minimize() {
    if (state_ == FormState::Ending) return;
    state_ = FormState::Minimized;
    ShowWindow(Handle(), SW_HIDE);
    // The taskbar entry stays; restoring it brings the window back.
    ShowWindow(application_.Handle(), SW_MINIMIZE);
}

void TAudioMainForm::ShowAboutModal(const std::u16string& title) {
    if (!about_.Handle()) return;
    about_.ShowModal(Handle(), title, panel_->Window().AboutControls());
}

void TAudioMainForm::SetWindowSize(int width, int height) {
    SetWindowPos(Handle(), nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TAudioMainForm::SetWindowRegion(const std::vector<uint8_t>& regionData) {
    HRGN region = regionData.empty()
                      ? nullptr
                      : ExtCreateRegion(nullptr, static_cast<DWORD>(regionData.size()),
                                        reinterpret_cast<const RGNDATA*>(regionData.data()));
    // Data that Windows refuses leaves the window rectangular. The window owns the region.
    if (!SetWindowRgn(Handle(), region, TRUE) && region) DeleteObject(region);
}

void TAudioMainForm::SetClientSize(int width, int height) {
    RECT bounds{0, 0, width, height};
    AdjustWindowRectEx(&bounds, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Redraw();
}

TextSize TAudioMainForm::MeasureText(const std::u16string& text, const Font& font) {
    return painter_.Measure(text, font);
}

}  // namespace tonedeck
