#pragma once
// Register and GPIO access through the device's HID interface. Every operation returns its own
// small result code, 0 for success.

#include <cstdint>

#include "panel/device/hid_reports.h"
#include "platform/ports/hid_bus.h"

namespace tonedeck {

enum WriteRegisterResult : int {
    kWriteRegNoOutput = 1,
    kWriteRegAddressFailed = 2,
    kWriteRegDataFailed = 3
};
enum ReadRegisterResult : int {
    kReadRegNoOutput = 1,
    kReadRegAddressFailed = 2,
    kReadRegNoInput = 3,  // also an input report too short to carry byte 2
    kReadRegInputFailed = 4,
};
enum IdleResult : int { kIdleNoOutput = 1, kIdleFailed = 2 };
enum WriteGpioResult : int {
    kWriteGpioNoOutput = 1,
    kWriteGpioShortOutput = 2,
    kWriteGpioFailed = 3
};
enum ReadGpioResult : int {
    kReadGpioNoOutput = 1,
    kReadGpioShortOutput = 2,
    kReadGpioRequestFailed = 3,
    kReadGpioNoInput = 4,
    kReadGpioShortInput = 5,
    kReadGpioInputFailed = 6,
};
enum WriteRegisterPairResult : int { kPairNibbleTooLarge = 1, kPairWriteFailed = 2 };
enum ApplyLedResult : int { kLedNoDevice = 1, kLedGpioFailed = 2, kLedIdleFailed = 3 };

class HidChannel {
  public:
    explicit HidChannel(HidBus& bus) : bus_(bus) {}

    // The first present HID interface, in enumeration order, with both IDs; none otherwise.
    DeviceHandle OpenHidDevice(uint16_t vendorId, uint16_t productId);
    void CloseHidDevice(DeviceHandle handle);

    // 0 on any failure.
    uint16_t GetOutputReportLength(DeviceHandle handle);
    uint16_t GetInputReportLength(DeviceHandle handle);

    int WriteRegister(DeviceHandle handle, uint16_t address, uint8_t value);
    // `value` is set only on success.
    int ReadRegister(DeviceHandle handle, uint16_t address, uint8_t& value);
    int SendIdleReport(DeviceHandle handle);
    int WriteGpio(DeviceHandle handle, const GpioLines& lines);
    // `lines` is set only on success.
    int ReadGpio(DeviceHandle handle, GpioLines& lines);
    // Writes (high * 16) + low; nibbles above 15 send nothing.
    int WriteRegisterPair(DeviceHandle handle, uint16_t address, uint8_t high, uint8_t low);

    // Opens the device, LED off: all GPIO lines low; LED on: one GPIO read whose answer is
    // dropped; then the idle report; closes it.
    int ApplyLed(uint16_t vendorId, uint16_t productId, bool ledOn);

    HidBus& bus() { return bus_; }

  private:
    HidBus& bus_;
};

}  // namespace tonedeck
