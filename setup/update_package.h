#pragma once
// The Windows update prerequisite: is a package installed, and run a file through the shell.

#include <cstdint>
#include <string>

#include "platform/ports/clock.h"
#include "platform/ports/processes.h"
#include "platform/ports/registry.h"

namespace tonedeck {

inline constexpr char16_t kPackagesKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Component Based Servicing\\Packages";
inline constexpr char16_t kUpdateName[] = u"KB3033929";
inline constexpr char16_t kUpdatePackageFileName[] = u"Windows6.1-KB3033929-x64.msu";

// True when a subkey of the packages key (64-bit view) begins with "Package_for_<name>~",
// letter case included.
bool IsUpdatePackageInstalled(Registry& registry, const std::u16string& name);

// Opens `file` through the shell. Below 0 waits for the started process to end; 0 does not
// wait; above 0 keeps the thread's messages flowing that long. 1 when it could not be started.
int RunAndWait(Processes& processes, Clock& clock, const std::u16string& file, int32_t waitMs);

}  // namespace tonedeck
