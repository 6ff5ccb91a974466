#include "apps/tonedeck/instance_lock.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace tonedeck {

LockOutcome CreateInstanceLock(const std::u16string& name) {
    // One call both tests and makes the lock, so two copies started together cannot both win.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, ToWide(name).c_str());
    const DWORD error = GetLastError();
    if (!mutex)
        return error == ERROR_ACCESS_DENIED ? LockOutcome::AccessDenied : LockOutcome::Failed;
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return LockOutcome::AlreadyExists;
    }
    return LockOutcome::Created;
}

void ActivateRunningInstance(const std::u16string& title) {
    HWND running = FindWindowW(L"TApplication", ToWide(title).c_str());
    if (!running) return;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    BringWindowToTop(running);
    SetForegroundWindow(running);
}

}  // namespace tonedeck
