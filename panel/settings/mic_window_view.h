#pragma once
// The Mic page's controls in the main window's model.

#include "panel/settings/mic_view.h"
#include "panel/window/main_window.h"

namespace tonedeck {

class MicWindowView : public MicView {
  public:
    explicit MicWindowView(MainWindow& window) : window_(window) {}

    const SkinLayout& Layout() const override { return window_.Layout(); }
    void ShowMicValue(int percent) override;
    void PlaceMicSlider(int top) override;
    void ShowMicSwitch(int tag, bool on) override { window_.ShowSwitchState(tag, on); }
    void SetLevelBarWidth(int32_t width) override;

  private:
    MainWindow& window_;
};

}  // namespace tonedeck
