#include "apps/tonedeck-setup/background_window.h"

#include "platform/win32/wide.h"
#include "setup/setup_error.h"

namespace tonedeck {

namespace {
// Shown until the configured picture arrives, and when it cannot be loaded.
constexpr COLORREF kPlainColor = RGB(0x1E, 0x24, 0x2E);
}  // namespace

BackgroundWindow::~BackgroundWindow() {
    DestroyHandle();
    if (picture_) DeleteObject(picture_);
}

void BackgroundWindow::Create(const BackgroundPlacement& placement) {
    WindowSpec windowSpec;
    windowSpec.className = L"TBackgroundForm";
    windowSpec.style = WS_POPUP | WS_CLIPCHILDREN;
    windowSpec.bounds = {placement.left, placement.top, placement.left + placement.width,
                   placement.top + placement.height};
    CreateHandle(windowSpec);
}

void BackgroundWindow::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void BackgroundWindow::LoadImage(const std::u16string& imagePath) {
    HBITMAP picture =
        static_cast<HBITMAP>(::LoadImageW(nullptr, ToWide(imagePath).c_str(), IMAGE_BITMAP, 0, 0,
                                          LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!picture) throw SetupError(u"Cannot load the picture \"" + imagePath + u"\".");
    if (picture_) DeleteObject(picture_);
    picture_ = picture;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void BackgroundWindow::ShowWizard() {
    if (showWizard_) showWizard_();
}

void BackgroundWindow::ShowError(const std::u16string& text) {
    MessageBoxW(Handle(), ToWide(text).c_str(), nullptr, MB_OK | MB_ICONERROR);
}

void BackgroundWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    RECT client;
    GetClientRect(Handle(), &client);
    BITMAP info{};
    if (picture_ && GetObjectW(picture_, sizeof(info), &info)) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, picture_);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    } else {
        HBRUSH plain = CreateSolidBrush(kPlainColor);
        FillRect(dc, &client, plain);
        DeleteObject(plain);
    }
    EndPaint(Handle(), &paint);
}

LRESULT BackgroundWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace tonedeck
