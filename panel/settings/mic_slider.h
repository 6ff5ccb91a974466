#pragma once
// The microphone gain slider: `Top` runs from `MicSliderTop` (100 %) down to `MicSliderTop` +
// `SliderRange` (0 %).

#include "panel/window/skin_settings.h"

namespace tonedeck {

// ((MicSliderTop + SliderRange − top) × 100) / SliderRange; 0 for a skin without a range.
int MicPercentFromPlace(int top, const SkinLayout& layout);
// SliderRange + MicSliderTop − (percent × SliderRange) / 100.
int MicPlaceFromPercent(int percent, const SkinLayout& layout);
// `top` held to [MicSliderTop, MicSliderTop + SliderRange].
int ClampMicSliderTop(int top, const SkinLayout& layout);
// A press on the bar: the knob's middle at the pointer, clamped.
int MicBarPressTop(int pointerY, int sliderHeight, const SkinLayout& layout);

}  // namespace tonedeck
