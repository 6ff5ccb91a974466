// The start-up reset: the model to its start values and the first driver requests. No
// equalizer or 3D register is written here; the last profile does that.

#include "panel/settings/settings_controller.h"

namespace tonedeck {

void SettingsController::ResetSettings() {
    settings_.presets.FillDefault();
    settings_.eqBlock = kDefaultEqBlock;
    ports_.view.CenterEqSliders();
    settings_.eqEnable = false;

    // The last one shown is S4's record, which equals S1's.
    for (int preset = 1; preset <= kPresetCount; ++preset) {
        LoadPreset(settings_, preset);
        ports_.view.ShowPreset(preset);
    }

    settings_.d3Enable = false;
    settings_.d3 = D3Block{};

    settings_.currentEffect = kEffectNone;
    ports_.view.ShowEffect();

    SendStartRequests(RecomputeSpeakerMap());

    settings_.micBoost = false;
    settings_.micMute = false;
    ports_.mic.ClearLevelBar();
    ReadBackMicrophone();

    ResetSpeakers();
}

}  // namespace tonedeck
