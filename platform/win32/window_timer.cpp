#include "platform/win32/window_timer.h"

#include "platform/win32/win32_errors.h"

namespace tonedeck {

void WindowTimer::Start(HWND window) {
    Stop();
    if (!SetTimer(window, id_, intervalMs_, nullptr)) ThrowLastError("SetTimer");
    window_ = window;
}

void WindowTimer::Stop() {
    if (!window_) return;
    KillTimer(window_, id_);
    window_ = nullptr;
}

}  // namespace tonedeck
