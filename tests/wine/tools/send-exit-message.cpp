// send-exit-message: asks every running control panel to close, as the installer does.

#include <windows.h>

#include <cstdio>

int wmain() {
    const UINT message = RegisterWindowMessageW(L"WM_HVN16xxAPP_EXIT");
    if (!message) {
        std::fprintf(stderr, "send-exit-message: RegisterWindowMessageW failed (%lu)\n",
                     GetLastError());
        return 1;
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_NORMAL, 100, &answer);
    return 0;
}
