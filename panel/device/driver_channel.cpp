#include "panel/device/driver_channel.h"

namespace tonedeck {

void DriverChannel::SetDriverDevice(uint16_t vendorId, uint16_t productId) {
    devicePath_ = FormatDriverDevicePath(vendorId, productId);
}

DriverResult DriverChannel::Send(uint32_t code, std::span<uint8_t> record, Output output,
                                 uint32_t& bytesReturned) {
    bytesReturned = 0;
    if (devicePath_.empty()) return kDriverOpenFailed;
    const DeviceHandle handle = io_.Open(devicePath_);
    if (!handle) return kDriverOpenFailed;
    const std::span<uint8_t> out = output == Output::kSameBuffer ? record : std::span<uint8_t>{};
    const bool ok = io_.Control(handle, code, record, out, bytesReturned);
    io_.Close(handle);
    return ok ? kDriverOk : kDriverRequestFailed;
}

DriverResult DriverChannel::ExchangeDriverParameter(uint16_t parameter, uint32_t& value) {
    ParameterRecord record = BuildParameterRecord(parameter, value);
    uint32_t bytesReturned = 0;
    const DriverResult result =
        Send(kIoctlExchangeDriverParameter, record, Output::kSameBuffer, bytesReturned);
    if (result != kDriverOk) return result;
    // The value sits behind the first four bytes; an answer that stops short of it is no data.
    if (bytesReturned < record.size()) return kDriverNoData;
    value = ReadU32(record, 4);
    return kDriverOk;
}

DriverResult DriverChannel::SendRoomEffect(uint32_t effect) {
    RoomEffectRecord record = BuildRoomEffectRecord(effect);
    uint32_t bytesReturned = 0;
    return Send(kIoctlSendRoomEffect, record, Output::kSameBuffer, bytesReturned);
}

DriverResult DriverChannel::SendSpeakerMap(uint32_t enable, const SpeakerMapValues& values) {
    SpeakerMapRecord record = BuildSpeakerMapRecord(enable, values);
    uint32_t bytesReturned = 0;
    return Send(kIoctlSendSpeakerMap, record, Output::kNone, bytesReturned);
}

DriverResult DriverChannel::QueryDriverStatus(uint32_t& status) {
    StatusRecord record = BuildStatusRecord();
    uint32_t bytesReturned = 0;
    const DriverResult result =
        Send(kIoctlQueryDriverStatus, record, Output::kSameBuffer, bytesReturned);
    if (result == kDriverOk) status = ReadU32(record, 4);
    return result;
}

}  // namespace tonedeck
