#include "platform/win32/window_base.h"

#include "platform/win32/win32_errors.h"

namespace tonedeck {

namespace {

void RegisterClassOnce(const WindowSpec& windowSpec, WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, windowSpec.className, &existing)) return;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = windowSpec.classStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = windowSpec.classIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = windowSpec.className;
    if (!RegisterClassExW(&windowClass)) ThrowLastError("RegisterClassExW");
}

}  // namespace

WindowBase::~WindowBase() {
    if (!handle_) return;
    // The derived object is gone: the last messages get default handling.
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
}

void WindowBase::CreateHandle(const WindowSpec& windowSpec) {
    RegisterClassOnce(windowSpec, &WindowBase::WindowProcedure);
    const RECT& r = windowSpec.bounds;
    HWND window = CreateWindowExW(windowSpec.exStyle, windowSpec.className, windowSpec.caption.c_str(), windowSpec.style,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, windowSpec.owner,
                                  nullptr, GetModuleHandleW(nullptr), this);
    if (!window) ThrowLastError("CreateWindowExW");
}

void WindowBase::DestroyHandle() {
    if (handle_) DestroyWindow(handle_);
}

LRESULT WindowBase::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle_, message, wParam, lParam);
}

void WindowBase::ReportException(const std::u16string& text) noexcept {
    ShowErrorBox(handle_, u"", text);
}

LRESULT CALLBACK WindowBase::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<WindowBase*>(create->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        self->ReportException(CurrentExceptionText());
        result = DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    return result;
}

}  // namespace tonedeck
