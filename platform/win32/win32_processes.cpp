#include "platform/win32/win32_processes.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/win32/wide.h"
#include "platform/win32/win32_device_handles.h"

namespace tonedeck {

ProcessHandle Win32Processes::Create(const std::u16string& application,
                                     const std::u16string& commandLine, uint32_t creationFlags) {
    // CreateProcessW may write into the command line.
    std::wstring line = ToWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(ToWide(application).c_str(), line.data(), nullptr, nullptr, TRUE,
                        creationFlags, nullptr, nullptr, &startup, &created)) {
        return {};
    }
    CloseHandle(created.hThread);
    return ToPortHandle<ProcessHandleTag>(created.hProcess);
}

bool Win32Processes::ShellOpen(const std::u16string& file, ProcessHandle& process) {
    const std::wstring wideFile = ToWide(file);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = wideFile.c_str();
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info)) return false;
    process = ToPortHandle<ProcessHandleTag>(info.hProcess);
    return true;
}

WaitOutcome Win32Processes::Wait(ProcessHandle process, uint32_t milliseconds) {
    switch (WaitForSingleObject(ToSystemHandle(process), milliseconds)) {
        case WAIT_OBJECT_0:
            return WaitOutcome::kEnded;
        case WAIT_TIMEOUT:
            return WaitOutcome::kTimedOut;
        default:
            return WaitOutcome::kFailed;
    }
}

void Win32Processes::Close(ProcessHandle process) {
    if (process) CloseHandle(ToSystemHandle(process));
}

void Win32Processes::PumpPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Processes::BroadcastRegisteredMessage(const std::u16string& name, uint32_t timeoutMs) {
    const UINT message = RegisterWindowMessageW(ToWide(name).c_str());
    if (message == 0) return;
    // A hung window is skipped rather than waited for.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &answer);
}

bool Win32Processes::RequestReboot() {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
            AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        }
        CloseHandle(token);
    }
    return ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
}

}  // namespace tonedeck
