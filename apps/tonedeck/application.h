#pragma once
// The program's application object: the hidden top-level window of class "TApplication" that
// carries the taskbar entry and the title, the message loop, and the program's error box.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/window_base.h"

namespace tonedeck {

// What the application window hands on to the main window.
class ApplicationEvents {
  public:
    virtual void ApplicationMinimizeRequested() = 0;
    // The window came out of its minimised state, by the system menu or by another program.
    virtual void ApplicationRestored() = 0;
    virtual void ApplicationCloseRequested() = 0;
    virtual void ApplicationFocused() = 0;

  protected:
    ~ApplicationEvents() = default;
};

class Application {
  public:
    // Starts hidden; it is minimised when the constructed program goes to the tray, so that a
    // minimised application window means a program that is up and answering.
    void CreateWindowHandle(ApplicationEvents& events);
    HWND Handle() const { return window_.Handle(); }
    void DestroyWindowHandle() { window_.Destroy(); }

    void SetTitle(const std::u16string& title);
    const std::u16string& Title() const { return title_; }
    void SetIcons(HICON large, HICON small);

    // Sees every message the loops take, for any window of the program, before it is dispatched.
    // It cannot keep a message from its dispatch.
    using MessageFilter = std::function<void(const MSG&)>;
    void SetMessageFilter(MessageFilter filter) { filter_ = std::move(filter); }

    // Runs until the quit message; the program's exit code.
    int Run();
    // Lets pending messages run in the middle of a handler.
    void ProcessMessages();
    // Waits for one message and dispatches it (a modal window's loop). False at the quit
    // message, which stays queued for Run.
    bool HandleOneMessage();
    void Terminate();
    // Forgets a quit request that nobody will run the loop for any more.
    void DiscardTermination();

    // Caption of the program's message boxes: the title, or the program's name before it is known.
    std::u16string MessageCaption() const;
    void ShowError(const std::u16string& text) const;

  private:
    class Window : public WindowBase {
      public:
        void Create(ApplicationEvents& events);
        void Destroy() { DestroyHandle(); }

      protected:
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

      private:
        ApplicationEvents* events_ = nullptr;
    };

    void Dispatch(const MSG& message);

    Window window_;
    std::u16string title_;
    MessageFilter filter_;
};

}  // namespace tonedeck
