#include "panel/settings/mic_window_view.h"

#include <string>

#include "common/text.h"

namespace tonedeck {

void MicWindowView::ShowMicValue(int percent) {
    ControlModel& controls = window_.Controls();
    controls[controls.Get(u"MicValueLabel")].caption = Utf8ToU16(std::to_string(percent));
}

void MicWindowView::PlaceMicSlider(int top) {
    ControlModel& controls = window_.Controls();
    controls[controls.Get(u"MicSliderImage")].top = top;
}

void MicWindowView::SetLevelBarWidth(int32_t width) {
    ControlModel& controls = window_.Controls();
    controls[controls.Get(u"MicProgressImage")].width = width;
}

}  // namespace tonedeck
