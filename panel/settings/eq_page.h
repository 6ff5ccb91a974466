#pragma once
// The EQ page's knobs: where a drag or a bar press may put them and what their value labels say.

#include <cstdint>
#include <string>

namespace tonedeck {

// `EqSliderTop` and `SliderRange` of the current skin.
struct EqSliderGeometry {
    int sliderTop = 0;
    int sliderRange = 0;
};

// A knob's `Top` kept inside its travel, both ends included.
int ClampEqKnobTop(int top, const EqSliderGeometry& geometry);
// Where a press on a bar at page y `pointY` puts the knob: its middle on the point, clamped.
int EqKnobTopForBarPress(int pointY, int knobHeight, const EqSliderGeometry& geometry);
// A band code as its value label shows it: lower-case hexadecimal, no prefix.
std::u16string BandValueText(uint16_t code);

}  // namespace tonedeck
