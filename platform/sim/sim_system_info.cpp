#include "platform/sim/sim_system_info.h"

#include "common/text.h"

namespace tonedeck {

namespace {
// The value the system hands out; opaque to callers, checked on the way back.
void* const kRedirectionCookie = reinterpret_cast<void*>(0x5151);
}  // namespace

SimSystemInfo::SimSystemInfo() {
    SetVersion(2, 6, 1, 7601);
    folders[KnownFolder::ProgramFiles] = u"C:\\Program Files";
    folders[KnownFolder::System] = u"C:\\Windows\\system32";
    folders[KnownFolder::SystemX86] = u"C:\\Windows\\SysWOW64";
    environment[u"APPDATA"] = u"C:\\Users\\user\\AppData\\Roaming";
    environment[u"USERPROFILE"] = u"C:\\Users\\user";
}

void SimSystemInfo::SetVersion(uint32_t platformId, uint32_t major, uint32_t minor,
                               uint32_t build) {
    OsVersionRecord record{platformId, major, minor, build, 0};
    versionAnswers = {{284, record}, {276, record}};
}

std::optional<OsVersionRecord> SimSystemInfo::QueryVersion(uint32_t recordSize) {
    auto found = versionAnswers.find(recordSize);
    if (found == versionAnswers.end()) return std::nullopt;
    return found->second;
}

std::u16string SimSystemInfo::KnownFolderPath(KnownFolder folder, bool create) {
    if (create) createdFolders.push_back(folder);
    auto found = folders.find(folder);
    return found == folders.end() ? std::u16string() : found->second;
}

std::u16string SimSystemInfo::SystemDirectory() {
    return redirectionDisabled_ ? systemDirectoryUnredirected : systemDirectory;
}

std::optional<bool> SimSystemInfo::DisableFsRedirection(void** previousState) {
    if (!hasRedirectionFunctions) return std::nullopt;
    ++disableCalls;
    if (!wow64.value_or(false)) return false;
    *previousState = kRedirectionCookie;
    redirectionDisabled_ = true;
    return true;
}

std::optional<bool> SimSystemInfo::RevertFsRedirection(void* previousState) {
    if (!hasRedirectionFunctions) return std::nullopt;
    ++revertCalls;
    if (previousState != kRedirectionCookie) return false;
    redirectionDisabled_ = false;
    return true;
}

std::optional<std::u16string> SimSystemInfo::Environment(const std::u16string& name) {
    for (const auto& [key, value] : environment) {
        if (EqualsIgnoreCase(key, name)) return value;
    }
    return std::nullopt;
}

}  // namespace tonedeck
