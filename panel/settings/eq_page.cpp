// The EQ page's knob rules, and the band move they end in.

#include "panel/settings/eq_page.h"

#include <algorithm>
#include <cstdio>

#include "common/text.h"
#include "panel/settings/eq_codes.h"
#include "panel/settings/settings_controller.h"

namespace tonedeck {

int ClampEqKnobTop(int top, const EqSliderGeometry& geometry) {
    const int bottom = geometry.sliderTop + std::max(geometry.sliderRange, 0);
    return std::clamp(top, geometry.sliderTop, bottom);
}

int EqKnobTopForBarPress(int pointY, int knobHeight, const EqSliderGeometry& geometry) {
    return ClampEqKnobTop(pointY - knobHeight / 2, geometry);
}

std::u16string BandValueText(uint16_t code) {
    char text[8];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(code));
    return Utf8ToU16(text);
}

void SettingsController::MoveEqBand(int band, int offset, int sliderRange) {
    device_.WriteEqBand(band, BandCodeFromOffset(offset, sliderRange));
    StorePreset(settings_, settings_.currentPreset);
    ports_.view.ShowPreset(settings_.currentPreset);
}

}  // namespace tonedeck
