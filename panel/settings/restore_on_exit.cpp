// At exit the device and the driver go back to their neutral state; the user's settings were
// saved first and come back at the next start.

#include "panel/settings/register_map.h"
#include "panel/settings/settings_controller.h"

namespace tonedeck {

void SettingsController::RestoreDeviceOnExit() {
    ports_.profile.SaveLastProfile();

    ResetEqualizer();
    device_.ApplyEqBypass(false);
    device_.ApplyDspEnable(false);

    Reset3D();
    device_.ApplyFbm(true);
    device_.Apply3DFlag(false);
    device_.Apply3DEnable(false);

    if (const DeviceHandle handle = device_.Open()) {
        if (device_.hid().WriteRegister(handle, kRegDspControl, 0) == 0) {
            ports_.driver.SendRoomEffect(0);
            settings_.virtualEnable = false;
            ResetSpeakers();
            device_.Finish(handle, kSettingsWriteOk);
        } else {
            device_.Close(handle);
        }
    }
    ports_.presence.ClosePresenceHandle();
}

}  // namespace tonedeck
