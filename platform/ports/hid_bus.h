#pragma once
// The HID class driver as the control panel uses it: interface listing, open, attributes,
// capabilities and report transfer.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/ports/device_handle.h"

namespace tonedeck {

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

struct HidCaps {
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
};

class HidBus {
  public:
    virtual ~HidBus() = default;
    // Device paths of the present devices exposing the HID interface class, in enumeration
    // order (the listing stops at the first interface that does not enumerate). nullopt when
    // the list cannot be made.
    virtual std::optional<std::vector<std::u16string>> ListInterfacePaths() = 0;
    // Read and write, sharing read and write, existing only, overlapped. None on failure.
    virtual DeviceHandle Open(const std::u16string& path) = 0;
    virtual void Close(DeviceHandle handle) = 0;
    virtual std::optional<HidAttributes> GetAttributes(DeviceHandle handle) = 0;
    // Preparsed data, capabilities, free; nullopt when any of it fails.
    virtual std::optional<HidCaps> GetCaps(DeviceHandle handle) = 0;
    // One output report; byte 0 is the report ID. False when the device rejects it.
    virtual bool SetOutputReport(DeviceHandle handle, std::span<const uint8_t> report) = 0;
    // One input report into `report` (byte 0 holds the report ID on entry). False on failure.
    virtual bool GetInputReport(DeviceHandle handle, std::span<uint8_t> report) = 0;
};

}  // namespace tonedeck
