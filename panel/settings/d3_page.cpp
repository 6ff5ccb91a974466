// The 3D page's knob rules and the drag step that writes both sides.

#include "panel/settings/d3_page.h"

#include <algorithm>

#include "panel/settings/settings_controller.h"

namespace tonedeck {

int D3ValueFromTop(int top, int sliderRange) {
    // A skin without a travel length has no scale; its knobs read as the ends they are nearest.
    if (sliderRange <= 0) return top <= kD3KnobTopMin ? kD3MaxValue : 0;
    return kD3MaxValue - ((top - kD3KnobTopMin) * kD3MaxValue) / sliderRange;
}

int D3TopFromValue(int value, int sliderRange) {
    return sliderRange - (value * sliderRange) / kD3MaxValue + kD3KnobTopMin;
}

D3KnobTops D3KnobTopsFor(const D3Block& block, int sliderRange) {
    D3KnobTops tops{};
    tops[kD3LeftBeta] = D3TopFromValue(block.leftBeta, sliderRange);
    tops[kD3LeftAlpha] = D3TopFromValue(block.leftAlpha, sliderRange);
    tops[kD3RightBeta] = D3TopFromValue(block.rightBeta, sliderRange);
    tops[kD3RightAlpha] = D3TopFromValue(block.rightAlpha, sliderRange);
    return tops;
}

int NextLinkMode(int mode) { return mode >= 2 || mode < 0 ? 0 : mode + 1; }

std::optional<int> LinkedPartnerTop(int mode, int top) {
    if (mode == 1) return top;
    if (mode == 2) return kD3MirrorSum - top;
    return std::nullopt;
}

D3Knob D3Partner(D3Knob knob) {
    switch (knob) {
        case kD3LeftBeta:
            return kD3RightBeta;
        case kD3RightBeta:
            return kD3LeftBeta;
        case kD3LeftAlpha:
            return kD3RightAlpha;
        default:
            return kD3LeftAlpha;
    }
}

bool IsAlphaKnob(D3Knob knob) { return knob == kD3LeftAlpha || knob == kD3RightAlpha; }

void SettingsController::Write3DBlockWithIdle() {
    const DeviceHandle handle = device_.Open();
    if (!handle) return;
    int result = kSettingsWriteOk;
    if (settings_.syncToDevice) result = device_.Write3DBlock(handle);
    device_.Finish(handle, result);
}

void SettingsController::Move3DKnob(D3Knob knob, int top, D3KnobTops& tops, int sliderRange) {
    top = std::clamp(top, kD3KnobTopMin, kD3KnobTopMax);
    tops[knob] = top;
    const int mode = IsAlphaKnob(knob) ? settings_.alphaLinkMode : settings_.betaLinkMode;
    if (const auto partner = LinkedPartnerTop(mode, top)) tops[D3Partner(knob)] = *partner;

    D3Block& d3 = settings_.d3;
    auto value = [&](D3Knob which) {
        return static_cast<uint8_t>(D3ValueFromTop(tops[which], sliderRange));
    };
    // Each side goes out on its own, so every step writes the block twice.
    d3.leftBeta = value(kD3LeftBeta);
    d3.leftAlpha = value(kD3LeftAlpha);
    Write3DBlockWithIdle();
    d3.rightBeta = value(kD3RightBeta);
    d3.rightAlpha = value(kD3RightAlpha);
    Write3DBlockWithIdle();
}

}  // namespace tonedeck
