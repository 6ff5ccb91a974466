#pragma once
// SetupAPI device information lists and registry properties.

#include "platform/ports/device_tree.h"

namespace tonedeck {

class Win32DeviceTree : public DeviceTree {
  public:
    DeviceList OpenPresentInterfaceList(const Guid& interfaceClass) override;
    void CloseList(DeviceList list) override;
    bool EnumDevice(DeviceList list, uint32_t index) override;
    PropertyRead GetDeviceProperty(DeviceList list, uint32_t index, DeviceProperty property,
                                   std::span<uint8_t> buffer) override;
    DeviceList OpenAllClassesList(const Guid& classGuid, bool presentOnly) override;
    bool RemoveDeviceProperty(DeviceList list, uint32_t index, DeviceProperty property) override;
    bool ChangeDeviceState(DeviceList list, uint32_t index, DeviceStateChange change) override;
    std::optional<bool> NeedsReboot(DeviceList list, uint32_t index) override;
};

}  // namespace tonedeck
