#include "platform/win32/tray_icon.h"

#include <algorithm>

#include "platform/win32/wide.h"

namespace tonedeck {

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = id_;
    data.uFlags = flags;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    const std::size_t length = std::min(tip_.size(), std::size(data.szTip) - 1);
    std::copy_n(tip_.data(), length, data.szTip);
    return data;
}

bool TrayIcon::Add(HWND window) {
    window_ = window;
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    // After a taskbar restart the old entry is gone; a leftover one would make NIM_ADD fail.
    if (shown_) Shell_NotifyIconW(NIM_DELETE, &data);
    shown_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return shown_;
}

void TrayIcon::Modify(UINT flags) {
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(flags);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayIcon::SetIcon(HICON icon) {
    icon_ = icon;
    Modify(NIF_ICON);
}

void TrayIcon::SetTip(const std::u16string& tip) {
    tip_ = ToWide(tip);
    Modify(NIF_TIP);
}

void TrayIcon::Remove() {
    if (!shown_) return;
    NOTIFYICONDATAW data = Data(0);
    Shell_NotifyIconW(NIM_DELETE, &data);
    shown_ = false;
}

UINT TrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void TrayIcon::AcceptTaskbarCreated(HWND window) {
    using FilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    HMODULE user32 = GetModuleHandleW(L"user32");
    auto filter = user32 ? reinterpret_cast<FilterFunction>(reinterpret_cast<void*>(
                               GetProcAddress(user32, "ChangeWindowMessageFilterEx")))
                         : nullptr;
    if (filter) filter(window, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
}

}  // namespace tonedeck
