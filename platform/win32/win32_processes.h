#pragma once
// Processes on CreateProcessW, ShellExecuteExW, the thread's message queue and ExitWindowsEx.

#include "platform/ports/processes.h"

namespace tonedeck {

class Win32Processes : public Processes {
  public:
    ProcessHandle Create(const std::u16string& application, const std::u16string& commandLine,
                         uint32_t creationFlags) override;
    bool ShellOpen(const std::u16string& file, ProcessHandle& process) override;
    WaitOutcome Wait(ProcessHandle process, uint32_t milliseconds) override;
    void Close(ProcessHandle process) override;
    void PumpPendingMessages() override;
    void BroadcastRegisteredMessage(const std::u16string& name, uint32_t timeoutMs) override;
    bool RequestReboot() override;
};

}  // namespace tonedeck
