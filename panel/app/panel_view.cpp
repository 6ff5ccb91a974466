// The settings shown in the window model: knobs, value labels, switches, speakers.

#include "common/text.h"
#include "panel/app/panel_controller.h"
#include "panel/settings/d3_page.h"
#include "panel/settings/eq_codes.h"
#include "panel/settings/eq_page.h"

namespace tonedeck {

namespace {

constexpr std::u16string_view kEqKnobs[kBandCount] = {
    u"EQ60HzSliderImage", u"EQ300HzSliderImage", u"EQ1200HzSliderImage", u"EQ3600HzSliderImage",
    u"EQ12000HzSliderImage"};
constexpr std::u16string_view kEqValueLabels[kBandCount] = {
    u"EQ60HzValueLabel", u"EQ300HzValueLabel", u"EQ1200HzValueLabel", u"EQ3600HzValueLabel",
    u"EQ12000HzValueLabel"};
constexpr std::u16string_view kD3Knobs[kD3KnobCount] = {
    u"D3LBetaSliderImage", u"D3LAlphaSliderImage", u"D3RBetaSliderImage", u"D3RAlphaSliderImage"};
constexpr std::u16string_view kD3ValueLabels[kD3KnobCount] = {
    u"D3LBetaValueLabel", u"D3LAlphaValueLabel", u"D3RBetaValueLabel", u"D3RAlphaValueLabel"};
constexpr std::u16string_view kSpeakerImages[kSpeakerCount] = {
    u"VirtualLImage",  u"VirtualRImage",  u"VirtualCImage",  u"VirtualSUBImage",
    u"VirtualLSImage", u"VirtualRSImage", u"VirtualLBImage", u"VirtualRBImage"};

constexpr int kEqEnableTag = 7;
constexpr int k3DEnableTag = 8;
constexpr int kFbmTag = 13;
constexpr int kVirtualEnableTag = 47;
constexpr int kLedTag = 51;

}  // namespace

SettingsPage PanelController::ShowingPage() const {
    return static_cast<SettingsPage>(window_.CurrentPage());
}

SpeakerField PanelController::SpeakerFieldLayout() const {
    const SkinLayout& layout = window_.Layout();
    return {layout.SpeakerCenterX, layout.SpeakerCenterY, layout.SpeakerRadius};
}

void PanelController::CenterEqSliders() {
    const SkinLayout& layout = window_.Layout();
    for (auto& preset : eqOffsets_) preset.fill(layout.SliderRange / 2);
    for (auto knob : kEqKnobs) At(knob).top = layout.EqSliderTop + layout.SliderRange / 2;
}

void PanelController::ShowPreset(int preset) {
    const SkinLayout& layout = window_.Layout();
    for (std::size_t band = 0; band < kBandCount; ++band) {
        const uint16_t code = settings_.eqBlock.bands[band];
        const int offset = OffsetFromBandCode(code, layout.SliderRange);
        if (preset >= 1 && preset <= kPresetCount) {
            eqOffsets_[static_cast<std::size_t>(preset - 1)][band] = offset;
        }
        At(kEqKnobs[band]).top = layout.EqSliderTop + offset;
        At(kEqValueLabels[band]).caption = BandValueText(code);
    }
    window_.ShowSwitchState(kEqEnableTag, settings_.eqEnable);
}

void PanelController::Show3DValues() {
    const D3KnobTops tops = D3KnobTopsFor(settings_.d3, window_.Layout().SliderRange);
    const D3Block& d3 = settings_.d3;
    const int values[kD3KnobCount] = {d3.leftBeta, d3.leftAlpha, d3.rightBeta, d3.rightAlpha};
    for (std::size_t knob = 0; knob < kD3KnobCount; ++knob) {
        At(kD3Knobs[knob]).top = tops[knob];
        At(kD3ValueLabels[knob]).caption = DecimalText(values[knob]);
    }
    window_.ShowSwitchState(kFbmTag, d3.fbm);
    window_.ShowSwitchState(k3DEnableTag, settings_.d3Enable);
}

void PanelController::ShowEffect() { window_.ShowEffectSelection(settings_.currentEffect); }

void PanelController::ShowSpeakers() {
    for (std::size_t i = 0; i < kSpeakerCount; ++i) {
        Control& image = At(kSpeakerImages[i]);
        image.left = settings_.speakerPlaces[i].left;
        image.top = settings_.speakerPlaces[i].top;
    }
    window_.ShowSwitchState(kVirtualEnableTag, settings_.virtualEnable);
}

void PanelController::ShowLed() { window_.ShowSwitchState(kLedTag, settings_.ledOn); }

void PanelController::ShowDeviceLabel(bool active) { window_.ApplyDeviceLabel(active); }

void PanelController::ShowNoDeviceWarning() {
    ports_.host.ShowWarning(window_.Language().Entry(u"LabelWarning").caption);
}

// ---- knob moves that start in the window ----

void PanelController::MoveEqKnob(int band, int top) {
    const SkinLayout& layout = window_.Layout();
    const EqSliderGeometry geometry{layout.EqSliderTop, layout.SliderRange};
    top = ClampEqKnobTop(top, geometry);
    const int offset = top - layout.EqSliderTop;
    eqOffsets_[static_cast<std::size_t>(settings_.currentPreset - 1)]
              [static_cast<std::size_t>(band)] = offset;
    controller_.MoveEqBand(band, offset, layout.SliderRange);
}

void PanelController::PlaceEqSliders() { ShowPreset(settings_.currentPreset); }

}  // namespace tonedeck
