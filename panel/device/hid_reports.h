#pragma once
// The vendor reports of the device's HID interface, as bytes. Report ID 0 in byte 0; buffers
// are as long as the device's report length and only the first five bytes carry meaning.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tonedeck {

inline constexpr std::size_t kGpioLineCount = 10;
// One byte per line, 0 or 1, index = line number.
using GpioLines = std::array<uint8_t, kGpioLineCount>;

// Bytes that do not fit into `length` are dropped; the rest is zero.
std::vector<uint8_t> BuildSetAddressReport(uint16_t address, std::size_t length);
std::vector<uint8_t> BuildWriteDataReport(uint8_t value, std::size_t length);
std::vector<uint8_t> BuildGpioReadReport(std::size_t length);
std::vector<uint8_t> BuildGpioWriteReport(const GpioLines& lines, std::size_t length);
std::vector<uint8_t> BuildIdleReport(std::size_t length);

// Lines 0 to 7 from byte 2, lines 8 and 9 from bits 0 and 1 of byte 3; missing bytes read 0.
GpioLines UnpackGpioInput(std::span<const uint8_t> report);

}  // namespace tonedeck
