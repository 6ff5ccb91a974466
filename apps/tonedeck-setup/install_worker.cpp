#include "apps/tonedeck-setup/install_worker.h"

#include <memory>

#include "platform/win32/wide.h"

namespace tonedeck {

namespace {

DWORD WINAPI RunWork(void* parameter) {
    std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
    try {
        (*work)();
    } catch (...) {
        // Nothing may leave the thread; the logic reports its own failures.
        OutputDebugStringW(L"***** InstallThread ended by an exception *****\n");
    }
    return 0;
}

}  // namespace

void WindowReporter::Post(const SetupMessage& message) {
    PostMessageW(wizard_, message.message, message.wParam, 0);
}

void WindowReporter::ShowMessage(const std::u16string& text, const std::u16string& caption) {
    MessageBoxW(wizard_, ToWide(text).c_str(), ToWide(caption).c_str(), MB_OK);
}

void WindowReporter::Beep(uint32_t frequency, uint32_t milliseconds) {
    ::Beep(frequency, milliseconds);
}

bool ThreadLauncher::Launch(std::function<void()> work) {
    auto* parameter = new std::function<void()>(std::move(work));
    HANDLE thread = CreateThread(nullptr, 0, &RunWork, parameter, 0, nullptr);
    if (!thread) {
        delete parameter;
        return false;
    }
    thread_ = UniqueHandle(thread);
    return true;
}

bool ThreadLauncher::Running() const {
    return thread_.Valid() && WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT;
}

}  // namespace tonedeck
