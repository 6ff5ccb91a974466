#pragma once
// Equalizer slider places and 12-bit band codes. The offset is the knob's `Top` minus
// `EqSliderTop`: 0 at the top of the travel (code 4095), `SliderRange` at the bottom (code 0).

#include <cstdint>

namespace tonedeck {

// The lower half of the travel is linear from 0 to 1024, the upper half spreads over 1024 to
// 4095. A travel of 0 pixels (no skin read yet) gives the reset code.
uint16_t BandCodeFromOffset(int offset, int sliderRange);
// The knob offset that shows `code`.
int OffsetFromBandCode(uint16_t code, int sliderRange);

}  // namespace tonedeck
