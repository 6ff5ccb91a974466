#pragma once
// Facts about the running Windows and the switches the programs flip on it.

#include <cstdint>
#include <optional>
#include <string>

namespace tonedeck {

// What GetVersionExW fills in, for one size of the version record.
struct OsVersionRecord {
    uint32_t platformId = 0;
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint16_t servicePackMajor = 0;
};

enum class KnownFolder { ProgramFiles, System, SystemX86 };

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // recordSize is 284 (extended) or 276 (basic); nullopt when the query fails.
    virtual std::optional<OsVersionRecord> QueryVersion(uint32_t recordSize) = 0;
    // nullopt when IsWow64Process is not exported by kernel32.
    virtual std::optional<bool> IsWow64() = 0;
    // The shell's folder path, created when `create` is set and it is missing; empty on failure.
    virtual std::u16string KnownFolderPath(KnownFolder folder, bool create) = 0;
    // GetSystemDirectoryW.
    virtual std::u16string SystemDirectory() = 0;
    // Wow64DisableWow64FsRedirection / Wow64RevertWow64FsRedirection looked up by name.
    // nullopt when the function is missing; otherwise its BOOL result.
    virtual std::optional<bool> DisableFsRedirection(void** previousState) = 0;
    virtual std::optional<bool> RevertFsRedirection(void* previousState) = 0;
    // nullopt when the variable is not set.
    virtual std::optional<std::u16string> Environment(const std::u16string& name) = 0;
    // One line to the debugger output (OutputDebugStringW).
    virtual void Trace(const std::u16string& line) = 0;
    // Logical pixels per inch of the screen, vertically.
    virtual int ScreenDpi() = 0;
};

}  // namespace tonedeck
