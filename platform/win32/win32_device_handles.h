#pragma once
// Owners for the device handles the adapters hold within one call, and conversions between
// the ports' plain values and the Windows ones.

#include <setupapi.h>
#include <windows.h>

#include <cstdint>

#include "platform/ports/device_handle.h"
#include "platform/ports/guid.h"

namespace tonedeck {

inline bool IsValidHandle(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

class UniqueDevInfo {
  public:
    explicit UniqueDevInfo(HDEVINFO list) : list_(list) {}
    ~UniqueDevInfo() {
        if (valid()) SetupDiDestroyDeviceInfoList(list_);
    }
    UniqueDevInfo(const UniqueDevInfo&) = delete;
    UniqueDevInfo& operator=(const UniqueDevInfo&) = delete;

    bool valid() const { return IsValidHandle(list_); }
    HDEVINFO get() const { return list_; }

  private:
    HDEVINFO list_;
};

// The port handles carry the system handle's bits.
template <typename Tag>
OpaqueHandle<Tag> ToPortHandle(HANDLE handle) {
    if (!IsValidHandle(handle)) return {};
    return OpaqueHandle<Tag>(static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle)));
}

template <typename Tag>
HANDLE ToSystemHandle(OpaqueHandle<Tag> handle) {
    return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handle.value()));
}

inline GUID ToSystemGuid(const Guid& guid) {
    GUID system{};
    system.Data1 = guid.data1;
    system.Data2 = guid.data2;
    system.Data3 = guid.data3;
    for (int i = 0; i < 8; ++i) system.Data4[i] = guid.data4[i];
    return system;
}

inline Guid FromSystemGuid(const GUID& system) {
    Guid guid;
    guid.data1 = system.Data1;
    guid.data2 = system.Data2;
    guid.data3 = system.Data3;
    for (int i = 0; i < 8; ++i) guid.data4[i] = system.Data4[i];
    return guid;
}

}  // namespace tonedeck
