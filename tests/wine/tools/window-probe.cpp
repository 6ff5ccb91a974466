// window-probe: finds a top-level window by class and caption.
//   window-probe state CLASS CAPTION     prints "visible X Y W H", "minimised" or "hidden"
//   window-probe minimize CLASS CAPTION  sends it the system-menu minimise command
// Exit code 1 when no such window exists, 2 on bad usage.

#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: window-probe state|minimize CLASS CAPTION\n");
        return 2;
    }
    HWND window = FindWindowW(argv[2], argv[3]);
    if (!window) {
        std::printf("missing\n");
        return 1;
    }
    if (std::wcscmp(argv[1], L"minimize") == 0) {
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return 0;
    }
    if (std::wcscmp(argv[1], L"state") != 0) return 2;
    if (!IsWindowVisible(window)) {
        std::printf(IsIconic(window) ? "hidden minimised\n" : "hidden\n");
    } else if (IsIconic(window)) {
        std::printf("minimised\n");
    } else {
        RECT r;
        GetWindowRect(window, &r);
        std::printf("visible %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    return 0;
}
