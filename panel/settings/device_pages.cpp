// What the page tabs, the hidden sync toggle and the preset loads send to the device.

#include "panel/settings/settings_controller.h"

namespace tonedeck {

void SettingsController::LoadPresetToDevice(int preset) {
    LoadPreset(settings_, preset);
    const DeviceHandle handle = device_.Open();
    if (!handle) return;
    int result = kSettingsWriteOk;
    if (settings_.syncToDevice && !settings_.savingProfile) result = device_.WriteEqBlock(handle);
    device_.Finish(handle, result);
}

void SettingsController::PageShown(SettingsPage page) {
    if (page == SettingsPage::kEq || page == SettingsPage::k3D) {
        device_.ApplyDspEnable(settings_.eqEnable);
    }
    if (page == SettingsPage::k3D) device_.Apply3DEnable(settings_.d3Enable);
}

void SettingsController::SetSyncToDevice(bool on, SettingsPage page) {
    settings_.syncToDevice = on;
    device_.ApplyDspEnable(settings_.eqEnable);
    if (page == SettingsPage::k3D) device_.Apply3DEnable(settings_.d3Enable);
}

}  // namespace tonedeck
