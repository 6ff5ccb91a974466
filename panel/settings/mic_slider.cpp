#include "panel/settings/mic_slider.h"

#include <algorithm>

namespace tonedeck {

int MicPercentFromPlace(int top, const SkinLayout& layout) {
    if (layout.SliderRange <= 0) return 0;
    return ((layout.MicSliderTop + layout.SliderRange - top) * 100) / layout.SliderRange;
}

int MicPlaceFromPercent(int percent, const SkinLayout& layout) {
    return layout.SliderRange + layout.MicSliderTop - (percent * layout.SliderRange) / 100;
}

int ClampMicSliderTop(int top, const SkinLayout& layout) {
    const int low = layout.MicSliderTop;
    const int high = layout.MicSliderTop + std::max(layout.SliderRange, 0);
    return std::clamp(top, low, high);
}

int MicBarPressTop(int pointerY, int sliderHeight, const SkinLayout& layout) {
    return ClampMicSliderTop(pointerY - sliderHeight / 2, layout);
}

}  // namespace tonedeck
