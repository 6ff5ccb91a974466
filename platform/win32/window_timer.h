#pragma once
// A window timer that knows whether it runs: WM_TIMER with its id reaches the window.

#include <windows.h>

namespace tonedeck {

class WindowTimer {
  public:
    WindowTimer(UINT_PTR id, UINT intervalMs) : id_(id), intervalMs_(intervalMs) {}
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    ~WindowTimer() { Stop(); }

    void Start(HWND window);
    void Stop();
    bool Running() const { return window_ != nullptr; }
    UINT_PTR Id() const { return id_; }

  private:
    UINT_PTR id_;
    UINT intervalMs_;
    HWND window_ = nullptr;
};

}  // namespace tonedeck
