#include "setup/device_setup.h"

#include <optional>
#include <vector>

#include "common/text.h"

namespace tonedeck {

namespace {

constexpr uint32_t kRegMultiSz = 7;

struct PropertyText {
    std::vector<std::u16string> strings;
    uint32_t dataType = 0;
};

// A property in two calls: the size, then a buffer of twice that plus 4 bytes. Absent or empty
// properties are not readable.
std::optional<PropertyText> ReadProperty(DeviceTree& devices, DeviceList list, uint32_t index,
                                         DeviceProperty property) {
    const PropertyRead size = devices.GetDeviceProperty(list, index, property, {});
    if (size.ok || size.lastError != DeviceTree::kErrorInsufficientBuffer ||
        size.requiredSize == 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> buffer(static_cast<std::size_t>(size.requiredSize) * 2 + 4, 0);
    const PropertyRead read = devices.GetDeviceProperty(list, index, property, buffer);
    if (!read.ok) return std::nullopt;

    PropertyText text;
    text.dataType = read.dataType;
    std::u16string current;
    for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
        const auto c = static_cast<char16_t>(buffer[i] | (buffer[i + 1] << 8));
        if (c != 0) {
            current += c;
            continue;
        }
        if (current.empty()) break;
        text.strings.push_back(current);
        current.clear();
    }
    if (text.strings.empty()) text.strings.push_back(u"");
    return text;
}

bool Qualifies(DeviceTree& devices, DeviceList list, uint32_t index,
               const DeviceSelection& selection, std::u16string* hardwareId) {
    const auto ids = ReadProperty(devices, list, index, DeviceProperty::kHardwareId);
    if (!ids) return false;
    const std::u16string& first = ids->strings.front();
    if (first.size() != selection.pattern.size() || !selection.matcher.Matches(first)) {
        return false;
    }
    if (hardwareId) *hardwareId = first;
    return true;
}

// Visits every device of the list until the enumeration ends; `visit` returns false to stop.
template <typename Visit>
int WalkDevices(DeviceTree& devices, const DeviceSelection& selection, bool presentOnly,
                Visit visit) {
    const DeviceList list = devices.OpenAllClassesList(selection.classGuid, presentOnly);
    if (!list) return 1;
    for (uint32_t index = 0; devices.EnumDevice(list, index); ++index) {
        if (!visit(list, index)) break;
    }
    devices.CloseList(list);
    return 0;
}

}  // namespace

int CreateDriverServiceKey(Registry& registry, const std::u16string& driverName) {
    const RegistryKey key = registry.CreateKey(
        RegistryRoot::kLocalMachine, kDriverServicesKey + driverName, kKeyAllAccess, driverName);
    if (!key) return 1;
    // Without any one of these values Windows cannot load the driver, so a lost write fails
    // the step instead of passing for an installed driver.
    bool written =
        registry.SetValue(key, u"ErrorControl", RegistryType::kDword, RegistryDwordBytes(1));
    written &= registry.SetValue(key, u"Start", RegistryType::kDword, RegistryDwordBytes(3));
    written &= registry.SetValue(key, u"Type", RegistryType::kDword, RegistryDwordBytes(1));
    written &=
        registry.SetValue(key, u"ImagePath", RegistryType::kExpandSz,
                          RegistryStringBytes(u"System32\\DRIVERS\\" + driverName + u".sys"));
    registry.Flush(key);
    registry.CloseKey(key);
    return written ? 0 : 1;
}

int RemoveFilterFromDevices(DeviceTree& devices, const DeviceSelection& selection,
                            const std::u16string& filterName) {
    return WalkDevices(devices, selection, false, [&](DeviceList list, uint32_t index) {
        if (!Qualifies(devices, list, index, selection, nullptr)) return true;
        const auto filters = ReadProperty(devices, list, index, DeviceProperty::kLowerFilters);
        if (filters && filters->dataType == kRegMultiSz &&
            EqualsIgnoreCase(filters->strings.front(), filterName)) {
            devices.RemoveDeviceProperty(list, index, DeviceProperty::kLowerFilters);
        }
        return true;
    });
}

int RestartMatchingDevices(DeviceTree& devices, const DeviceSelection& selection) {
    return WalkDevices(devices, selection, true, [&](DeviceList list, uint32_t index) {
        if (Qualifies(devices, list, index, selection, nullptr))
            RestartDevice(devices, list, index);
        return true;
    });
}

int FindMatchingDevice(DeviceTree& devices, const DeviceSelection& selection,
                       std::u16string* hardwareId) {
    bool found = false;
    const int walked = WalkDevices(devices, selection, true, [&](DeviceList list, uint32_t index) {
        found = Qualifies(devices, list, index, selection, hardwareId);
        return !found;
    });
    return walked != 0 || found ? 1 : 0;
}

bool RestartDevice(DeviceTree& devices, DeviceList list, uint32_t index) {
    // The enable is tried even after a failed disable, so no device is left switched off.
    const bool disabled = devices.ChangeDeviceState(list, index, DeviceStateChange::kDisable);
    const bool enabled = devices.ChangeDeviceState(list, index, DeviceStateChange::kEnable);
    if (!disabled || !enabled) return false;
    const auto reboot = devices.NeedsReboot(list, index);
    return reboot.has_value() && !*reboot;
}

void ResetDevicesForInstall(DeviceTree& devices, const DeviceSelection& selection,
                            const std::u16string& filterName) {
    if (RemoveFilterFromDevices(devices, selection, filterName) == 0) {
        RestartMatchingDevices(devices, selection);
    }
}

}  // namespace tonedeck
