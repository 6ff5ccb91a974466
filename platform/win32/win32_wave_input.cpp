#include "platform/win32/win32_wave_input.h"

#include <algorithm>
#include <vector>

namespace tonedeck {

Win32WaveInput::~Win32WaveInput() {
    std::vector<uint64_t> open;
    for (const auto& [id, device] : devices_) open.push_back(id);
    for (uint64_t id : open) {
        const WaveInHandle device(id);
        Reset(device);
        std::vector<uint64_t> owned;
        for (const auto& [bufferId, buffer] : buffers_) {
            if (buffer->device == id) owned.push_back(bufferId);
        }
        for (uint64_t bufferId : owned) ReleaseBuffer(device, WaveBufferId(bufferId));
        Close(device);
    }
}

HWAVEIN Win32WaveInput::DeviceOf(WaveInHandle device) const {
    const auto it = devices_.find(device.value());
    return it == devices_.end() ? nullptr : it->second;
}

Win32WaveInput::Buffer* Win32WaveInput::BufferOf(WaveInHandle device, WaveBufferId buffer) {
    const auto it = buffers_.find(buffer.value());
    if (it == buffers_.end() || it->second->device != device.value()) return nullptr;
    return it->second.get();
}

WaveInHandle Win32WaveInput::Open(const PcmFormat& format) {
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.samplesPerSecond;
    wave.nAvgBytesPerSec = format.bytesPerSecond;
    wave.nBlockAlign = format.blockAlign;
    wave.wBitsPerSample = format.bitsPerSample;
    wave.cbSize = 0;
    HWAVEIN device = nullptr;
    if (waveInOpen(&device, WAVE_MAPPER, &wave, reinterpret_cast<DWORD_PTR>(window_), 0,
                   CALLBACK_WINDOW) != MMSYSERR_NOERROR ||
        !device) {
        return {};
    }
    const uint64_t id = nextId_++;
    devices_[id] = device;
    return WaveInHandle(id);
}

WaveBufferId Win32WaveInput::PrepareBuffer(WaveInHandle device, uint32_t length) {
    HWAVEIN handle = DeviceOf(device);
    if (!handle || length == 0) return {};
    auto buffer = std::make_unique<Buffer>();
    buffer->device = device.value();
    buffer->data = std::make_unique<char[]>(length);
    buffer->header.lpData = buffer->data.get();
    buffer->header.dwBufferLength = length;
    buffer->header.dwLoops = 1;
    if (waveInPrepareHeader(handle, &buffer->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        return {};
    }
    const uint64_t id = nextId_++;
    buffers_[id] = std::move(buffer);
    return WaveBufferId(id);
}

bool Win32WaveInput::AddBuffer(WaveInHandle device, WaveBufferId buffer) {
    HWAVEIN handle = DeviceOf(device);
    Buffer* b = BufferOf(device, buffer);
    return handle && b && waveInAddBuffer(handle, &b->header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
}

bool Win32WaveInput::Start(WaveInHandle device) {
    HWAVEIN handle = DeviceOf(device);
    return handle && waveInStart(handle) == MMSYSERR_NOERROR;
}

bool Win32WaveInput::Stop(WaveInHandle device) {
    HWAVEIN handle = DeviceOf(device);
    return handle && waveInStop(handle) == MMSYSERR_NOERROR;
}

bool Win32WaveInput::Reset(WaveInHandle device) {
    HWAVEIN handle = DeviceOf(device);
    return handle && waveInReset(handle) == MMSYSERR_NOERROR;
}

bool Win32WaveInput::ReleaseBuffer(WaveInHandle device, WaveBufferId buffer) {
    HWAVEIN handle = DeviceOf(device);
    Buffer* b = BufferOf(device, buffer);
    // A buffer the driver still holds is kept; it goes with the device.
    if (!handle || !b || (b->header.dwFlags & WHDR_INQUEUE) ||
        waveInUnprepareHeader(handle, &b->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        return false;
    }
    buffers_.erase(buffer.value());
    return true;
}

bool Win32WaveInput::Close(WaveInHandle device) {
    HWAVEIN handle = DeviceOf(device);
    if (!handle || waveInClose(handle) != MMSYSERR_NOERROR) return false;
    std::erase_if(buffers_,
                  [&](const auto& entry) { return entry.second->device == device.value(); });
    devices_.erase(device.value());
    return true;
}

std::optional<WaveCompletion> Win32WaveInput::TakeCompletion(WPARAM wParam, LPARAM lParam) {
    const auto sender = reinterpret_cast<HWAVEIN>(wParam);
    const auto* header = reinterpret_cast<const WAVEHDR*>(lParam);
    for (const auto& [id, buffer] : buffers_) {
        if (&buffer->header != header) continue;
        const auto device = devices_.find(buffer->device);
        if (device == devices_.end() || device->second != sender ||
            !(buffer->header.dwFlags & WHDR_DONE) || (buffer->header.dwFlags & WHDR_INQUEUE)) {
            return std::nullopt;
        }
        WaveCompletion completion;
        completion.device = WaveInHandle(buffer->device);
        completion.buffer = WaveBufferId(id);
        completion.bufferLength = buffer->header.dwBufferLength;
        const DWORD recorded =
            std::min(buffer->header.dwBytesRecorded, buffer->header.dwBufferLength);
        completion.recorded.assign(buffer->data.get(), buffer->data.get() + recorded);
        return completion;
    }
    return std::nullopt;
}

}  // namespace tonedeck
