#pragma once
// The filter driver's request codes, device paths and request records (little-endian).

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace tonedeck {

constexpr uint32_t DriverControlCode(uint32_t function) {
    constexpr uint32_t kFileDeviceUnknown = 0x22;
    constexpr uint32_t kMethodBuffered = 0;
    constexpr uint32_t kFileAnyAccess = 0;
    return (kFileDeviceUnknown << 16) | (kFileAnyAccess << 14) | (function << 2) | kMethodBuffered;
}

inline constexpr uint32_t kIoctlExchangeDriverParameter = DriverControlCode(0xC0A);
inline constexpr uint32_t kIoctlSendRoomEffect = DriverControlCode(0xC3C);
inline constexpr uint32_t kIoctlSendSpeakerMap = DriverControlCode(0xC50);
inline constexpr uint32_t kIoctlQueryDriverStatus = DriverControlCode(0xC64);

inline constexpr char16_t kDriverControlDevicePath[] = u"\\\\.\\Class#TonedeckExtension&0C76&00";

// "\\.\Class#TonedeckExtension&%.4X&%.4X"
std::u16string FormatDriverDevicePath(uint16_t vendorId, uint16_t productId);

inline constexpr std::size_t kSpeakerCount = 8;
// Eight gains, then eight angles (radians), in the order L, R, C, SUB, LS, RS, LB, RB.
using SpeakerMapValues = std::array<float, 2 * kSpeakerCount>;

using ParameterRecord = std::array<uint8_t, 8>;
using RoomEffectRecord = std::array<uint8_t, 8>;
using SpeakerMapRecord = std::array<uint8_t, 72>;
using StatusRecord = std::array<uint8_t, 8>;

ParameterRecord BuildParameterRecord(uint16_t parameter, uint32_t value);
RoomEffectRecord BuildRoomEffectRecord(uint32_t effect);
SpeakerMapRecord BuildSpeakerMapRecord(uint32_t enable, const SpeakerMapValues& values);
StatusRecord BuildStatusRecord();

uint16_t ReadU16(std::span<const uint8_t> bytes, std::size_t offset);
uint32_t ReadU32(std::span<const uint8_t> bytes, std::size_t offset);
float ReadF32(std::span<const uint8_t> bytes, std::size_t offset);

}  // namespace tonedeck
