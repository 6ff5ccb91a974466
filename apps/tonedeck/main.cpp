// Tonedeck: the control panel.

#include <windows.h>

#include "apps/tonedeck/control_panel_main.h"
#include "apps/tonedeck/win32_device_side.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The command line carries nothing for this program.
    tonedeck::Win32DeviceSide devices;
    return tonedeck::RunControlPanel(devices);
}
