#pragma once
// The device ports on a SimDeviceWorld: thin views that translate calls into world lookups.

#include "platform/ports/device_tree.h"
#include "platform/ports/hid_bus.h"
#include "platform/ports/io_control.h"

namespace tonedeck {

class SimDeviceWorld;
struct SimDeviceNode;

class SimHidBus : public HidBus {
  public:
    explicit SimHidBus(SimDeviceWorld& world) : world_(world) {}
    std::optional<std::vector<std::u16string>> ListInterfacePaths() override;
    DeviceHandle Open(const std::u16string& path) override;
    void Close(DeviceHandle handle) override;
    std::optional<HidAttributes> GetAttributes(DeviceHandle handle) override;
    std::optional<HidCaps> GetCaps(DeviceHandle handle) override;
    bool SetOutputReport(DeviceHandle handle, std::span<const uint8_t> report) override;
    bool GetInputReport(DeviceHandle handle, std::span<uint8_t> report) override;

  private:
    SimDeviceWorld& world_;
};

class SimDeviceTree : public DeviceTree {
  public:
    explicit SimDeviceTree(SimDeviceWorld& world) : world_(world) {}
    DeviceList OpenPresentInterfaceList(const Guid& interfaceClass) override;
    void CloseList(DeviceList list) override;
    bool EnumDevice(DeviceList list, uint32_t index) override;
    PropertyRead GetDeviceProperty(DeviceList list, uint32_t index, DeviceProperty property,
                                   std::span<uint8_t> buffer) override;
    DeviceList OpenAllClassesList(const Guid& classGuid, bool presentOnly) override;
    bool RemoveDeviceProperty(DeviceList list, uint32_t index, DeviceProperty property) override;
    bool ChangeDeviceState(DeviceList list, uint32_t index, DeviceStateChange change) override;
    std::optional<bool> NeedsReboot(DeviceList list, uint32_t index) override;

  private:
    SimDeviceNode* Listed(DeviceList list, uint32_t index);

    SimDeviceWorld& world_;
};

class SimIoControl : public IoControl {
  public:
    explicit SimIoControl(SimDeviceWorld& world) : world_(world) {}
    DeviceHandle Open(const std::u16string& path) override;
    void Close(DeviceHandle handle) override;
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output, uint32_t& bytesReturned) override;

  private:
    SimDeviceWorld& world_;
};

}  // namespace tonedeck
