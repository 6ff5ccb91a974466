#pragma once
// The filter driver's service key, and the walk over the devices the installer looks after:
// stale filter entries removed, devices restarted, the first present one found.

#include <cstdint>
#include <string>

#include "common/device_id_mgr.h"
#include "platform/ports/device_tree.h"
#include "platform/ports/guid.h"
#include "platform/ports/registry.h"

namespace tonedeck {

inline constexpr char16_t kFilterDriverName[] = u"Tonegate";
inline constexpr char16_t kDriverServicesKey[] = u"SYSTEM\\CurrentControlSet\\Services\\";
// The media class; the lists are taken across all classes, so it does not narrow them.
inline constexpr Guid kMediaClassGuid{
    0x745A17A0, 0x74D3, 0x11D0, {0xB6, 0xFE, 0x00, 0xA0, 0xC9, 0x0F, 0x57, 0xDA}};
inline constexpr char16_t kExtensionHardwareIdPattern[] = u"USB\\VID_0C76&PID_16XX&REV_0100&MI_03";

// Which devices the operations touch: a device qualifies when the first string of its hardware
// IDs is as long as the pattern and the matcher accepts it.
struct DeviceSelection {
    Guid classGuid;
    std::u16string pattern;
    const CDeviceIdMgr& matcher;
};

// 0 when the key was created or opened and its four values written, 1 otherwise.
int CreateDriverServiceKey(Registry& registry, const std::u16string& driverName);

// 0, or 1 when the device list could not be taken. Non-present devices are included.
int RemoveFilterFromDevices(DeviceTree& devices, const DeviceSelection& selection,
                            const std::u16string& filterName);
// 0, or 1 when the device list could not be taken.
int RestartMatchingDevices(DeviceTree& devices, const DeviceSelection& selection);
// 1 when a present device qualifies (its hardware ID to `hardwareId` when given) or the list
// could not be taken; 0 when none qualifies.
int FindMatchingDevice(DeviceTree& devices, const DeviceSelection& selection,
                       std::u16string* hardwareId = nullptr);
// Disable, then enable; true when both went through and no reboot is needed.
bool RestartDevice(DeviceTree& devices, DeviceList list, uint32_t index);
// Removes the stale filter entries and, when that walk ran, restarts the devices.
void ResetDevicesForInstall(DeviceTree& devices, const DeviceSelection& selection,
                            const std::u16string& filterName);

}  // namespace tonedeck
