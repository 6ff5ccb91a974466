#include "platform/sim/sim_filter_driver.h"

#include <algorithm>
#include <bit>

namespace tonedeck {

namespace {

uint32_t U32At(std::span<const uint8_t> bytes, std::size_t offset) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= uint32_t{bytes[offset + i]} << (8 * i);
    return value;
}

void PutU32(std::span<uint8_t> bytes, std::size_t offset, uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

std::u16string Hex4(uint16_t value) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string text;
    for (int shift = 12; shift >= 0; shift -= 4) text += kHex[(value >> shift) & 0xF];
    return text;
}

}  // namespace

std::u16string SimFilterDriver::DevicePath(uint16_t vendorId, uint16_t productId) {
    return u"\\\\.\\Class#TonedeckExtension&" + Hex4(vendorId) + u"&" + Hex4(productId);
}

std::u16string SimFilterDriver::ControlDevicePath() {
    return u"\\\\.\\Class#TonedeckExtension&0C76&00";
}

bool SimFilterDriver::Handle(const std::u16string& path, uint32_t code,
                             std::span<const uint8_t> input, std::span<uint8_t> output,
                             uint32_t& bytesReturned) {
    SimDriverRequest& request = requests_.emplace_back();
    request.path = path;
    request.code = code;
    // Buffered I/O: the input is copied before the output is written, so the two may overlap.
    request.input.assign(input.begin(), input.end());
    request.outputSize = output.size();
    bytesReturned = 0;
    if (faults_.count(code)) return false;
    const std::vector<uint8_t> copy = request.input;
    request.succeeded = Answer(code, copy, output, bytesReturned);
    request.bytesReturned = bytesReturned;
    return request.succeeded;
}

bool SimFilterDriver::Answer(uint32_t code, std::span<const uint8_t> input,
                             std::span<uint8_t> output, uint32_t& bytesReturned) {
    switch (code) {
        case kExchangeParameter: {
            if (input.size() != 8 || output.size() < 8) return false;
            if (exchangeNoData_) return true;
            const uint16_t parameter = static_cast<uint16_t>(input[2] | (input[3] << 8));
            std::copy(input.begin(), input.end(), output.begin());
            const auto it = parameters_.find(parameter);
            PutU32(output, 4, it == parameters_.end() ? 0 : it->second);
            bytesReturned = 8;
            return true;
        }
        case kRoomEffect: {
            if (input.size() != 8) return false;
            const uint32_t effect = U32At(input, 4);
            if (effect > 4) return false;
            roomEffect_ = effect;
            if (output.size() >= 8) {
                std::copy(input.begin(), input.end(), output.begin());
                bytesReturned = 8;
            }
            return true;
        }
        case kSpeakerMap: {
            if (input.size() != 72) return false;
            speakerEnable_ = U32At(input, 4);
            for (std::size_t i = 0; i < speakerValues_.size(); ++i) {
                speakerValues_[i] = std::bit_cast<float>(U32At(input, 8 + 4 * i));
            }
            return true;
        }
        case kQueryStatus: {
            if (input.size() != 8 || output.size() < 8) return false;
            PutU32(output, 0, 1);
            PutU32(output, 4, status_);
            bytesReturned = 8;
            return true;
        }
        default:
            return false;
    }
}

void SimFilterDriver::SetFault(uint32_t code, bool failing) {
    if (failing) {
        faults_.insert(code);
    } else {
        faults_.erase(code);
    }
}

std::vector<uint32_t> SimFilterDriver::RequestCodes() const {
    std::vector<uint32_t> codes;
    for (const SimDriverRequest& request : requests_) codes.push_back(request.code);
    return codes;
}

}  // namespace tonedeck
