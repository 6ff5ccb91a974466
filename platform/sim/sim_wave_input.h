#pragma once
// Simulated wave-in on the virtual clock: once started, the head of the queue fills at the
// format's byte rate with samples from a deterministic source (silence or a square tone); a full
// buffer becomes a completion the window takes with NextCompletion().

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <vector>

#include "platform/ports/wave_input.h"
#include "platform/sim/sim_clock.h"

namespace tonedeck {

// 8-bit unsigned samples: 128 for silence; a tone alternates 128 + amplitude and
// 128 - amplitude every half period, so its mean deviation is exactly `amplitude`.
struct SimSampleSource {
    uint8_t amplitude = 0;
    uint32_t periodSamples = 20;
    uint8_t SampleAt(uint64_t index) const;
};

class SimWaveInput : public WaveInput {
  public:
    explicit SimWaveInput(SimClock& clock) : clock_(clock) {}
    ~SimWaveInput() override;

    WaveInHandle Open(const PcmFormat& format) override;
    WaveBufferId PrepareBuffer(WaveInHandle device, uint32_t length) override;
    bool AddBuffer(WaveInHandle device, WaveBufferId buffer) override;
    bool Start(WaveInHandle device) override;
    bool Stop(WaveInHandle device) override;
    bool Reset(WaveInHandle device) override;
    bool ReleaseBuffer(WaveInHandle device, WaveBufferId buffer) override;
    bool Close(WaveInHandle device) override;

    // The oldest completion not yet taken (the window's MM_WIM_DATA).
    std::optional<WaveCompletion> NextCompletion();
    std::size_t PendingCompletions() const { return completions_.size(); }

    // The world.
    SimSampleSource source;
    bool openFails = false;  // no capture device, or the format is refused
    static constexpr uint32_t kTickMs = 5;

    // Inspection.
    std::optional<PcmFormat> lastFormat;
    std::size_t OpenDeviceCount() const { return devices_.size(); }
    std::size_t LiveBufferCount() const { return buffers_.size(); }
    bool Recording() const;
    int closeCount = 0;

  private:
    struct Buffer {
        uint64_t device = 0;
        std::vector<uint8_t> data;
        uint32_t recorded = 0;
        bool queued = false;
    };
    struct Device {
        PcmFormat format;
        std::deque<uint64_t> queue;
        bool recording = false;
        int timer = 0;
    };
    Device* DeviceOf(WaveInHandle device);
    void Tick(uint64_t device);
    // Hands the head buffer back as done.
    void CompleteHead(Device& device);
    void StopTimer(Device& device);

    SimClock& clock_;
    std::map<uint64_t, Device> devices_;
    std::map<uint64_t, Buffer> buffers_;
    std::deque<WaveCompletion> completions_;
    uint64_t nextHandle_ = 0x7100;
    uint64_t sampleIndex_ = 0;
};

}  // namespace tonedeck
