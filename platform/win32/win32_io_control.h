#pragma once
// Device paths opened with CreateFileW for DeviceIoControl.

#include "platform/ports/io_control.h"

namespace tonedeck {

class Win32IoControl : public IoControl {
  public:
    DeviceHandle Open(const std::u16string& path) override;
    void Close(DeviceHandle handle) override;
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output, uint32_t& bytesReturned) override;
};

}  // namespace tonedeck
