#pragma once
// The notification-area icon of one window: a fixed id, a private callback message, and a copy of
// the image and tip so that the icon can come back after the taskbar restarts.

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <string>

namespace tonedeck {

class TrayIcon {
  public:
    TrayIcon(UINT id, UINT callbackMessage) : id_(id), callbackMessage_(callbackMessage) {}
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { Remove(); }

    // Enters the notification area (again, after "TaskbarCreated"); false when the shell refuses.
    bool Add(HWND window);
    // The icon handle stays owned by the caller and must outlive the tray entry.
    void SetIcon(HICON icon);
    // Cut to what the shell holds; empty text leaves the icon without a tip.
    void SetTip(const std::u16string& tip);
    void Remove();
    bool Shown() const { return shown_; }

    // The id of the shell's "TaskbarCreated" broadcast.
    static UINT TaskbarCreatedMessage();
    // Lets the broadcast through to a window of a program that runs with higher rights than the
    // shell (started by the installer, for example).
    static void AcceptTaskbarCreated(HWND window);

  private:
    NOTIFYICONDATAW Data(UINT flags) const;
    void Modify(UINT flags);

    UINT id_;
    UINT callbackMessage_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    std::wstring tip_;
    bool shown_ = false;
};

}  // namespace tonedeck
