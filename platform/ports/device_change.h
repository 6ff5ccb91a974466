#pragma once
// One device-change broadcast (WM_DEVICECHANGE) as the device logic sees it.

#include <cstdint>
#include <string>

#include "platform/ports/guid.h"

namespace tonedeck {

inline constexpr uint32_t kDbtDeviceArrival = 0x8000;
inline constexpr uint32_t kDbtDeviceRemoveComplete = 0x8004;
inline constexpr uint32_t kDbtDevTypDeviceInterface = 5;

struct DeviceChange {
    uint32_t event = 0;       // wParam
    bool hasRecord = false;   // lParam points to a broadcast header
    uint32_t deviceType = 0;  // dbch_devicetype
    Guid interfaceClass;      // dbcc_classguid, for device-interface records
    std::u16string path;      // dbcc_name, for device-interface records
};

}  // namespace tonedeck
