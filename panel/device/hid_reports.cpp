#include "panel/device/hid_reports.h"

#include <algorithm>

namespace tonedeck {

namespace {

constexpr uint8_t kVendorCommand = 0x60;
constexpr uint8_t kSetAddress = 0x10;
constexpr uint8_t kWriteData = 0x20;
constexpr uint8_t kGpioRead = 0x30;
constexpr uint8_t kGpioWrite = 0x3C;

std::vector<uint8_t> Report(std::array<uint8_t, 5> head, std::size_t length) {
    std::vector<uint8_t> report(length, 0);
    std::copy_n(head.begin(), std::min(head.size(), length), report.begin());
    return report;
}

}  // namespace

std::vector<uint8_t> BuildSetAddressReport(uint16_t address, std::size_t length) {
    return Report({0x00, kVendorCommand, static_cast<uint8_t>(address & 0xFF),
                   static_cast<uint8_t>(address >> 8), kSetAddress},
                  length);
}

std::vector<uint8_t> BuildWriteDataReport(uint8_t value, std::size_t length) {
    return Report({0x00, kVendorCommand, value, 0x01, kWriteData}, length);
}

std::vector<uint8_t> BuildGpioReadReport(std::size_t length) {
    return Report({0x00, kVendorCommand, 0x00, 0x00, kGpioRead}, length);
}

std::vector<uint8_t> BuildGpioWriteReport(const GpioLines& lines, std::size_t length) {
    uint8_t low = 0;
    for (std::size_t line = 0; line < 8; ++line) {
        if (lines[line]) low |= static_cast<uint8_t>(1u << line);
    }
    uint8_t high = kGpioWrite;
    if (lines[8]) high |= 0x01;
    if (lines[9]) high |= 0x02;
    return Report({0x00, kVendorCommand, low, 0xFF, high}, length);
}

std::vector<uint8_t> BuildIdleReport(std::size_t length) { return Report({}, length); }

GpioLines UnpackGpioInput(std::span<const uint8_t> report) {
    const uint8_t low = report.size() > 2 ? report[2] : 0;
    const uint8_t high = report.size() > 3 ? report[3] : 0;
    GpioLines lines{};
    for (std::size_t line = 0; line < 8; ++line) lines[line] = (low >> line) & 1;
    lines[8] = high & 1;
    lines[9] = (high >> 1) & 1;
    return lines;
}

}  // namespace tonedeck
