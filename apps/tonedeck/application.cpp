#include "apps/tonedeck/application.h"

#include "common/audio_config.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_system_info.h"

namespace tonedeck {

void Application::Window::Create(ApplicationEvents& events) {
    events_ = &events;
    WindowSpec windowSpec;
    windowSpec.className = L"TApplication";
    // A zero-sized window: all it shows is its taskbar entry.
    windowSpec.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    windowSpec.bounds = {x, y, x, y};
    CreateHandle(windowSpec);
}

LRESULT Application::Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE:
                    events_->ApplicationMinimizeRequested();
                    return 0;
                case SC_CLOSE:
                    events_->ApplicationCloseRequested();
                    return 0;
            }
            break;
        case WM_SIZE:
            if (wParam == SIZE_RESTORED) events_->ApplicationRestored();
            break;
        case WM_SETFOCUS:
            events_->ApplicationFocused();
            return 0;
        case WM_CLOSE:
            events_->ApplicationCloseRequested();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
    }
    return DefaultHandling(message, wParam, lParam);
}

void Application::CreateWindowHandle(ApplicationEvents& events) { window_.Create(events); }

void Application::SetTitle(const std::u16string& title) {
    title_ = title;
    if (Handle()) SetWindowTextW(Handle(), ToWide(title_).c_str());
}

void Application::SetIcons(HICON large, HICON small) {
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void Application::Dispatch(const MSG& message) {
    if (filter_) {
        try {
            filter_(message);
        } catch (...) {
            ShowError(CurrentExceptionText());
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int Application::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
    return 0;
}

bool Application::HandleOneMessage() {
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    if (got < 0) return false;
    Dispatch(message);
    return true;
}

void Application::ProcessMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave it for the loop in Run.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void Application::Terminate() { PostQuitMessage(0); }

void Application::DiscardTermination() {
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

std::u16string Application::MessageCaption() const {
    if (!title_.empty()) return title_;
    std::u16string name = SplitProgramPath(ModuleFilePath()).first;
    const auto dot = name.rfind(u'.');
    if (dot != std::u16string::npos) name.resize(dot);
    return name;
}

void Application::ShowError(const std::u16string& text) const {
    ShowErrorBox(nullptr, MessageCaption(), text);
}

}  // namespace tonedeck
