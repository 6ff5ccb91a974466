#pragma once
// Requests to the audio filter driver on the device's stack, one open and close per request.

#include <cstdint>
#include <string>

#include "panel/device/driver_records.h"
#include "platform/ports/io_control.h"

namespace tonedeck {

enum DriverResult : int {
    kDriverOk = 0,
    kDriverOpenFailed = 1,
    kDriverRequestFailed = 2,
    kDriverNoData = 3,  // parameter exchange only
};

class DriverChannel {
  public:
    explicit DriverChannel(IoControl& io) : io_(io) {}

    void SetDriverDevice(uint16_t vendorId, uint16_t productId);
    // Empty until the device has been found once; kept when it goes away.
    const std::u16string& devicePath() const { return devicePath_; }

    // `value` is replaced by the driver's answer only on kDriverOk.
    DriverResult ExchangeDriverParameter(uint16_t parameter, uint32_t& value);
    DriverResult SendRoomEffect(uint32_t effect);
    DriverResult SendSpeakerMap(uint32_t enable, const SpeakerMapValues& values);
    // `status` is set only on kDriverOk.
    DriverResult QueryDriverStatus(uint32_t& status);

  private:
    enum class Output { kNone, kSameBuffer };
    DriverResult Send(uint32_t code, std::span<uint8_t> record, Output output,
                      uint32_t& bytesReturned);

    IoControl& io_;
    std::u16string devicePath_;
};

}  // namespace tonedeck
