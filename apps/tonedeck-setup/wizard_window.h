#pragma once
// The wizard's Win32 window: a 430 x 153 dialog-like window with three pages of standard
// controls. It shows what TMainForm decides and hands the controls' events to it.

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/window_base.h"
#include "setup/wizard_view.h"

namespace tonedeck {

class TMainForm;

class WizardWindow : public WindowBase, public WizardView {
  public:
    ~WizardWindow() override;

    // Created hidden, owned by the background window (which carries the taskbar button).
    void Create(HWND background);
    // The logic behind the window, and the background size its show event passes on.
    void Attach(TMainForm& form, int backgroundWidth, int backgroundHeight);
    // Shows the window; its show event runs the form's FormShow.
    void Show();

    // WizardView
    void LoadIcon(const std::u16string& iconPath) override;
    void SetAppTitle(const std::u16string& title) override;
    void SetTitle(const std::u16string& title) override;
    void SetCaption(WizardControl control, const std::u16string& caption) override;
    void SetVisible(WizardControl control, bool visible) override;
    void SetEnabled(WizardControl control, bool enabled) override;
    void SetLabelLook(WizardControl control, const LabelLook& look) override;
    void Check(WizardControl radio) override;
    void ShowPage(WizardPage page) override;
    void FocusNextButton() override;
    void SetLanguageItems(const std::vector<std::u16string>& displayNames) override;
    void SelectLanguage(int index) override;
    void SetProgress(int position) override;
    void ProcessPendingMessages() override;
    void PlaceBackground(int left, int top, int width, int height) override;
    void ShowError(const std::u16string& text) override;
    void PostQuit() override;
    void PostClose() override;
    void CloseMainWindow() override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    struct Control {
        HWND window = nullptr;
        int page = -1;  // -1: on every page
        bool wanted = true;
        bool autoSize = false;
        bool wordWrap = false;
        COLORREF color = CLR_INVALID;
        HFONT font = nullptr;  // own font of a restyled label
        int fixedWidth = 0;    // word-wrapped labels keep their width
    };

    HWND MakeChild(const wchar_t* className, const wchar_t* text, DWORD style, int id, int left,
                   int top, int width, int height, HFONT font);
    Control& At(WizardControl control);
    void UpdateVisibility(Control& control);
    void FitLabel(Control& control);
    void OnCommand(int id, int code);
    void ReleaseFonts();

    TMainForm* form_ = nullptr;
    HWND background_ = nullptr;
    int backgroundWidth_ = 0;
    int backgroundHeight_ = 0;
    int page_ = 0;
    std::array<Control, 11> controls_{};
    Control combo_;
    Control progress_;
    HFONT formFont_ = nullptr;
    HFONT labelFont_ = nullptr;
    HBRUSH face_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    std::u16string appTitle_;
};

}  // namespace tonedeck
