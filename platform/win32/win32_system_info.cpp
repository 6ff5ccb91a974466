#include "platform/win32/win32_system_info.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/kernel32_lookup.h"
#include "platform/win32/wide.h"

namespace tonedeck {

std::optional<OsVersionRecord> Win32SystemInfo::QueryVersion(uint32_t recordSize) {
    OSVERSIONINFOEXW info{};
    if (recordSize > sizeof(info)) return std::nullopt;
    info.dwOSVersionInfoSize = recordSize;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    // The classification needs what the program is told, manifest and compatibility mode included.
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return std::nullopt;
#pragma GCC diagnostic pop
    OsVersionRecord record;
    record.platformId = info.dwPlatformId;
    record.majorVersion = info.dwMajorVersion;
    record.minorVersion = info.dwMinorVersion;
    record.buildNumber = info.dwBuildNumber;
    if (recordSize == sizeof(OSVERSIONINFOEXW)) record.servicePackMajor = info.wServicePackMajor;
    return record;
}

std::optional<bool> Win32SystemInfo::IsWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64Process = LookupKernel32<IsWow64ProcessFn>("IsWow64Process");
    if (!isWow64Process) return std::nullopt;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64)) return false;
    return wow64 != FALSE;
}

std::u16string Win32SystemInfo::KnownFolderPath(KnownFolder folder, bool create) {
    int csidl = folder == KnownFolder::ProgramFiles ? CSIDL_PROGRAM_FILES
                : folder == KnownFolder::System     ? CSIDL_SYSTEM
                                                    : CSIDL_SYSTEMX86;
    if (create) csidl |= CSIDL_FLAG_CREATE;
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return FromWide(path);
}

std::u16string Win32SystemInfo::SystemDirectory() {
    UINT needed = GetSystemDirectoryW(nullptr, 0);
    if (needed == 0) return {};
    std::vector<wchar_t> path(needed);
    UINT written = GetSystemDirectoryW(path.data(), needed);
    if (written == 0 || written >= needed) return {};
    return FromWide(std::wstring_view(path.data(), written));
}

std::optional<bool> Win32SystemInfo::DisableFsRedirection(void** previousState) {
    using DisableFn = BOOL(WINAPI*)(PVOID*);
    auto disable = LookupKernel32<DisableFn>("Wow64DisableWow64FsRedirection");
    if (!disable) return std::nullopt;
    return disable(previousState) != FALSE;
}

std::optional<bool> Win32SystemInfo::RevertFsRedirection(void* previousState) {
    using RevertFn = BOOL(WINAPI*)(PVOID);
    auto revert = LookupKernel32<RevertFn>("Wow64RevertWow64FsRedirection");
    if (!revert) return std::nullopt;
    return revert(previousState) != FALSE;
}

std::optional<std::u16string> Win32SystemInfo::Environment(const std::u16string& name) {
    std::wstring wideName = ToWide(name);
    DWORD needed = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (needed == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::u16string();
    }
    std::vector<wchar_t> value(needed);
    DWORD written = GetEnvironmentVariableW(wideName.c_str(), value.data(), needed);
    if (written >= needed) return std::nullopt;
    return FromWide(std::wstring_view(value.data(), written));
}

void Win32SystemInfo::Trace(const std::u16string& line) {
    OutputDebugStringW(ToWide(line).c_str());
}

std::u16string ModuleFilePath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD written = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (written == 0) return {};
        if (written < path.size()) return FromWide(std::wstring_view(path.data(), written));
        path.resize(path.size() * 2);
    }
}

int Win32SystemInfo::ScreenDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 96;
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace tonedeck
