// TonedeckSim: the control panel on a simulated sound device, for tests and demonstrations
// under Wine. "TonedeckSim.exe /unplug" and "/plug" tell a running copy to unplug or plug its
// device; the device's state is kept in "TonedeckSim.state.ini" next to the program, the place of
// every control of the main window in "TonedeckSim.window.ini".

#include <windows.h>

#include <string>

#include "apps/tonedeck-sim/sim_device_side.h"
#include "apps/tonedeck/control_panel_main.h"
#include "common/audio_config.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_system_info.h"

namespace {

std::wstring BesideProgram(const char16_t* name) {
    const std::u16string folder = tonedeck::SplitProgramPath(tonedeck::ModuleFilePath()).second;
    return tonedeck::ToWide(folder + name);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const std::wstring argument = commandLine ? commandLine : L"";
    if (argument == L"/plug" || argument == L"/unplug") {
        const UINT message = RegisterWindowMessageW(tonedeck::kSimPlugMessageName);
        PostMessageW(HWND_BROADCAST, message, argument == L"/plug" ? 1 : 0, 0);
        return 0;
    }
    tonedeck::SimDeviceSide devices(BesideProgram(u"TonedeckSim.state.ini"),
                                    BesideProgram(u"TonedeckSim.window.ini"));
    return tonedeck::RunControlPanel(devices);
}
