#pragma once
// Device paths opened for I/O control requests.

#include <cstdint>
#include <span>
#include <string>

#include "platform/ports/device_handle.h"

namespace tonedeck {

class IoControl {
  public:
    virtual ~IoControl() = default;
    // Read and write, sharing read and write, existing only, no overlapped I/O. None on failure.
    virtual DeviceHandle Open(const std::u16string& path) = 0;
    virtual void Close(DeviceHandle handle) = 0;
    // DeviceIoControl, synchronous. `input` and `output` may be the same bytes; an empty
    // `output` passes no output buffer. False when the request fails.
    virtual bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                         std::span<uint8_t> output, uint32_t& bytesReturned) = 0;
};

}  // namespace tonedeck
