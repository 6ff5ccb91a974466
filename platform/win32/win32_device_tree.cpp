#include "platform/win32/win32_device_tree.h"

// clang-format off
#include <windows.h>
#include <setupapi.h>
// clang-format on

#include "platform/win32/win32_device_handles.h"

namespace tonedeck {

namespace {

HDEVINFO ToDevInfo(DeviceList list) { return ToSystemHandle(list); }

DWORD ToSystemProperty(DeviceProperty property) {
    switch (property) {
        case DeviceProperty::kLowerFilters:
            return SPDRP_LOWERFILTERS;
        case DeviceProperty::kHardwareId:
        default:
            return SPDRP_HARDWAREID;
    }
}

}  // namespace

DeviceList Win32DeviceTree::OpenPresentInterfaceList(const Guid& interfaceClass) {
    const GUID systemGuid = ToSystemGuid(interfaceClass);
    return ToPortHandle<DeviceListTag>(
        SetupDiGetClassDevsW(&systemGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
}

void Win32DeviceTree::CloseList(DeviceList list) {
    if (list) SetupDiDestroyDeviceInfoList(ToDevInfo(list));
}

bool Win32DeviceTree::EnumDevice(DeviceList list, uint32_t index) {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    return SetupDiEnumDeviceInfo(ToDevInfo(list), index, &device) != FALSE;
}

PropertyRead Win32DeviceTree::GetDeviceProperty(DeviceList list, uint32_t index,
                                                DeviceProperty property,
                                                std::span<uint8_t> buffer) {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    if (!SetupDiEnumDeviceInfo(ToDevInfo(list), index, &device)) {
        return {false, GetLastError(), 0};
    }
    DWORD required = 0;
    const BOOL ok = SetupDiGetDeviceRegistryPropertyW(
        ToDevInfo(list), &device, ToSystemProperty(property), nullptr,
        buffer.empty() ? nullptr : buffer.data(), static_cast<DWORD>(buffer.size()), &required);
    return {ok != FALSE, ok ? 0 : GetLastError(), required};
}

}  // namespace tonedeck
