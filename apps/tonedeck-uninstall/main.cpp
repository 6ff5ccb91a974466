// TonedeckUninstall: removes what TonedeckSetup installed. A program cannot delete its own
// file, so the installed copy hands the work to a copy of itself in the temporary folder,
// which removes the installed one and leaves itself to the next start of Windows.
//   TonedeckUninstall.exe [/Quiet]          asks, then starts the copy
//   <copy> /Stage "<installed path>" [/Quiet]  does the work

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>
#include <vector>

#include "common/audio_config.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_removal.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_service_manager.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_info.h"
#include "setup/uninstall.h"

namespace {

using namespace tonedeck;

struct Arguments {
    bool quiet = false;
    std::wstring stageOf;  // the installed uninstaller, when this is the working copy
};

Arguments ParseArguments() {
    Arguments parsed;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; arguments && i < count; ++i) {
        if (lstrcmpiW(arguments[i], L"/Quiet") == 0) parsed.quiet = true;
        if (lstrcmpiW(arguments[i], L"/Stage") == 0 && i + 1 < count)
            parsed.stageOf = arguments[++i];
    }
    LocalFree(arguments);
    return parsed;
}

std::wstring DisplayName(const std::u16string& installedPath) {
    Win32ProfileStore profiles;
    const std::u16string folder = SplitProgramPath(installedPath).second;
    const std::u16string name = profiles.GetString(folder + kAudioConfigFileName, u"Uninstall",
                                                   u"UninstallDisplayName", u"Tonedeck", 256);
    return ToWide(name);
}

// The working copy in the temporary folder, started; false when it could not be made.
bool StartWorkingCopy(const std::wstring& installed, bool quiet) {
    std::vector<wchar_t> temp(MAX_PATH + 1);
    const DWORD length = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
    if (length == 0 || length >= temp.size()) return false;
    const std::wstring copy = std::wstring(temp.data(), length) + L"TonedeckUninstall-" +
                              std::to_wstring(GetCurrentProcessId()) + L".exe";
    if (!CopyFileW(installed.c_str(), copy.c_str(), FALSE)) return false;
    std::wstring command =
        L"\"" + copy + L"\" /Stage \"" + installed + L"\"" + (quiet ? L" /Quiet" : L"");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        DeleteFileW(copy.c_str());
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

int Work(const std::wstring& installed, bool quiet) {
    Win32FileSystem files;
    Win32FileRemoval removal;
    Win32ProfileStore profiles;
    Win32SystemInfo system;
    Win32Registry registry;
    Win32ServiceManager services;
    Win32Processes processes;
    Win32Shell shell;
    Win32Clock clock;
    const UninstallPorts ports{files,    removal,   profiles, system, registry,
                               services, processes, shell,    clock};
    const std::u16string installedPath = FromWide(installed);
    const std::wstring title = DisplayName(installedPath);
    const UninstallOutcome outcome = RunUninstall(ports, installedPath, sizeof(void*) == 8);

    const std::u16string self = ModuleFilePath();
    if (self != installedPath) removal.RemoveAtReboot(self);

    std::wstring text;
    UINT icon = MB_ICONINFORMATION;
    switch (outcome.result) {
        case UninstallResult::kRemoved:
            text = title + L" was removed from this computer.";
            break;
        case UninstallResult::kRemovedAtReboot:
            text = title +
                   L" was removed. Some files are still in use; they go when Windows "
                   L"restarts.";
            break;
        case UninstallResult::kIncomplete:
            text = title + L" was removed, but some files could not be deleted.";
            icon = MB_ICONWARNING;
            break;
        case UninstallResult::kNotInstalled:
            text = L"No installation was found beside this program; nothing was removed.";
            icon = MB_ICONWARNING;
            break;
    }
    if (!quiet) MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | icon);
    return static_cast<int>(outcome.result);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const Arguments arguments = ParseArguments();
    if (!arguments.stageOf.empty()) return Work(arguments.stageOf, arguments.quiet);

    const std::wstring installed = ToWide(ModuleFilePath());
    const std::wstring title = DisplayName(FromWide(installed));
    if (!arguments.quiet) {
        const std::wstring question = L"Remove " + title +
                                      L" and all of its parts from this computer?\n\nYour own "
                                      L"sound profiles and settings stay.";
        if (MessageBoxW(nullptr, question.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION) !=
            IDYES) {
            return 0;
        }
    }
    if (StartWorkingCopy(installed, arguments.quiet)) return 0;
    // No copy could be made: work in place; this program's own file goes at the next start.
    return Work(installed, arguments.quiet);
}
