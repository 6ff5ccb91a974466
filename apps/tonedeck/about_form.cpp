#include "apps/tonedeck/about_form.h"

#include "platform/win32/wide.h"

namespace tonedeck {

namespace {

constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kAboutExStyle = WS_EX_DLGMODALFRAME;

SIZE OuterSize(int clientWidth, int clientHeight) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, kAboutStyle, FALSE, kAboutExStyle);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

void TAboutForm::Create(HWND owner) {
    WindowSpec windowSpec;
    windowSpec.className = L"TAboutForm";
    windowSpec.style = kAboutStyle;
    windowSpec.exStyle = kAboutExStyle;
    windowSpec.owner = owner;
    CreateHandle(windowSpec);
}

void TAboutForm::ShowModal(HWND owner, const std::u16string& title, const ControlModel& model) {
    model_ = &model;
    const Control& form = model[0];
    SetWindowTextW(Handle(), ToWide(title).c_str());
    const SIZE size = OuterSize(form.width, form.height);
    RECT ownerBounds;
    GetWindowRect(owner, &ownerBounds);
    const int x = ownerBounds.left + ((ownerBounds.right - ownerBounds.left) - size.cx) / 2;
    const int y = ownerBounds.top + ((ownerBounds.bottom - ownerBounds.top) - size.cy) / 2;
    SetWindowPos(Handle(), HWND_TOP, x, y, size.cx, size.cy, SWP_NOACTIVATE);

    // Every other window of the program waits while the dialog shows.
    HWND app = application_.Handle();
    const bool ownerWasEnabled = !EnableWindow(owner, FALSE);
    const bool appWasEnabled = app && !EnableWindow(app, FALSE);
    showing_ = true;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(Handle());
    InvalidateRect(Handle(), nullptr, FALSE);
    while (showing_ && application_.HandleOneMessage()) {
    }
    if (appWasEnabled) EnableWindow(app, TRUE);
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    ShowWindow(Handle(), SW_HIDE);
    showing_ = false;
    SetForegroundWindow(owner);
    model_ = nullptr;
}

void TAboutForm::EndModal() { showing_ = false; }

LRESULT TAboutForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            EndModal();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                EndModal();
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

void TAboutForm::ReportException(const std::u16string& text) noexcept {
    application_.ShowError(text);
}

void TAboutForm::Paint() {
    if (model_) {
        PaintWindowBuffered(Handle(), painter_, *model_);
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(Handle(), &paint);
}

}  // namespace tonedeck
