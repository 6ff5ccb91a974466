#pragma once
// Wave-in capture from the wave mapper. Filled buffers come back to the window as messages; the
// window turns each into a `WaveCompletion` through its adapter and hands it on.

#include <cstdint>
#include <vector>

#include "platform/ports/device_handle.h"

namespace tonedeck {

using WaveInHandle = OpaqueHandle<struct WaveInHandleTag>;
using WaveBufferId = OpaqueHandle<struct WaveBufferTag>;

// WAVEFORMATEX for PCM, without extra bytes.
struct PcmFormat {
    uint16_t channels = 1;
    uint32_t samplesPerSecond = 8000;
    uint16_t bitsPerSample = 8;
    uint16_t blockAlign = 1;
    uint32_t bytesPerSecond = 8000;
};

struct WaveCompletion {
    WaveInHandle device;
    WaveBufferId buffer;
    uint32_t bufferLength = 0;
    std::vector<uint8_t> recorded;  // the bytes recorded, at most bufferLength
};

class WaveInput {
  public:
    virtual ~WaveInput() = default;
    // waveInOpen on the wave mapper with completions to the window. None on failure.
    virtual WaveInHandle Open(const PcmFormat& format) = 0;
    // A data buffer of `length` bytes with its header (loop count 1), prepared. None on failure.
    virtual WaveBufferId PrepareBuffer(WaveInHandle device, uint32_t length) = 0;
    virtual bool AddBuffer(WaveInHandle device, WaveBufferId buffer) = 0;
    virtual bool Start(WaveInHandle device) = 0;
    virtual bool Stop(WaveInHandle device) = 0;
    // Ends recording and returns every queued buffer.
    virtual bool Reset(WaveInHandle device) = 0;
    // Unprepares the header and frees the buffer; refused while the buffer is queued.
    virtual bool ReleaseBuffer(WaveInHandle device, WaveBufferId buffer) = 0;
    // Refused while buffers are queued; buffers still held are freed with the device.
    virtual bool Close(WaveInHandle device) = 0;
};

}  // namespace tonedeck
