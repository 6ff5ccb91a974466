#pragma once
// Windows-version class and the per-thread file-system redirection switch.

#include "platform/ports/system_info.h"

namespace tonedeck {

// 0 unknown, 1 Win95 (4.10), 2 NT 5.0, 3 ME (4.90), 4 NT 5.1, 6 NT 6.0 or later.
using OsClass = int;

inline constexpr uint32_t kVersionRecordExtended = 284;
inline constexpr uint32_t kVersionRecordBasic = 276;

OsClass GetOsClass(SystemInfo& system);
OsClass ClassifyVersion(const OsVersionRecord& version);

// Non-zero on success; 0 on failure or when the system lacks the function.
int DisableFsRedirection(SystemInfo& system, void** previousState);
int RevertFsRedirection(SystemInfo& system, void* previousState);

}  // namespace tonedeck
