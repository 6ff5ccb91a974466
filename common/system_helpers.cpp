#include "common/system_helpers.h"

namespace tonedeck {

namespace {
constexpr uint32_t kPlatformWindows9x = 1;
constexpr uint32_t kPlatformWindowsNt = 2;
}  // namespace

OsClass ClassifyVersion(const OsVersionRecord& version) {
    const uint32_t major = version.majorVersion;
    const uint32_t minor = version.minorVersion;
    if (version.platformId == kPlatformWindows9x) {
        if (major == 4 && minor == 10) return 1;
        if (major == 4 && minor == 90) return 3;
        return 0;
    }
    if (version.platformId == kPlatformWindowsNt) {
        if (major == 5 && minor == 0) return 2;
        if (major == 5 && minor == 1) return 4;
        if (major > 5) return 6;
        return 0;
    }
    return 0;
}

OsClass GetOsClass(SystemInfo& system) {
    auto version = system.QueryVersion(kVersionRecordExtended);
    if (!version) version = system.QueryVersion(kVersionRecordBasic);
    return version ? ClassifyVersion(*version) : 0;
}

int DisableFsRedirection(SystemInfo& system, void** previousState) {
    auto result = system.DisableFsRedirection(previousState);
    return result.value_or(false) ? 1 : 0;
}

int RevertFsRedirection(SystemInfo& system, void* previousState) {
    auto result = system.RevertFsRedirection(previousState);
    return result.value_or(false) ? 1 : 0;
}

}  // namespace tonedeck
