#pragma once
// The HID class driver through SetupAPI and hid.dll.

#include "platform/ports/hid_bus.h"

namespace tonedeck {

class Win32HidBus : public HidBus {
  public:
    std::optional<std::vector<std::u16string>> ListInterfacePaths() override;
    DeviceHandle Open(const std::u16string& path) override;
    void Close(DeviceHandle handle) override;
    std::optional<HidAttributes> GetAttributes(DeviceHandle handle) override;
    std::optional<HidCaps> GetCaps(DeviceHandle handle) override;
    bool SetOutputReport(DeviceHandle handle, std::span<const uint8_t> report) override;
    bool GetInputReport(DeviceHandle handle, std::span<uint8_t> report) override;
};

}  // namespace tonedeck
