#include "platform/sim/sim_sound_firmware.h"

#include <algorithm>

namespace tonedeck {

void SimSoundFirmware::PowerOn() {
    registers_.clear();
    registers_[256] = 0x41;
    for (uint16_t address = 288; address <= 296; ++address) {
        registers_[address] = (address % 2 == 0) ? 0x00 : 0x04;
    }
    registers_[297] = 0xE4;
    registers_[394] = 0x25;
    registers_[395] = 0xA3;
    registers_[396] = 0xA3;
    gpio_ = {};
    gpio_[2] = 1;
    gpio_[9] = 1;
    addressSet_ = false;
    answerPending_ = false;
}

uint8_t SimSoundFirmware::Register(uint16_t address) const {
    const auto it = registers_.find(address);
    return it == registers_.end() ? 0 : it->second;
}

SimHidReport SimSoundFirmware::Classify(std::span<const uint8_t> report) {
    if (report.size() < 5 || report[0] != 0x00) return SimHidReport::kUnknown;
    if (report[1] == 0x00 && report[2] == 0x00 && report[3] == 0x00 && report[4] == 0x00) {
        return SimHidReport::kIdle;
    }
    if (report[1] != 0x60) return SimHidReport::kUnknown;
    if (report[4] == 0x10) return SimHidReport::kSetAddress;
    if (report[4] == 0x20 && report[3] == 0x01) return SimHidReport::kWriteData;
    if (report[4] == 0x30 && report[2] == 0x00 && report[3] == 0x00) return SimHidReport::kGpioRead;
    if ((report[4] & 0xFC) == 0x3C && report[3] == 0xFF) return SimHidReport::kGpioWrite;
    return SimHidReport::kUnknown;
}

bool SimSoundFirmware::HandleOutputReport(std::span<const uint8_t> report) {
    SimHidLogEntry& entry = log_.emplace_back();
    entry.kind = Classify(report);
    entry.bytes.assign(report.begin(), report.end());
    if (entry.kind == SimHidReport::kUnknown || Faulted(entry.kind)) return false;
    // The class driver takes only buffers of exactly the capability length.
    if (report.size() != outputLength_) return false;

    switch (entry.kind) {
        case SimHidReport::kSetAddress:
            address_ = static_cast<uint16_t>(report[2] | (report[3] << 8));
            addressSet_ = true;
            answerPending_ = true;
            answerLow_ = Register(address_);
            answerHigh_ = 0;
            break;
        case SimHidReport::kWriteData:
            if (!addressSet_) return false;
            registers_[address_] = report[2];
            break;
        case SimHidReport::kGpioRead:
            answerPending_ = true;
            answerLow_ = 0;
            for (int line = 0; line < 8; ++line) answerLow_ |= (gpio_[line] & 1) << line;
            answerHigh_ = static_cast<uint8_t>((gpio_[8] & 1) | ((gpio_[9] & 1) << 1));
            break;
        case SimHidReport::kGpioWrite:
            for (int line = 0; line < 8; ++line) gpio_[line] = (report[2] >> line) & 1;
            gpio_[8] = report[4] & 1;
            gpio_[9] = (report[4] >> 1) & 1;
            break;
        default:
            break;
    }
    entry.accepted = true;
    return true;
}

bool SimSoundFirmware::ProduceInputReport(std::span<uint8_t> report) {
    SimHidLogEntry& entry = log_.emplace_back();
    entry.kind = SimHidReport::kInput;
    if (Faulted(SimHidReport::kInput) || report.size() != inputLength_) return false;
    std::fill(report.begin(), report.end(), 0);
    if (answerPending_) {
        if (report.size() > 2) report[2] = answerLow_;
        if (report.size() > 3) report[3] = answerHigh_;
        answerPending_ = false;
    }
    entry.bytes.assign(report.begin(), report.end());
    entry.accepted = true;
    return true;
}

bool SimSoundFirmware::Faulted(SimHidReport kind) {
    if (faults_.count(kind)) return true;
    if (!failOnceArmed_ || failOnce_ != kind) return false;
    if (failOnceSkip_ > 0) {
        --failOnceSkip_;
        return false;
    }
    failOnceArmed_ = false;
    return true;
}

void SimSoundFirmware::SetFault(SimHidReport kind, bool failing) {
    if (failing) {
        faults_.insert(kind);
    } else {
        faults_.erase(kind);
    }
}

std::vector<std::vector<uint8_t>> SimSoundFirmware::SentReports() const {
    std::vector<std::vector<uint8_t>> reports;
    for (const SimHidLogEntry& entry : log_) {
        if (entry.kind != SimHidReport::kInput) reports.push_back(entry.bytes);
    }
    return reports;
}

std::vector<SimHidReport> SimSoundFirmware::LoggedKinds() const {
    std::vector<SimHidReport> kinds;
    for (const SimHidLogEntry& entry : log_) kinds.push_back(entry.kind);
    return kinds;
}

}  // namespace tonedeck
