#pragma once
// Starting programs, waiting for them, the thread's message pump, the exit-message broadcast
// and the reboot request.

#include <cstdint>
#include <string>

#include "platform/ports/device_handle.h"

namespace tonedeck {

using ProcessHandle = OpaqueHandle<struct ProcessHandleTag>;

inline constexpr uint32_t kHighPriorityClass = 0x80;
inline constexpr uint32_t kWaitForever = 0xFFFFFFFF;

enum class WaitOutcome { kEnded, kTimedOut, kFailed };

class Processes {
  public:
    virtual ~Processes() = default;
    // CreateProcessW with `application` as the program to run (not searched for), the command
    // line, handle inheritance on, `creationFlags`, the caller's environment and folder and an
    // empty start-up record. The thread handle is closed at once. None on failure.
    virtual ProcessHandle Create(const std::u16string& application,
                                 const std::u16string& commandLine, uint32_t creationFlags) = 0;
    // ShellExecuteExW, default verb, no parameters or folder, hidden, no error UI, keeping the
    // process handle. False on failure; `process` may be none when the shell started no
    // process of its own.
    virtual bool ShellOpen(const std::u16string& file, ProcessHandle& process) = 0;
    // WaitForSingleObject; kWaitForever waits without a limit.
    virtual WaitOutcome Wait(ProcessHandle process, uint32_t milliseconds) = 0;
    virtual void Close(ProcessHandle process) = 0;
    // Takes and dispatches every pending message of the calling thread.
    virtual void PumpPendingMessages() = 0;
    // RegisterWindowMessageW(name), then SendMessageTimeoutW to every top-level window with
    // wParam 0, lParam 0 and the time-out per window; a hung window is not waited for.
    virtual void BroadcastRegisteredMessage(const std::u16string& name, uint32_t timeoutMs) = 0;
    // Enables the shutdown privilege where the token allows it and asks for a reboot
    // (ExitWindowsEx with EWX_REBOOT, reason 0). False when the request was refused.
    virtual bool RequestReboot() = 0;
};

}  // namespace tonedeck
