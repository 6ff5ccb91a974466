#include "platform/win32/win32_hid_bus.h"

// Order matters: hidsdi.h brings the types hidpi.h uses. mingw's HID headers declare C
// functions without C linkage.
// clang-format off
#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}
// clang-format on

#include "platform/win32/wide.h"
#include "platform/win32/win32_device_handles.h"

namespace tonedeck {

namespace {

// The device path of one enumerated interface; empty when its detail cannot be read.
std::u16string InterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& interfaceData) {
    DWORD needed = 0;
    SetupDiGetDeviceInterfaceDetailW(list, &interfaceData, nullptr, 0, &needed, nullptr);
    if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return {};
    // DWORD elements keep the structure aligned.
    std::vector<DWORD> buffer((needed + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(list, &interfaceData, detail, needed, nullptr, nullptr)) {
        return {};
    }
    return FromWide(detail->DevicePath);
}

}  // namespace

std::optional<std::vector<std::u16string>> Win32HidBus::ListInterfacePaths() {
    GUID hidGuid{};
    HidD_GetHidGuid(&hidGuid);
    UniqueDevInfo list(
        SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!list.valid()) return std::nullopt;
    std::vector<std::u16string> paths;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof(interfaceData);
        if (!SetupDiEnumDeviceInterfaces(list.get(), nullptr, &hidGuid, index, &interfaceData)) {
            break;
        }
        // An interface without a readable path could not be opened anyway.
        std::u16string path = InterfacePath(list.get(), interfaceData);
        if (!path.empty()) paths.push_back(std::move(path));
    }
    return paths;
}

DeviceHandle Win32HidBus::Open(const std::u16string& path) {
    const std::wstring widePath = ToWide(path);
    return ToPortHandle<DeviceHandleTag>(CreateFileW(widePath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                     OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
}

void Win32HidBus::Close(DeviceHandle handle) {
    if (handle) CloseHandle(ToSystemHandle(handle));
}

std::optional<HidAttributes> Win32HidBus::GetAttributes(DeviceHandle handle) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!HidD_GetAttributes(ToSystemHandle(handle), &attributes)) return std::nullopt;
    return HidAttributes{attributes.VendorID, attributes.ProductID, attributes.VersionNumber};
}

std::optional<HidCaps> Win32HidBus::GetCaps(DeviceHandle handle) {
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!HidD_GetPreparsedData(ToSystemHandle(handle), &preparsed)) return std::nullopt;
    HIDP_CAPS caps{};
    const NTSTATUS status = HidP_GetCaps(preparsed, &caps);
    HidD_FreePreparsedData(preparsed);
    if (status != HIDP_STATUS_SUCCESS) return std::nullopt;
    return HidCaps{caps.InputReportByteLength, caps.OutputReportByteLength};
}

// The vendor reports go through HidD_SetOutputReport / HidD_GetInputReport rather than
// WriteFile / ReadFile: these are synchronous on the overlapped handle, reach the device on
// the control pipe whether or not it has an interrupt-out endpoint, and GetInputReport asks
// the device for its current report instead of taking an older one from the input queue, so
// the answer read is the one to the request just sent.
bool Win32HidBus::SetOutputReport(DeviceHandle handle, std::span<const uint8_t> report) {
    std::vector<uint8_t> buffer(report.begin(), report.end());
    return HidD_SetOutputReport(ToSystemHandle(handle), buffer.data(),
                                static_cast<ULONG>(buffer.size())) != FALSE;
}

bool Win32HidBus::GetInputReport(DeviceHandle handle, std::span<uint8_t> report) {
    return HidD_GetInputReport(ToSystemHandle(handle), report.data(),
                               static_cast<ULONG>(report.size())) != FALSE;
}

}  // namespace tonedeck
