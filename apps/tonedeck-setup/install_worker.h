#pragma once
// The install worker's side of the wizard: posted messages and message boxes towards the
// wizard window, and the worker thread itself.

#include <windows.h>

#include "platform/win32/handle.h"
#include "setup/wizard_view.h"

namespace tonedeck {

class WindowReporter : public InstallReporter {
  public:
    explicit WindowReporter(HWND wizard) : wizard_(wizard) {}
    void Post(const SetupMessage& message) override;
    void ShowMessage(const std::u16string& text, const std::u16string& caption) override;
    void Beep(uint32_t frequency, uint32_t milliseconds) override;

  private:
    HWND wizard_;
};

class ThreadLauncher : public WorkerLauncher {
  public:
    bool Launch(std::function<void()> work) override;
    // True while the worker runs: the program must not free what it works on.
    bool Running() const;

  private:
    UniqueHandle thread_;
};

}  // namespace tonedeck
