#pragma once
// SetupAPI device information lists and device properties.

#include <cstdint>
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
};

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
};

}  // namespace tonedeck
