#pragma once
// The background window: a borderless picture behind the wizard, and the application's main
// window (its end ends the program).

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/window_base.h"
#include "setup/background_form.h"
#include "setup/wizard_view.h"

namespace tonedeck {

class BackgroundWindow : public WindowBase, public BackgroundView {
  public:
    ~BackgroundWindow() override;

    void Create(const BackgroundPlacement& placement);
    // Shows the window; the caller then runs the show event (TBackgroundForm::FormShow).
    void Show();
    void OnShowWizard(std::function<void()> showWizard) { showWizard_ = std::move(showWizard); }

    // BackgroundView
    void LoadImage(const std::u16string& imagePath) override;
    void ShowWizard() override;
    void ShowError(const std::u16string& text) override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint();

    HBITMAP picture_ = nullptr;
    std::function<void()> showWizard_;
};

}  // namespace tonedeck
