#pragma once

#include "platform/ports/system_info.h"

namespace tonedeck {

class Win32SystemInfo : public SystemInfo {
public:
    std::optional<OsVersionRecord> QueryVersion(uint32_t recordSize) override;
    std::optional<bool> IsWow64() override;
    std::u16string KnownFolderPath(KnownFolder folder, bool create) override;
    std::u16string SystemDirectory() override;
    std::optional<bool> DisableFsRedirection(void** previousState) override;
    std::optional<bool> RevertFsRedirection(void* previousState) override;
    std::optional<std::u16string> Environment(const std::u16string& name) override;
    void Trace(const std::u16string& line) override;
    int ScreenDpi() override;
};

// Full path of the running program (no length limit).
std::u16string ModuleFilePath();

}  // namespace tonedeck
