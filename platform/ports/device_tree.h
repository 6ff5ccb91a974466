#pragma once
// SetupAPI device information lists and device properties.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/ports/device_handle.h"
#include "platform/ports/guid.h"

namespace tonedeck {

enum class DeviceProperty {
    kHardwareId,    // SPDRP_HARDWAREID, a list of strings
    kLowerFilters,  // SPDRP_LOWERFILTERS, a list of strings
};

// What SetupDiGetDeviceRegistryPropertyW reports.
struct PropertyRead {
    bool ok = false;
    uint32_t lastError = 0;     // GetLastError() when !ok
    uint32_t requiredSize = 0;  // bytes
    uint32_t dataType = 0;      // REG_* type of the property, when read
};

// Class-installer state changes (DICS_*).
enum class DeviceStateChange : uint32_t { kEnable = 1, kDisable = 2 };

class DeviceTree {
  public:
    static constexpr uint32_t kErrorInvalidData = 13;
    static constexpr uint32_t kErrorInsufficientBuffer = 122;
    static constexpr uint32_t kErrorNoMoreItems = 259;

    virtual ~DeviceTree() = default;
    // Present devices exposing an interface of `interfaceClass` (device-interface listing).
    // None when the list cannot be made.
    virtual DeviceList OpenPresentInterfaceList(const Guid& interfaceClass) = 0;
    virtual void CloseList(DeviceList list) = 0;
    // SetupDiEnumDeviceInfo: false when `index` is past the end or enumeration fails.
    virtual bool EnumDevice(DeviceList list, uint32_t index) = 0;
    // A registry property of device `index` of the list, raw bytes (UTF-16LE strings, each
    // ended by a zero character, an empty string last). An empty `buffer` asks for the size.
    virtual PropertyRead GetDeviceProperty(DeviceList list, uint32_t index, DeviceProperty property,
                                           std::span<uint8_t> buffer) = 0;

    // Devices of every class (SetupDiGetClassDevsW with DIGCF_ALLCLASSES, plus DIGCF_PRESENT
    // when `presentOnly`); `classGuid` is passed along but does not narrow the list.
    virtual DeviceList OpenAllClassesList(const Guid& classGuid, bool presentOnly) = 0;
    // SetupDiSetDeviceRegistryPropertyW with no data: the property is removed.
    virtual bool RemoveDeviceProperty(DeviceList list, uint32_t index,
                                      DeviceProperty property) = 0;
    // DIF_PROPERTYCHANGE through the class installer, config-specific, current hardware
    // profile. False when setting the parameters or the class-installer call fails.
    virtual bool ChangeDeviceState(DeviceList list, uint32_t index, DeviceStateChange change) = 0;
    // Whether the device's install parameters carry DI_NEEDREBOOT; nullopt when unreadable.
    virtual std::optional<bool> NeedsReboot(DeviceList list, uint32_t index) = 0;
};

}  // namespace tonedeck
