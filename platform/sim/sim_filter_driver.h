#pragma once
// Stand-in for the audio filter driver: answers the four I/O control requests, keeps what
// they set, and records every request with its raw bytes.
//
// Answers: the status query returns `status()` (1 by default); the parameter exchange returns
// the driver's value for the parameter (parameter 0: 0x00010000 by default) and does not store
// the value sent; room effects above 4 and records of the wrong size are rejected.

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace tonedeck {

struct SimDriverRequest {
    std::u16string path;  // as opened
    uint32_t code = 0;
    std::vector<uint8_t> input;
    std::size_t outputSize = 0;
    bool succeeded = false;
    uint32_t bytesReturned = 0;
};

class SimFilterDriver {
  public:
    static constexpr uint32_t kExchangeParameter = 0x223028;
    static constexpr uint32_t kRoomEffect = 0x2230F0;
    static constexpr uint32_t kSpeakerMap = 0x223140;
    static constexpr uint32_t kQueryStatus = 0x223190;

    // "\\.\Class#TonedeckExtension&%.4X&%.4X"
    static std::u16string DevicePath(uint16_t vendorId, uint16_t productId);
    static std::u16string ControlDevicePath();

    bool Handle(const std::u16string& path, uint32_t code, std::span<const uint8_t> input,
                std::span<uint8_t> output, uint32_t& bytesReturned);

    // Faults and answers on demand.
    void SetFault(uint32_t code, bool failing);
    void SetExchangeReturnsNoData(bool noData) { exchangeNoData_ = noData; }
    void SetParameterValue(uint16_t parameter, uint32_t value) { parameters_[parameter] = value; }
    void SetStatus(uint32_t status) { status_ = status; }
    uint32_t status() const { return status_; }

    // What the requests left behind.
    uint32_t roomEffect() const { return roomEffect_; }
    uint32_t speakerEnable() const { return speakerEnable_; }
    const std::array<float, 16>& speakerValues() const { return speakerValues_; }

    const std::vector<SimDriverRequest>& requests() const { return requests_; }
    std::vector<uint32_t> RequestCodes() const;
    void ClearRequests() { requests_.clear(); }

  private:
    bool Answer(uint32_t code, std::span<const uint8_t> input, std::span<uint8_t> output,
                uint32_t& bytesReturned);

    std::set<uint32_t> faults_;
    bool exchangeNoData_ = false;
    std::map<uint16_t, uint32_t> parameters_{{0, 0x00010000}};
    uint32_t status_ = 1;
    uint32_t roomEffect_ = 0;
    uint32_t speakerEnable_ = 0;
    std::array<float, 16> speakerValues_{};
    std::vector<SimDriverRequest> requests_;
};

}  // namespace tonedeck
