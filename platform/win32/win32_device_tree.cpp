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
    DWORD type = 0;
    const BOOL ok = SetupDiGetDeviceRegistryPropertyW(
        ToDevInfo(list), &device, ToSystemProperty(property), &type,
        buffer.empty() ? nullptr : buffer.data(), static_cast<DWORD>(buffer.size()), &required);
    return {ok != FALSE, ok ? 0 : GetLastError(), required, ok ? type : 0};
}

DeviceList Win32DeviceTree::OpenAllClassesList(const Guid& classGuid, bool presentOnly) {
    const GUID systemGuid = ToSystemGuid(classGuid);
    const DWORD flags = DIGCF_ALLCLASSES | (presentOnly ? DIGCF_PRESENT : 0);
    return ToPortHandle<DeviceListTag>(SetupDiGetClassDevsW(&systemGuid, nullptr, nullptr, flags));
}

bool Win32DeviceTree::RemoveDeviceProperty(DeviceList list, uint32_t index,
                                           DeviceProperty property) {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    if (!SetupDiEnumDeviceInfo(ToDevInfo(list), index, &device)) return false;
    return SetupDiSetDeviceRegistryPropertyW(ToDevInfo(list), &device, ToSystemProperty(property),
                                             nullptr, 0) != FALSE;
}

bool Win32DeviceTree::ChangeDeviceState(DeviceList list, uint32_t index,
                                        DeviceStateChange change) {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    if (!SetupDiEnumDeviceInfo(ToDevInfo(list), index, &device)) return false;
    SP_PROPCHANGE_PARAMS params{};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
    params.StateChange = static_cast<DWORD>(change);
    params.Scope = DICS_FLAG_CONFIGSPECIFIC;
    params.HwProfile = 0;
    if (!SetupDiSetClassInstallParamsW(ToDevInfo(list), &device, &params.ClassInstallHeader,
                                       sizeof(params))) {
        return false;
    }
    return SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, ToDevInfo(list), &device) != FALSE;
}

std::optional<bool> Win32DeviceTree::NeedsReboot(DeviceList list, uint32_t index) {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    if (!SetupDiEnumDeviceInfo(ToDevInfo(list), index, &device)) return std::nullopt;
    SP_DEVINSTALL_PARAMS_W params{};
    params.cbSize = sizeof(params);
    if (!SetupDiGetDeviceInstallParamsW(ToDevInfo(list), &device, &params)) return std::nullopt;
    return (params.Flags & DI_NEEDREBOOT) != 0;
}

}  // namespace tonedeck
