#pragma once
// What the installer tells Windows: the published device-ID groups, the Run value, the
// uninstall entry and the Start-menu shortcuts.

#include <string>

#include "common/device_id_mgr.h"
#include "platform/ports/file_system.h"
#include "platform/ports/registry.h"
#include "platform/ports/shell.h"
#include "platform/ports/system_info.h"

namespace tonedeck {

inline constexpr char16_t kRunKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char16_t kUninstallKey[] =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\HVN16xxAudioExt";
inline constexpr char16_t kUsbGroupName[] = u"HVN USB DeviceId Group";
inline constexpr char16_t kHidGroupName[] = u"HVN HID DeviceId Group";

struct UninstallData {
    std::u16string displayName;
    std::u16string uninstallString;  // the uninstaller's path, quoted
    std::u16string displayIcon;      // the same
    std::u16string displayVersion;
    std::u16string publisher;
};

// Publishes the accepted entries as values "1", "2", ... of HKLM "SOFTWARE\<group>", each
// "pattern,code". Always 0.
int ExportDeviceIdGroup(Registry& registry, const CDeviceIdMgr& matcher,
                        const std::u16string& group);

// 0 when the Run value was written, 1 when the key could not be made or the value not written.
int SetRunAtLogon(Registry& registry, const std::u16string& valueName,
                  const std::u16string& command);

// True when the uninstall key was opened or created.
bool WriteUninstallEntry(Registry& registry, const UninstallData& data);

// A shortcut `name`.lnk to `target` in the all-users programs folder + `folder`. Best effort.
void CreateShortcut(Shell& shell, FileSystem& files, SystemInfo& system,
                    const std::u16string& folder, const std::u16string& target,
                    const std::u16string& name);

}  // namespace tonedeck
