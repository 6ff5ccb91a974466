#pragma once
// The microphone level meter's recording: 8 kHz mono 8-bit capture from the wave mapper into
// two 50 ms buffers, and the arithmetic that turns a filled buffer into the bar's width.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/ports/wave_input.h"

namespace tonedeck {

inline constexpr PcmFormat kLevelCaptureFormat{1, 8000, 8, 1, 8000};
inline constexpr uint32_t kLevelBufferBytes = 400;

// (meterLength × 2 × average |b − 128|) >> 7 in unsigned 32-bit arithmetic; the average is
// over the whole buffer length, bytes not recorded counting as silence.
uint32_t MeterLevel(std::span<const uint8_t> recorded, uint32_t bufferLength, int32_t meterLength);

// The bar's width for a level: 0 for level 0; otherwise 10 + 4 × (k − 1) with
// k = min(level, (meterLength − 10) / 4 + 1); nullopt (width unchanged) when the meter is
// shorter than 10 pixels.
std::optional<int32_t> MeterWidth(uint32_t level, int32_t meterLength);

class LevelCapture {
  public:
    explicit LevelCapture(WaveInput& wave) : wave_(wave) {}
    ~LevelCapture() { Stop(); }
    LevelCapture(const LevelCapture&) = delete;
    LevelCapture& operator=(const LevelCapture&) = delete;

    // `StartLevelCapture`; nothing when already recording or when the open fails.
    void Start();
    // `StopLevelCapture`: stop, reset, free the buffers, close.
    void Stop();
    bool Running() const { return device_.valid(); }

    // A filled buffer: its level, and the buffer queued again while the capture is open.
    // nullopt for a buffer of a capture that has ended.
    std::optional<uint32_t> OnBufferFilled(const WaveCompletion& completion, int32_t meterLength);

  private:
    WaveInput& wave_;
    WaveInHandle device_;
    std::array<WaveBufferId, 2> buffers_{};
};

}  // namespace tonedeck
