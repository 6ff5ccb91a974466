#include "apps/tonedeck-setup/wizard_window.h"

#include <commctrl.h>

#include "platform/win32/wide.h"
#include "setup/main_form.h"
#include "setup/setup_error.h"

namespace tonedeck {

namespace {

constexpr int kClientWidth = 430;
constexpr int kClientHeight = 153;
constexpr int kNotebookHeight = 113;

enum ControlId : int {
    kBackId = 101,
    kNextId,
    kFinishId,
    kCancelId,
    kComboId = 110,
    kRebootId = 120,
    kNoRebootId,
};

std::size_t IndexOf(WizardControl control) { return static_cast<std::size_t>(control); }

HFONT MakeFont(const std::wstring& name, int height) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy(font.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

int PointsToPixels(int points) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return -MulDiv(points, dpi, 72);
}

// A colour from a language file: 0x00BBGGRR, or 0xFF000000 plus a system colour index.
COLORREF ToColor(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    if ((bits & 0xFF000000u) == 0xFF000000u) return GetSysColor(static_cast<int>(bits & 0xFF));
    return static_cast<COLORREF>(bits & 0x00FFFFFFu);
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

WizardWindow::~WizardWindow() {
    DestroyHandle();
    ReleaseFonts();
    if (formFont_) DeleteObject(formFont_);
    if (labelFont_) DeleteObject(labelFont_);
    if (face_) DeleteObject(face_);
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

void WizardWindow::ReleaseFonts() {
    for (Control& control : controls_) {
        if (control.font) DeleteObject(control.font);
        control.font = nullptr;
    }
}

void WizardWindow::Create(HWND background) {
    background_ = background;
    formFont_ = MakeFont(L"Tahoma", -11);
    labelFont_ = MakeFont(L"Tahoma", -13);
    face_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    WindowSpec windowSpec;
    windowSpec.className = L"TMainForm";
    windowSpec.caption = L"HVN 7.1 Tonedeck Setup";
    windowSpec.style = style;
    windowSpec.exStyle = exStyle;
    windowSpec.bounds = {left, top, left + width, top + height};
    windowSpec.owner = background;
    CreateHandle(windowSpec);
    // Without a window manager the frame may differ from the one asked for: the client size
    // is what counts.
    RECT client;
    GetClientRect(Handle(), &client);
    if (client.right != kClientWidth || client.bottom != kClientHeight) {
        SetWindowPos(Handle(), nullptr, 0, 0, width + kClientWidth - client.right,
                     height + kClientHeight - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    }

    const DWORD button = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON;
    const DWORD label = WS_CHILD | SS_LEFT | SS_NOPREFIX;
    auto& c = controls_;
    auto place = [&](WizardControl id, HWND window, int page) {
        Control& control = c[IndexOf(id)];
        control.window = window;
        control.page = page;
    };
    place(
        WizardControl::kBackBitBtn,
        MakeChild(WC_BUTTONW, L"< Back", button | WS_DISABLED, kBackId, 8, 119, 75, 25, formFont_),
        -1);
    c[IndexOf(WizardControl::kBackBitBtn)].wanted = false;
    place(WizardControl::kNextBitBtn,
          MakeChild(WC_BUTTONW, L"Next >", WS_CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON, kNextId, 120,
                    119, 75, 25, formFont_),
          -1);
    place(WizardControl::kFinishBitBtn,
          MakeChild(WC_BUTTONW, L"Finish", button | WS_DISABLED, kFinishId, 232, 119, 75, 25,
                    formFont_),
          -1);
    place(WizardControl::kCancelBitBtn,
          MakeChild(WC_BUTTONW, L"Cancel", button, kCancelId, 339, 119, 75, 25, formFont_), -1);

    place(WizardControl::kSelectLangLabel,
          MakeChild(WC_STATICW, L"Select Language :", label, 0, 16, 52, 0, 0, labelFont_), 0);
    place(WizardControl::kVersionLabel,
          MakeChild(WC_STATICW, L"Select language version of 7.1 USB", label, 0, 184, 20, 0, 0,
                    labelFont_),
          0);
    place(WizardControl::kAudioExtLabel,
          MakeChild(WC_STATICW, L"Audio Extension for installation", label, 0, 184, 52, 0, 0,
                    labelFont_),
          0);
    place(WizardControl::kInstallLabel,
          MakeChild(WC_STATICW, L"Installing...", label, 0, 16, 24, 0, 0, labelFont_), 1);
    place(WizardControl::kRebootLabel,
          MakeChild(WC_STATICW, L"Setup will reboot your computer to complete the Install", label,
                    0, 40, 16, 315, 0, labelFont_),
          2);
    place(WizardControl::kRebootRadioButton,
          MakeChild(WC_BUTTONW, L"Yes, reboot now",
                    WS_CHILD | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, kRebootId, 40, 52, 374,
                    24, formFont_),
          2);
    place(WizardControl::kNoRebootRadioButton,
          MakeChild(WC_BUTTONW, L"No, reboot later", WS_CHILD | WS_TABSTOP | BS_AUTORADIOBUTTON,
                    kNoRebootId, 40, 82, 374, 17, formFont_),
          2);
    CheckRadioButton(Handle(), kRebootId, kNoRebootId, kNoRebootId);

    for (WizardControl id : {WizardControl::kSelectLangLabel, WizardControl::kVersionLabel,
                             WizardControl::kAudioExtLabel, WizardControl::kInstallLabel}) {
        c[IndexOf(id)].autoSize = true;
    }
    Control& reboot = c[IndexOf(WizardControl::kRebootLabel)];
    reboot.autoSize = true;
    reboot.wordWrap = true;
    reboot.fixedWidth = 315;

    combo_.window =
        MakeChild(WC_COMBOBOXW, L"", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                  kComboId, 16, 74, 153, 200, formFont_);
    combo_.page = 0;
    progress_.window =
        MakeChild(PROGRESS_CLASSW, L"", WS_CHILD | PBS_SMOOTH, 0, 16, 60, 361, 25, nullptr);
    progress_.page = 1;
    SendMessageW(progress_.window, PBM_SETRANGE32, 0, 100);
    SendMessageW(progress_.window, PBM_SETSTEP, 1, 0);

    for (Control& control : controls_) {
        if (control.autoSize) FitLabel(control);
    }
    ShowPage(WizardPage::kLanguage);
}

HWND WizardWindow::MakeChild(const wchar_t* className, const wchar_t* text, DWORD style, int id,
                             int left, int top, int width, int height, HFONT font) {
    HWND child = CreateWindowExW(0, className, text, style, left, top, width, height, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (child && font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

void WizardWindow::Attach(TMainForm& form, int backgroundWidth, int backgroundHeight) {
    form_ = &form;
    backgroundWidth_ = backgroundWidth;
    backgroundHeight_ = backgroundHeight;
}

void WizardWindow::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    if (form_) form_->FormShow(backgroundWidth_, backgroundHeight_);
}

WizardWindow::Control& WizardWindow::At(WizardControl control) {
    return controls_[IndexOf(control)];
}

void WizardWindow::UpdateVisibility(Control& control) {
    if (!control.window) return;
    const bool onPage = control.page < 0 || control.page == page_;
    ShowWindow(control.window, onPage && control.wanted ? SW_SHOWNA : SW_HIDE);
}

// Labels size themselves to their text; a word-wrapped one keeps its width and grows down.
void WizardWindow::FitLabel(Control& control) {
    if (!control.window) return;
    const std::wstring text = WindowText(control.window);
    HDC dc = GetDC(control.window);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control.window, WM_GETFONT, 0, 0));
    HGDIOBJ previous = SelectObject(dc, font);
    RECT box{0, 0, control.wordWrap ? control.fixedWidth : 4000, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_NOPREFIX | (control.wordWrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, previous);
    ReleaseDC(control.window, dc);
    SetWindowPos(control.window, nullptr, 0, 0, box.right, box.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WizardWindow::LoadIcon(const std::u16string& iconPath) {
    const std::wstring path = ToWide(iconPath);
    HICON big = static_cast<HICON>(::LoadImageW(nullptr, path.c_str(), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXICON),
                                                GetSystemMetrics(SM_CYICON), LR_LOADFROMFILE));
    if (!big) throw SetupError(u"Cannot load the icon \"" + iconPath + u"\".");
    HICON small = static_cast<HICON>(::LoadImageW(nullptr, path.c_str(), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), LR_LOADFROMFILE));
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    bigIcon_ = big;
    smallIcon_ = small ? small : nullptr;
    for (HWND window : {Handle(), background_}) {
        if (!window) continue;
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
        SendMessageW(window, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_ : bigIcon_));
    }
}

void WizardWindow::SetAppTitle(const std::u16string& title) {
    appTitle_ = title;
    if (background_) SetWindowTextW(background_, ToWide(title).c_str());
}

void WizardWindow::SetTitle(const std::u16string& title) {
    SetWindowTextW(Handle(), ToWide(title).c_str());
}

void WizardWindow::SetCaption(WizardControl control, const std::u16string& caption) {
    Control& target = At(control);
    SetWindowTextW(target.window, ToWide(caption).c_str());
    if (target.autoSize) FitLabel(target);
}

void WizardWindow::SetVisible(WizardControl control, bool visible) {
    Control& target = At(control);
    target.wanted = visible;
    UpdateVisibility(target);
}

void WizardWindow::SetEnabled(WizardControl control, bool enabled) {
    EnableWindow(At(control).window, enabled);
}

void WizardWindow::SetLabelLook(WizardControl control, const LabelLook& look) {
    Control& target = At(control);
    if (look.fontColor) target.color = ToColor(*look.fontColor);
    if (look.fontName || look.fontSize) {
        LOGFONTW current{};
        HFONT used = reinterpret_cast<HFONT>(SendMessageW(target.window, WM_GETFONT, 0, 0));
        GetObjectW(used ? used : labelFont_, sizeof(current), &current);
        const std::wstring name = look.fontName ? ToWide(*look.fontName) : current.lfFaceName;
        const int height = look.fontSize ? PointsToPixels(*look.fontSize) : current.lfHeight;
        HFONT font = MakeFont(name, height);
        if (font) {
            SendMessageW(target.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            if (target.font) DeleteObject(target.font);
            target.font = font;
        }
    }
    RECT bounds;
    GetWindowRect(target.window, &bounds);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    if (look.width) target.fixedWidth = *look.width;
    if (target.autoSize && !look.width && !look.height) FitLabel(target);
    GetWindowRect(target.window, &bounds);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    const int left = look.left.value_or(bounds.left);
    const int top = look.top.value_or(bounds.top);
    const int width = look.width.value_or(bounds.right - bounds.left);
    const int height = look.height.value_or(bounds.bottom - bounds.top);
    SetWindowPos(target.window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(target.window, nullptr, TRUE);
}

void WizardWindow::Check(WizardControl radio) {
    CheckRadioButton(Handle(), kRebootId, kNoRebootId,
                     radio == WizardControl::kRebootRadioButton ? kRebootId : kNoRebootId);
}

void WizardWindow::ShowPage(WizardPage page) {
    page_ = static_cast<int>(page);
    for (Control& control : controls_) UpdateVisibility(control);
    UpdateVisibility(combo_);
    UpdateVisibility(progress_);
}

void WizardWindow::FocusNextButton() { SetFocus(At(WizardControl::kNextBitBtn).window); }

void WizardWindow::SetLanguageItems(const std::vector<std::u16string>& displayNames) {
    SendMessageW(combo_.window, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& name : displayNames) {
        SendMessageW(combo_.window, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(ToWide(name).c_str()));
    }
}

void WizardWindow::SelectLanguage(int index) {
    SendMessageW(combo_.window, CB_SETCURSEL, index, 0);
}

void WizardWindow::SetProgress(int position) {
    SendMessageW(progress_.window, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void WizardWindow::ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WizardWindow::PlaceBackground(int left, int top, int width, int height) {
    if (!background_) return;
    MoveWindow(background_, left, top, width, height, TRUE);
    RedrawWindow(background_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void WizardWindow::ShowError(const std::u16string& text) {
    MessageBoxW(Handle(), ToWide(text).c_str(), ToWide(appTitle_).c_str(), MB_OK | MB_ICONERROR);
}

void WizardWindow::PostQuit() { PostMessageW(Handle(), WM_QUIT, 0, 0); }

void WizardWindow::PostClose() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

void WizardWindow::CloseMainWindow() {
    if (background_) PostMessageW(background_, WM_CLOSE, 0, 0);
}

void WizardWindow::OnCommand(int id, int code) {
    if (!form_) return;
    switch (id) {
        case kNextId:
        case IDOK:
            if (code == BN_CLICKED) form_->NextBitBtnClick();
            break;
        case kBackId:
            if (code == BN_CLICKED) form_->BackBitBtnClick();
            break;
        case kFinishId:
            if (code == BN_CLICKED) {
                form_->FinishBitBtnClick(IsDlgButtonChecked(Handle(), kRebootId) == BST_CHECKED);
            }
            break;
        case kCancelId:
        case IDCANCEL:
            if (code == BN_CLICKED) form_->CancelBitBtnClick();
            break;
        case kComboId:
            if (code == CBN_SELCHANGE) {
                form_->ComboBoxChange(
                    static_cast<int>(SendMessageW(combo_.window, CB_GETCURSEL, 0, 0)));
            }
            break;
    }
}

LRESULT WizardWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kWmSetupProgress:
        case kWmSetupFinished:
            if (form_) form_->OnSetupMessage({message, static_cast<uint32_t>(wParam)});
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            for (const Control& control : controls_) {
                if (control.window == reinterpret_cast<HWND>(lParam) &&
                    control.color != CLR_INVALID) {
                    SetTextColor(dc, control.color);
                }
            }
            return reinterpret_cast<LRESULT>(face_);
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, face_);
            // The notebook's lower edge, above the buttons.
            RECT edge{0, kNotebookHeight, client.right, kNotebookHeight + 2};
            DrawEdge(reinterpret_cast<HDC>(wParam), &edge, EDGE_ETCHED, BF_TOP);
            return 1;
        }
        case WM_CLOSE:
            if (form_) {
                form_->FormClose();
                return 0;
            }
            PostMessageW(background_, WM_CLOSE, 0, 0);
            return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace tonedeck
