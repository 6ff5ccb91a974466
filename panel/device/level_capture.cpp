#include "panel/device/level_capture.h"

#include <algorithm>

namespace tonedeck {

uint32_t MeterLevel(std::span<const uint8_t> recorded, uint32_t bufferLength, int32_t meterLength) {
    if (bufferLength == 0) return 0;
    uint32_t sum = 0;
    for (std::size_t i = 0; i < recorded.size() && i < bufferLength; ++i) {
        sum += static_cast<uint32_t>(recorded[i] >= 128 ? recorded[i] - 128 : 128 - recorded[i]);
    }
    const uint32_t average = sum / bufferLength;
    return (static_cast<uint32_t>(meterLength) * 2u * average) >> 7;
}

std::optional<int32_t> MeterWidth(uint32_t level, int32_t meterLength) {
    if (level == 0) return 0;
    if (meterLength < 10) return std::nullopt;
    const uint32_t fitting = static_cast<uint32_t>(meterLength - 10) / 4 + 1;
    const uint32_t k = std::min(level, fitting);
    return static_cast<int32_t>(10 + 4 * (k - 1));
}

void LevelCapture::Start() {
    if (device_) return;
    const WaveInHandle device = wave_.Open(kLevelCaptureFormat);
    if (!device) return;
    device_ = device;
    for (WaveBufferId& buffer : buffers_) buffer = wave_.PrepareBuffer(device_, kLevelBufferBytes);
    for (WaveBufferId buffer : buffers_) {
        if (buffer) wave_.AddBuffer(device_, buffer);
    }
    wave_.Start(device_);
}

void LevelCapture::Stop() {
    if (!device_) return;
    const WaveInHandle device = device_;
    // Cleared first: buffers coming back from here on are not queued again.
    device_ = {};
    wave_.Stop(device);
    wave_.Reset(device);
    for (WaveBufferId& buffer : buffers_) {
        if (buffer) wave_.ReleaseBuffer(device, buffer);
        buffer = {};
    }
    wave_.Close(device);
}

std::optional<uint32_t> LevelCapture::OnBufferFilled(const WaveCompletion& completion,
                                                     int32_t meterLength) {
    const bool ours =
        device_ && completion.device == device_ &&
        std::find(buffers_.begin(), buffers_.end(), completion.buffer) != buffers_.end();
    if (!ours) return std::nullopt;
    const uint32_t level = MeterLevel(completion.recorded, completion.bufferLength, meterLength);
    wave_.AddBuffer(device_, completion.buffer);
    return level;
}

}  // namespace tonedeck
