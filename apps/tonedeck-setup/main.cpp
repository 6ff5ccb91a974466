// TonedeckSetup: the installer wizard.

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "apps/tonedeck-setup/background_window.h"
#include "apps/tonedeck-setup/install_worker.h"
#include "apps/tonedeck-setup/wizard_window.h"
#include "platform/win32/kernel32_lookup.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_device_tree.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_file_operations.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_io_control.h"
#include "platform/win32/win32_payloads.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_service_manager.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "setup/main_form.h"
#include "setup/setup_error.h"

namespace {

// DLLs load from the system folder only, so none planted beside the installer (a downloads
// folder) is picked up.
void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto restrict =
        tonedeck::LookupKernel32<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories");
    if (!restrict || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

int RunLoop(HWND wizard) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (wizard && IsWindow(wizard) && IsDialogMessageW(wizard, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RestrictDllSearch();
    using namespace tonedeck;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    Win32FileSystem files;
    Win32FileOperations fileOps;
    Win32ProfileStore profiles;
    Win32SystemInfo system;
    Win32Registry registry;
    Win32ServiceManager services;
    Win32Processes processes;
    Win32Payloads payloads;
    Win32Shell shell;
    Win32DeviceTree devices;
    Win32IoControl io;
    Win32Clock clock;
    const SetupPorts ports{files,     fileOps,  profiles, system,  registry, services,
                           processes, payloads, shell,    devices, io,       clock};
    const std::u16string programPath = ModuleFilePath();

    ThreadLauncher launcher;
    int exitCode = 0;
    try {
        TBackgroundForm backgroundForm(profiles, system, programPath, GetSystemMetrics(SM_CXSCREEN),
                                       GetSystemMetrics(SM_CYSCREEN));
        BackgroundWindow background;
        background.Create(backgroundForm.placement());
        WizardWindow wizard;
        wizard.Create(background.Handle());
        WindowReporter reporter(wizard.Handle());
        TMainForm form(ports, wizard, reporter, launcher, programPath, sizeof(void*) == 8);
        wizard.Attach(form, backgroundForm.placement().width, backgroundForm.placement().height);
        background.OnShowWizard([&wizard] { wizard.Show(); });

        background.Show();
        backgroundForm.FormShow(background);
        exitCode = RunLoop(wizard.Handle());
        // Cancel may end the program while a step runs: the worker still uses the form.
        if (launcher.Running()) ExitProcess(static_cast<UINT>(exitCode));
    } catch (const SetupError& error) {
        MessageBoxW(nullptr, ToWide(error.text()).c_str(), L"TonedeckSetup", MB_OK | MB_ICONERROR);
        exitCode = 1;
    } catch (...) {
        MessageBoxW(nullptr, ToWide(CurrentExceptionText()).c_str(), L"TonedeckSetup",
                    MB_OK | MB_ICONERROR);
        exitCode = 1;
    }
    return exitCode;
}
