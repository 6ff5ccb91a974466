#pragma once
// Device traffic of the simulation as readable lines: every HID report and driver request passes
// through these port wrappers on its way to the simulated device and driver.

#include <ostream>
#include <span>
#include <string>

#include "platform/ports/hid_bus.h"
#include "platform/ports/io_control.h"

namespace tonedeck::tool {

// "00 60 29 01 10"
std::string HexBytes(std::span<const uint8_t> bytes);
// What a vendor output report means: "set-address 297", "write-data 0x34", "idle", ...
std::string DescribeReport(std::span<const uint8_t> report);
// The request's name by its I/O control code.
std::string DescribeRequest(uint32_t code);

class PrintingHidBus : public HidBus {
  public:
    PrintingHidBus(HidBus& inner, std::ostream& out) : inner_(inner), out_(out) {}
    std::optional<std::vector<std::u16string>> ListInterfacePaths() override {
        return inner_.ListInterfacePaths();
    }
    DeviceHandle Open(const std::u16string& path) override { return inner_.Open(path); }
    void Close(DeviceHandle handle) override { inner_.Close(handle); }
    std::optional<HidAttributes> GetAttributes(DeviceHandle handle) override {
        return inner_.GetAttributes(handle);
    }
    std::optional<HidCaps> GetCaps(DeviceHandle handle) override { return inner_.GetCaps(handle); }
    bool SetOutputReport(DeviceHandle handle, std::span<const uint8_t> report) override;
    bool GetInputReport(DeviceHandle handle, std::span<uint8_t> report) override;

  private:
    HidBus& inner_;
    std::ostream& out_;
};

class PrintingIoControl : public IoControl {
  public:
    PrintingIoControl(IoControl& inner, std::ostream& out) : inner_(inner), out_(out) {}
    DeviceHandle Open(const std::u16string& path) override;
    void Close(DeviceHandle handle) override { inner_.Close(handle); }
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output, uint32_t& bytesReturned) override;

  private:
    IoControl& inner_;
    std::ostream& out_;
};

}  // namespace tonedeck::tool
