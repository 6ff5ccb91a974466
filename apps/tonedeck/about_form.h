#pragma once
// TAboutForm: the small modal dialog with the logo and one block of text, painted from its
// control model. It is made once, hidden, and shown modally on each opening.

#include <windows.h>

#include <string>

#include "apps/tonedeck/application.h"
#include "apps/tonedeck/model_painter.h"
#include "panel/window/control_model.h"
#include "platform/win32/window_base.h"

namespace tonedeck {

class TAboutForm : public WindowBase {
  public:
    TAboutForm(Application& application, ModelPainter& painter)
        : application_(application), painter_(painter) {}
    ~TAboutForm() override { DestroyHandle(); }

    // Hidden, owned by `owner`.
    void Create(HWND owner);
    // Centred on `owner`, with this title; returns when the user has closed it. `model` must
    // stay unchanged while it shows.
    void ShowModal(HWND owner, const std::u16string& title, const ControlModel& model);
    bool Showing() const { return showing_; }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ReportException(const std::u16string& text) noexcept override;

  private:
    void Paint();
    void EndModal();

    Application& application_;
    ModelPainter& painter_;
    const ControlModel* model_ = nullptr;
    bool showing_ = false;
};

}  // namespace tonedeck
