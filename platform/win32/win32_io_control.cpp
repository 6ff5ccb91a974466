#include "platform/win32/win32_io_control.h"

#include <windows.h>

#include "platform/win32/wide.h"
#include "platform/win32/win32_device_handles.h"

namespace tonedeck {

DeviceHandle Win32IoControl::Open(const std::u16string& path) {
    const std::wstring widePath = ToWide(path);
    return ToPortHandle<DeviceHandleTag>(CreateFileW(widePath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                     OPEN_EXISTING, 0, nullptr));
}

void Win32IoControl::Close(DeviceHandle handle) {
    if (handle) CloseHandle(ToSystemHandle(handle));
}

bool Win32IoControl::Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                             std::span<uint8_t> output, uint32_t& bytesReturned) {
    DWORD returned = 0;
    const BOOL ok =
        DeviceIoControl(ToSystemHandle(handle), code, const_cast<uint8_t*>(input.data()),
                        static_cast<DWORD>(input.size()), output.empty() ? nullptr : output.data(),
                        static_cast<DWORD>(output.size()), &returned, nullptr);
    bytesReturned = returned;
    return ok != FALSE;
}

}  // namespace tonedeck
