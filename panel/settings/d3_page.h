#pragma once
// The 3D page's knobs: their fixed travel, the value each place stands for, and the link modes
// that tie the left and right knobs together.

#include <array>
#include <optional>

#include "panel/settings/sound_settings.h"

namespace tonedeck {

// A 3D knob's `Top` runs between these page places whatever the skin says.
inline constexpr int kD3KnobTopMin = 105;
inline constexpr int kD3KnobTopMax = 225;
// The inverse link mirrors a place within the travel: 105 + 225.
inline constexpr int kD3MirrorSum = kD3KnobTopMin + kD3KnobTopMax;
inline constexpr int kD3MaxValue = 15;

// The knobs in tag order (34 to 37).
enum D3Knob : int { kD3LeftBeta, kD3LeftAlpha, kD3RightBeta, kD3RightAlpha, kD3KnobCount };
inline constexpr int kD3FirstKnobTag = 34;

// The knob's `Top` by `D3Knob`.
using D3KnobTops = std::array<int, kD3KnobCount>;

// 15 at the top of the travel, 0 at the bottom; `SliderRange` sets the scale.
int D3ValueFromTop(int top, int sliderRange);
int D3TopFromValue(int value, int sliderRange);
D3KnobTops D3KnobTopsFor(const D3Block& block, int sliderRange);

// -1 (never pressed) and 2 both lead to 0.
int NextLinkMode(int mode);
// The partner's `Top` when `top` moves under `mode`; nullopt leaves the partner where it is.
std::optional<int> LinkedPartnerTop(int mode, int top);
// The same knob on the other side.
D3Knob D3Partner(D3Knob knob);
bool IsAlphaKnob(D3Knob knob);

}  // namespace tonedeck
