#pragma once
// Opaque handles handed out by the device ports. The zero value is "none"; an adapter never
// hands out an invalid system handle, it returns none instead.

#include <cstdint>

namespace tonedeck {

template <typename Tag>
class OpaqueHandle {
  public:
    constexpr OpaqueHandle() = default;
    constexpr explicit OpaqueHandle(uint64_t value) : value_(value) {}

    constexpr bool valid() const { return value_ != 0; }
    constexpr explicit operator bool() const { return valid(); }
    constexpr uint64_t value() const { return value_; }

    friend constexpr bool operator==(OpaqueHandle, OpaqueHandle) = default;

  private:
    uint64_t value_ = 0;
};

// An open file handle on a device path (HID interface, filter-driver path).
using DeviceHandle = OpaqueHandle<struct DeviceHandleTag>;
// A SetupAPI device information list.
using DeviceList = OpaqueHandle<struct DeviceListTag>;

}  // namespace tonedeck
