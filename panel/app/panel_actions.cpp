// The window's buttons, tabs, bars and drags, turned into the settings pages' actions.

#include "panel/app/panel_controller.h"
#include "panel/settings/d3_page.h"
#include "panel/settings/eq_page.h"
#include "panel/settings/mic_slider.h"

namespace tonedeck {

namespace {

constexpr int kFirstEqKnobTag = 29;
constexpr int kFirstEqBarTag = 129;
constexpr int kFirstSpeakerTag = 39;

bool InRange(int value, int first, int last) { return value >= first && value <= last; }

}  // namespace

PanelState PanelController::State() const {
    PanelState state;
    state.devicePresent = settings_.devicePresent;
    state.syncToDevice = settings_.syncToDevice;
    state.ledOn = settings_.ledOn;
    state.eqEnable = settings_.eqEnable;
    state.d3Enable = settings_.d3Enable;
    state.fbm = settings_.d3.fbm;
    state.micBoost = settings_.micBoost;
    state.micMute = settings_.micMute;
    state.virtualEnable = settings_.virtualEnable;
    state.rotateClockwise = settings_.rotateClockwise;
    state.rotateCounterclockwise = settings_.rotateCounterclockwise;
    state.currentPreset = settings_.currentPreset;
    state.currentEffect = settings_.currentEffect;
    state.alphaLinkMode = settings_.alphaLinkMode;
    state.betaLinkMode = settings_.betaLinkMode;
    state.micGain = settings_.micGain;
    return state;
}

void PanelController::SetSwitch(int tag, bool on) {
    switch (tag) {
        case 7:
            if (on != settings_.eqEnable) controller_.ToggleEqEnable();
            break;
        case 8:
            if (on != settings_.d3Enable) controller_.Toggle3DEnable();
            break;
        case 13:
            if (on != settings_.d3.fbm) controller_.ToggleFbm();
            break;
        case 21:
            settings_.micBoost = on;
            mic_.SetBoost(on);
            break;
        case 22:
            settings_.micMute = on;
            mic_.SetMute(on);
            break;
        case 47:
            if (on != settings_.virtualEnable) controller_.ToggleVirtualEnable();
            break;
        case 49:
            settings_.rotateClockwise = on;
            break;
        case 50:
            settings_.rotateCounterclockwise = on;
            break;
        case 51:
            if (on != settings_.ledOn) controller_.ToggleLed();
            break;
        default:
            break;
    }
}

void PanelController::SelectPreset(int preset) { controller_.SelectPreset(preset); }

void PanelController::SelectEffect(int effect) { controller_.SelectEffect(effect); }

void PanelController::SetLinkMode(int tag, int mode) {
    (tag == 14 ? settings_.alphaLinkMode : settings_.betaLinkMode) = mode;
}

void PanelController::SetSyncToDevice(bool on, int page) {
    controller_.SetSyncToDevice(on, static_cast<SettingsPage>(page));
}

void PanelController::ResetClicked(int tag) {
    switch (tag) {
        case 5:
            controller_.ResetEqualizer();
            break;
        case 6:
            controller_.Reset3D();
            break;
        case 48:
            controller_.ResetSpeakers();
            break;
        default:
            break;
    }
}

void PanelController::PageShown(int page) {
    controller_.PageShown(static_cast<SettingsPage>(page));
}

void PanelController::StartLevelCapture() { mic_.StartLevelCapture(); }

void PanelController::StopLevelCapture() { mic_.StopLevelCapture(); }

void PanelController::BarPressed(int page, ControlId bar, Point pointInPage) {
    const int tag = window_.Controls()[bar].tag;
    if (page == 0 && InRange(tag, kFirstEqBarTag, kFirstEqBarTag + kBandCount - 1)) {
        const int band = tag - kFirstEqBarTag;
        const Control& knob =
            window_.Controls()[*window_.Controls().LastImageWithTag(kFirstEqKnobTag + band)];
        MoveEqKnob(band, pointInPage.y - knob.height / 2);
    } else if (page == 3 && tag == 138) {
        const Control& knob = window_.Controls()[window_.Controls().Get(u"MicSliderImage")];
        mic_.ApplyGainPlace(settings_,
                            MicBarPressTop(pointInPage.y, knob.height, window_.Layout()));
    }
}

void PanelController::DragMoved(int page, ControlId control, int left, int top) {
    ControlModel& controls = window_.Controls();
    const int tag = controls[control].tag;
    switch (page) {
        case 0:
            if (InRange(tag, kFirstEqKnobTag, kFirstEqKnobTag + kBandCount - 1)) {
                MoveEqKnob(tag - kFirstEqKnobTag, top);
            }
            break;
        case 1: {
            if (!InRange(tag, kD3FirstKnobTag, kD3FirstKnobTag + kD3KnobCount - 1)) break;
            D3KnobTops tops{};
            for (int knob = 0; knob < kD3KnobCount; ++knob) {
                tops[static_cast<std::size_t>(knob)] =
                    controls[*controls.LastImageWithTag(kD3FirstKnobTag + knob)].top;
            }
            controller_.Move3DKnob(static_cast<D3Knob>(tag - kD3FirstKnobTag), top, tops,
                                   window_.Layout().SliderRange);
            Show3DValues();
            // The knobs stay where the drag put them, between the places the values stand for.
            for (int knob = 0; knob < kD3KnobCount; ++knob) {
                controls[*controls.LastImageWithTag(kD3FirstKnobTag + knob)].top =
                    tops[static_cast<std::size_t>(knob)];
            }
            break;
        }
        case 3:
            if (tag == 38) mic_.ApplyGainPlace(settings_, ClampMicSliderTop(top, window_.Layout()));
            break;
        case 4: {
            // Only the speakers move; the field's buttons and background stay put.
            if (!InRange(tag, kFirstSpeakerTag, kFirstSpeakerTag + kSpeakerCount - 1)) break;
            const Control& picture = controls[controls.Get(u"VirtualPicImage")];
            const Control& speaker = controls[control];
            controller_.DragSpeaker(tag - kFirstSpeakerTag, {left, top}, speaker.width,
                                    speaker.height,
                                    {picture.left, picture.top, picture.width, picture.height});
            break;
        }
        default:
            break;
    }
}

void PanelController::RescaleSpeakers(double factor) { controller_.RescaleSpeakers(factor); }

}  // namespace tonedeck
