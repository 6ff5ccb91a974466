#pragma once
// One base for every window of the programs: the handle remembers its object from WM_NCCREATE
// on, and messages reach HandleMessage. No exception leaves the window procedure.

#include <windows.h>

#include <string>

namespace tonedeck {

struct WindowSpec {
    const wchar_t* className = nullptr;
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT bounds{};  // screen coordinates for top-level windows
    HWND owner = nullptr;
    HICON classIcon = nullptr;
    UINT classStyle = 0;
};

class WindowBase {
  public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Handle() const { return handle_; }

  protected:
    // Registers the class on first use in the process; throws when the window cannot be made.
    void CreateHandle(const WindowSpec& windowSpec);
    void DestroyHandle();

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    // Called with the text of an exception that a handler let escape.
    virtual void ReportException(const std::u16string& text) noexcept;

  private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    HWND handle_ = nullptr;
};

}  // namespace tonedeck
