#pragma once
// The firmware behind the sound device's HID interface: 8-bit registers at 16-bit addresses,
// ten GPIO lines, the five vendor reports, and a log of every report in order.
//
// Power-on state (PowerOn):
//   256 = 0x41   DSP enable (bit 2) off; bits 0 and 6 set so read-modify-write shows
//   288..296     equalizer bands 1024 each: even addresses 0x00, odd addresses 0x04
//   297 = 0xE4   band 5 high nibble 4, fixed flags (bits 5, 6) set, bypass (bit 7) set
//   394 = 0x25   FBM (bit 0) on, 3D enable (bit 6) off; bits 2 and 5 set as foreign bits
//   395 = 0xA3, 396 = 0xA3   alpha 10, beta 3 on each side
//   every other register 0x00
//   GPIO lines 2 and 9 high, the rest low
// Report lengths: 9 bytes out, 9 bytes in, both configurable.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <vector>

namespace tonedeck {

enum class SimHidReport {
    kSetAddress,
    kWriteData,
    kGpioRead,
    kGpioWrite,
    kIdle,
    kInput,    // an input report fetched by the host
    kUnknown,  // an output report of no known kind (rejected)
};

struct SimHidLogEntry {
    SimHidReport kind = SimHidReport::kUnknown;
    std::vector<uint8_t> bytes;  // as sent, or as answered for kInput
    bool accepted = false;
};

class SimSoundFirmware {
  public:
    using Lines = std::array<uint8_t, 10>;

    SimSoundFirmware() { PowerOn(); }

    // Registers and GPIO back to their power-on values; the log and the faults stay.
    void PowerOn();

    uint8_t Register(uint16_t address) const;
    void SetRegister(uint16_t address, uint8_t value) { registers_[address] = value; }
    // Every register written since power-on, and the power-on ones.
    const std::map<uint16_t, uint8_t>& registers() const { return registers_; }
    const Lines& gpio() const { return gpio_; }
    void SetGpio(const Lines& lines) { gpio_ = lines; }

    uint16_t outputReportLength() const { return outputLength_; }
    uint16_t inputReportLength() const { return inputLength_; }
    void SetReportLengths(uint16_t output, uint16_t input) {
        outputLength_ = output;
        inputLength_ = input;
    }

    // False when the report is rejected (fault, unknown kind, shorter than five bytes, or a
    // write-data report with no address set).
    bool HandleOutputReport(std::span<const uint8_t> report);
    // The answer of the last set-address or GPIO-read report in byte 2 (and byte 3), then
    // zeros; the answer is consumed.
    bool ProduceInputReport(std::span<uint8_t> report);

    // Reports of this kind fail until cleared.
    void SetFault(SimHidReport kind, bool failing);
    // Only the report of this kind that comes after `skip` others fails; the rest pass.
    void FailOnce(SimHidReport kind, std::size_t skip = 0) {
        failOnce_ = kind;
        failOnceSkip_ = skip;
        failOnceArmed_ = true;
    }
    // Whether a FailOnce fault is still waiting for its report.
    bool FailOncePending() const { return failOnceArmed_; }
    void ClearFaults() {
        faults_.clear();
        failOnceArmed_ = false;
    }

    const std::vector<SimHidLogEntry>& log() const { return log_; }
    // Output reports only, as sent, in order.
    std::vector<std::vector<uint8_t>> SentReports() const;
    std::vector<SimHidReport> LoggedKinds() const;
    void ClearLog() { log_.clear(); }

    static SimHidReport Classify(std::span<const uint8_t> report);

  private:
    // Whether a report of this kind is to fail now; consumes a one-shot fault.
    bool Faulted(SimHidReport kind);

    std::map<uint16_t, uint8_t> registers_;
    Lines gpio_{};
    uint16_t outputLength_ = 9;
    uint16_t inputLength_ = 9;
    bool addressSet_ = false;
    uint16_t address_ = 0;
    bool answerPending_ = false;
    uint8_t answerLow_ = 0;
    uint8_t answerHigh_ = 0;
    std::set<SimHidReport> faults_;
    bool failOnceArmed_ = false;
    SimHidReport failOnce_ = SimHidReport::kUnknown;
    std::size_t failOnceSkip_ = 0;
    std::vector<SimHidLogEntry> log_;
};

}  // namespace tonedeck
