#pragma once
// The Mic page's controls as the microphone logic changes them.

#include <cstdint>

#include "panel/window/skin_settings.h"

namespace tonedeck {

inline constexpr int kMicBoostTag = 21;
inline constexpr int kMicMuteTag = 22;

class MicView {
  public:
    virtual ~MicView() = default;
    // `MicSliderTop`, `SliderRange` and `MicMeterLength` of the current skin.
    virtual const SkinLayout& Layout() const = 0;
    // `MicValueLabel` with "%d" of the percent.
    virtual void ShowMicValue(int percent) = 0;
    // `MicSliderImage`'s `Top`.
    virtual void PlaceMicSlider(int top) = 0;
    // A switch (tag 21 or 22) shown pressed or released, picture and label colour.
    virtual void ShowMicSwitch(int tag, bool on) = 0;
    // `MicProgressImage`'s width.
    virtual void SetLevelBarWidth(int32_t width) = 0;
};

}  // namespace tonedeck
