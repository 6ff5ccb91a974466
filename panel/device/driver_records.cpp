#include "panel/device/driver_records.h"

#include <bit>

namespace tonedeck {

namespace {

void PutU16(std::span<uint8_t> bytes, std::size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(std::span<uint8_t> bytes, std::size_t offset, uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::u16string FormatDriverDevicePath(uint16_t vendorId, uint16_t productId) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string path = u"\\\\.\\Class#TonedeckExtension&";
    auto put = [&path](uint16_t value) {
        for (int shift = 12; shift >= 0; shift -= 4) path += kHex[(value >> shift) & 0xF];
    };
    put(vendorId);
    path += u'&';
    put(productId);
    return path;
}

ParameterRecord BuildParameterRecord(uint16_t parameter, uint32_t value) {
    ParameterRecord record{};
    PutU16(record, 0, 1);
    PutU16(record, 2, parameter);
    PutU32(record, 4, value);
    return record;
}

RoomEffectRecord BuildRoomEffectRecord(uint32_t effect) {
    RoomEffectRecord record{};
    PutU32(record, 4, effect);
    return record;
}

SpeakerMapRecord BuildSpeakerMapRecord(uint32_t enable, const SpeakerMapValues& values) {
    SpeakerMapRecord record{};
    PutU32(record, 4, enable);
    for (std::size_t i = 0; i < values.size(); ++i) {
        PutU32(record, 8 + 4 * i, std::bit_cast<uint32_t>(values[i]));
    }
    return record;
}

StatusRecord BuildStatusRecord() {
    StatusRecord record{};
    PutU32(record, 0, 1);
    return record;
}

uint16_t ReadU16(std::span<const uint8_t> bytes, std::size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

uint32_t ReadU32(std::span<const uint8_t> bytes, std::size_t offset) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= uint32_t{bytes[offset + i]} << (8 * i);
    return value;
}

float ReadF32(std::span<const uint8_t> bytes, std::size_t offset) {
    return std::bit_cast<float>(ReadU32(bytes, offset));
}

}  // namespace tonedeck
