#include "panel/device/hid_channel.h"

#include <vector>

namespace tonedeck {

namespace {

// The register value travels in byte 2 of the input report.
constexpr uint16_t kRegisterInputMinimum = 3;
// The GPIO reports need all five bytes.
constexpr uint16_t kGpioReportMinimum = 5;

}  // namespace

DeviceHandle HidChannel::OpenHidDevice(uint16_t vendorId, uint16_t productId) {
    const auto paths = bus_.ListInterfacePaths();
    if (!paths) return {};
    for (const std::u16string& path : *paths) {
        const DeviceHandle handle = bus_.Open(path);
        if (!handle) continue;
        const auto attributes = bus_.GetAttributes(handle);
        if (attributes && attributes->vendorId == vendorId && attributes->productId == productId) {
            return handle;
        }
        bus_.Close(handle);
    }
    return {};
}

void HidChannel::CloseHidDevice(DeviceHandle handle) {
    if (handle) bus_.Close(handle);
}

uint16_t HidChannel::GetOutputReportLength(DeviceHandle handle) {
    const auto caps = bus_.GetCaps(handle);
    return caps ? caps->outputReportByteLength : 0;
}

uint16_t HidChannel::GetInputReportLength(DeviceHandle handle) {
    const auto caps = bus_.GetCaps(handle);
    return caps ? caps->inputReportByteLength : 0;
}

int HidChannel::WriteRegister(DeviceHandle handle, uint16_t address, uint8_t value) {
    const uint16_t length = GetOutputReportLength(handle);
    if (length == 0) return kWriteRegNoOutput;
    if (!bus_.SetOutputReport(handle, BuildSetAddressReport(address, length))) {
        return kWriteRegAddressFailed;
    }
    if (!bus_.SetOutputReport(handle, BuildWriteDataReport(value, length))) {
        return kWriteRegDataFailed;
    }
    return 0;
}

int HidChannel::ReadRegister(DeviceHandle handle, uint16_t address, uint8_t& value) {
    const uint16_t outputLength = GetOutputReportLength(handle);
    if (outputLength == 0) return kReadRegNoOutput;
    if (!bus_.SetOutputReport(handle, BuildSetAddressReport(address, outputLength))) {
        return kReadRegAddressFailed;
    }
    const uint16_t inputLength = GetInputReportLength(handle);
    if (inputLength < kRegisterInputMinimum) return kReadRegNoInput;
    std::vector<uint8_t> input(inputLength, 0);
    if (!bus_.GetInputReport(handle, input)) return kReadRegInputFailed;
    value = input[2];
    return 0;
}

int HidChannel::SendIdleReport(DeviceHandle handle) {
    const uint16_t length = GetOutputReportLength(handle);
    if (length == 0) return kIdleNoOutput;
    if (!bus_.SetOutputReport(handle, BuildIdleReport(length))) return kIdleFailed;
    return 0;
}

int HidChannel::WriteGpio(DeviceHandle handle, const GpioLines& lines) {
    const uint16_t length = GetOutputReportLength(handle);
    if (length == 0) return kWriteGpioNoOutput;
    if (length < kGpioReportMinimum) return kWriteGpioShortOutput;
    if (!bus_.SetOutputReport(handle, BuildGpioWriteReport(lines, length))) {
        return kWriteGpioFailed;
    }
    return 0;
}

int HidChannel::ReadGpio(DeviceHandle handle, GpioLines& lines) {
    const uint16_t outputLength = GetOutputReportLength(handle);
    if (outputLength == 0) return kReadGpioNoOutput;
    if (outputLength < kGpioReportMinimum) return kReadGpioShortOutput;
    if (!bus_.SetOutputReport(handle, BuildGpioReadReport(outputLength))) {
        return kReadGpioRequestFailed;
    }
    const uint16_t inputLength = GetInputReportLength(handle);
    if (inputLength == 0) return kReadGpioNoInput;
    if (inputLength < kGpioReportMinimum) return kReadGpioShortInput;
    std::vector<uint8_t> input(inputLength, 0);
    if (!bus_.GetInputReport(handle, input)) return kReadGpioInputFailed;
    lines = UnpackGpioInput(input);
    return 0;
}

int HidChannel::WriteRegisterPair(DeviceHandle handle, uint16_t address, uint8_t high,
                                  uint8_t low) {
    if (high > 15 || low > 15) return kPairNibbleTooLarge;
    if (WriteRegister(handle, address, static_cast<uint8_t>(high * 16 + low)) != 0) {
        return kPairWriteFailed;
    }
    return 0;
}

int HidChannel::ApplyLed(uint16_t vendorId, uint16_t productId, bool ledOn) {
    const DeviceHandle handle = OpenHidDevice(vendorId, productId);
    if (!handle) return kLedNoDevice;
    int result = 0;
    if (ledOn) {
        GpioLines dropped{};
        if (ReadGpio(handle, dropped) != 0) result = kLedGpioFailed;
    } else {
        if (WriteGpio(handle, GpioLines{}) != 0) result = kLedGpioFailed;
    }
    if (result == 0 && SendIdleReport(handle) != 0) result = kLedIdleFailed;
    CloseHidDevice(handle);
    return result;
}

}  // namespace tonedeck
