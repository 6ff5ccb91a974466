#pragma once
// A scripted Windows: version answers, WOW64, folders, environment and captured trace lines.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports/system_info.h"

namespace tonedeck {

class SimSystemInfo : public SystemInfo {
public:
    // Windows 7 SP1, 32-bit, with the usual folders.
    SimSystemInfo();

    std::optional<OsVersionRecord> QueryVersion(uint32_t recordSize) override;
    std::optional<bool> IsWow64() override { return wow64; }
    std::u16string KnownFolderPath(KnownFolder folder, bool create) override;
    std::u16string SystemDirectory() override;
    std::optional<bool> DisableFsRedirection(void** previousState) override;
    std::optional<bool> RevertFsRedirection(void* previousState) override;
    std::optional<std::u16string> Environment(const std::u16string& name) override;
    void Trace(const std::u16string& line) override { traceLines.push_back(line); }
    int ScreenDpi() override { return screenDpi; }

    // Answers per record size; a missing size fails the query.
    std::map<uint32_t, OsVersionRecord> versionAnswers;
    std::optional<bool> wow64 = false;
    bool hasRedirectionFunctions = true;
    std::map<KnownFolder, std::u16string> folders;
    std::vector<KnownFolder> createdFolders;
    std::u16string systemDirectory = u"C:\\Windows\\system32";
    // What GetSystemDirectoryW says while redirection is off (a 32-bit program sees the same
    // text either way; tests use a different one to see the switch happen).
    std::u16string systemDirectoryUnredirected = u"C:\\Windows\\system32";
    std::map<std::u16string, std::u16string> environment;
    std::vector<std::u16string> traceLines;
    int screenDpi = 96;

    bool redirectionDisabled() const { return redirectionDisabled_; }
    int disableCalls = 0;
    int revertCalls = 0;

    void SetVersion(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build = 0);

private:
    bool redirectionDisabled_ = false;
};

}  // namespace tonedeck
