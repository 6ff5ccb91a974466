#include "setup/registration.h"

#include <string>

#include "common/text.h"
#include "setup/payload_files.h"

namespace tonedeck {

namespace {

bool SetText(Registry& registry, RegistryKey key, const std::u16string& name,
             const std::u16string& text) {
    return registry.SetValue(key, name, RegistryType::kSz, RegistryStringBytes(text));
}

}  // namespace

int ExportDeviceIdGroup(Registry& registry, const CDeviceIdMgr& matcher,
                        const std::u16string& group) {
    const RegistryKey key =
        registry.CreateKey(RegistryRoot::kLocalMachine, u"SOFTWARE\\" + group, kKeyAllAccess, u"");
    if (!key) return 0;
    std::size_t position = 1;
    for (const auto& [pattern, code] : matcher.accepted()) {
        SetText(registry, key, DecimalText(static_cast<long long>(position++)),
                pattern + u"," + code);
    }
    registry.CloseKey(key);
    return 0;
}

int SetRunAtLogon(Registry& registry, const std::u16string& valueName,
                  const std::u16string& command) {
    const RegistryKey key = registry.CreateKey(RegistryRoot::kLocalMachine, kRunKey,
                                               kKeyRead | kKeySetValue | kKeyCreateSubKey, u"");
    if (!key) return 1;
    // A Run value that did not land would leave the panel off at every logon unnoticed.
    const bool written = SetText(registry, key, valueName, command);
    registry.CloseKey(key);
    return written ? 0 : 1;
}

bool WriteUninstallEntry(Registry& registry, const UninstallData& data) {
    RegistryKey key = registry.OpenKey(RegistryRoot::kLocalMachine, kUninstallKey, kKeyAllAccess);
    if (!key) {
        key = registry.CreateKey(RegistryRoot::kLocalMachine, kUninstallKey, kKeyAllAccess, u"");
    }
    if (!key) return false;
    SetText(registry, key, u"DisplayName", data.displayName);
    SetText(registry, key, u"UninstallString", data.uninstallString);
    SetText(registry, key, u"DisplayIcon", data.displayIcon);
    SetText(registry, key, u"DisplayVersion", data.displayVersion);
    SetText(registry, key, u"Publisher", data.publisher);
    registry.CloseKey(key);
    return true;
}

void CreateShortcut(Shell& shell, FileSystem& files, SystemInfo& system,
                    const std::u16string& folder, const std::u16string& target,
                    const std::u16string& name) {
    const std::u16string programs = shell.CommonProgramsFolder();
    if (programs.empty()) {
        system.Trace(u"***** TMainForm::CreateShortcut: no programs folder *****\n");
        return;
    }
    const std::u16string linkFolder = folder.empty() ? programs : JoinPath(programs, folder);
    files.CreateFolder(linkFolder);
    shell.CreateShortcut(JoinPath(linkFolder, name + u".lnk"), target);
}

}  // namespace tonedeck
