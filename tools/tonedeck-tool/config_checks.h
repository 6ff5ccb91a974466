#pragma once
// The parts of check-config, each reporting into one CheckReport.

#include <cstdint>
#include <string>
#include <vector>

#include "common/ini_mgr.h"
#include "platform/ports/file_system.h"
#include "platform/ports/profile_store.h"
#include "tools/tonedeck-tool/check_report.h"

namespace tonedeck::tool {

// Whether both readers of the programs (the INI model and the private-profile functions) see
// the same text. `ini` has just loaded the file with result `loadCode`.
void CheckFileText(const std::vector<uint8_t>& bytes, const CIniMgr& ini, int loadCode,
                   CheckReport& report);

// Loads one device-ID group as the programs do and reports every entry.
void CheckGroup(FileSystem& files, const std::u16string& path, const std::u16string& section,
                const CIniMgr& ini, CheckReport& report);

// Reports the keys the shipped file must carry that are missing or empty.
void CheckKeys(ProfileStore& profiles, const std::u16string& path, const CIniMgr& ini,
               CheckReport& report);

}  // namespace tonedeck::tool
