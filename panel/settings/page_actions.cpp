// The EQ and 3D buttons and the LED, model and device side; the window switches the pictures.

#include "panel/settings/settings_controller.h"

namespace tonedeck {

void SettingsController::ToggleEqEnable() {
    settings_.eqEnable = !settings_.eqEnable;
    device_.ApplyEqBypass(settings_.eqEnable);
    // 3D keeps the DSP running on its own.
    if (!settings_.d3Enable) device_.ApplyDspEnable(settings_.eqEnable);
    StorePreset(settings_, settings_.currentPreset);
}

void SettingsController::Toggle3DEnable() {
    settings_.d3Enable = !settings_.d3Enable;
    if (!settings_.eqEnable) device_.ApplyDspEnable(settings_.d3Enable);
    device_.Apply3DEnable(settings_.d3Enable);
    device_.Apply3DFlag(settings_.d3Enable);
}

void SettingsController::SelectPreset(int preset) {
    LoadPreset(settings_, preset);  // throws before anything changes for a bad number
    settings_.currentPreset = preset;
    LoadPresetToDevice(preset);
    ports_.view.ShowPreset(preset);
    // `EqEnable` and `D3Enable` are global: put them back into the loaded block.
    device_.ApplyEqBypass(settings_.eqEnable);
    device_.Apply3DFlag(settings_.d3Enable);
}

void SettingsController::ResetEqualizer() {
    settings_.eqBlock = kDefaultEqBlock;
    StorePreset(settings_, settings_.currentPreset);
    ports_.view.ShowPreset(settings_.currentPreset);

    const DeviceHandle handle = device_.Open();
    if (!handle) return;
    if (settings_.syncToDevice) {
        // The reset codes themselves, not codes read back from the knob places: an odd
        // `SliderRange` would turn the middle place into a code other than 1024.
        for (int band = 0; band < kBandCount; ++band) {
            if (device_.WriteEqBand(band, kDefaultEqBlock.bands[static_cast<std::size_t>(band)]) !=
                kSettingsWriteOk) {
                device_.Close(handle);
                return;
            }
        }
        if (device_.WriteEqBlock(handle) != kSettingsWriteOk) {
            device_.Close(handle);
            return;
        }
    }
    device_.Apply3DFlag(settings_.d3Enable);
    device_.Close(handle);
}

void SettingsController::Reset3D() {
    settings_.d3 = D3Block{};
    ports_.view.Show3DValues();
    const DeviceHandle handle = device_.Open();
    if (!handle) return;
    // This one write group goes without the idle report.
    if (settings_.syncToDevice) device_.Write3DBlock(handle);
    device_.Close(handle);
}

void SettingsController::ToggleFbm() {
    settings_.d3.fbm = !settings_.d3.fbm;
    ports_.view.Show3DValues();
    device_.ApplyFbm(settings_.d3.fbm);
}

void SettingsController::ToggleLed() {
    settings_.ledOn = !settings_.ledOn;
    ports_.view.ShowLed();
    device_.ApplyLed(settings_.ledOn);
}

}  // namespace tonedeck
