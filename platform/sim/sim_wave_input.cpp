#include "platform/sim/sim_wave_input.h"

#include <algorithm>

namespace tonedeck {

uint8_t SimSampleSource::SampleAt(uint64_t index) const {
    if (amplitude == 0 || periodSamples < 2) return 128;
    const bool high = (index % periodSamples) < periodSamples / 2;
    return static_cast<uint8_t>(high ? 128 + amplitude : 128 - amplitude);
}

SimWaveInput::~SimWaveInput() {
    for (auto& [handle, device] : devices_) StopTimer(device);
}

SimWaveInput::Device* SimWaveInput::DeviceOf(WaveInHandle device) {
    auto it = devices_.find(device.value());
    return it == devices_.end() ? nullptr : &it->second;
}

bool SimWaveInput::Recording() const {
    return std::any_of(devices_.begin(), devices_.end(),
                       [](const auto& entry) { return entry.second.recording; });
}

WaveInHandle SimWaveInput::Open(const PcmFormat& format) {
    lastFormat = format;
    if (openFails) return {};
    const uint64_t handle = nextHandle_++;
    devices_[handle].format = format;
    return WaveInHandle(handle);
}

WaveBufferId SimWaveInput::PrepareBuffer(WaveInHandle device, uint32_t length) {
    if (!DeviceOf(device) || length == 0) return {};
    const uint64_t id = nextHandle_++;
    buffers_[id] = Buffer{device.value(), std::vector<uint8_t>(length, 0), 0, false};
    return WaveBufferId(id);
}

bool SimWaveInput::AddBuffer(WaveInHandle device, WaveBufferId buffer) {
    Device* d = DeviceOf(device);
    auto it = buffers_.find(buffer.value());
    if (!d || it == buffers_.end() || it->second.device != device.value() || it->second.queued) {
        return false;
    }
    it->second.queued = true;
    it->second.recorded = 0;
    d->queue.push_back(buffer.value());
    return true;
}

bool SimWaveInput::Start(WaveInHandle device) {
    Device* d = DeviceOf(device);
    if (!d) return false;
    if (!d->recording) {
        d->recording = true;
        const uint64_t handle = device.value();
        d->timer = clock_.StartTimer(kTickMs, [this, handle] { Tick(handle); });
    }
    return true;
}

void SimWaveInput::StopTimer(Device& device) {
    if (device.timer != 0) clock_.StopTimer(device.timer);
    device.timer = 0;
    device.recording = false;
}

void SimWaveInput::Tick(uint64_t handle) {
    auto it = devices_.find(handle);
    if (it == devices_.end()) return;
    Device& device = it->second;
    uint32_t bytes = device.format.bytesPerSecond * kTickMs / 1000;
    while (bytes > 0 && !device.queue.empty()) {
        Buffer& buffer = buffers_[device.queue.front()];
        while (bytes > 0 && buffer.recorded < buffer.data.size()) {
            buffer.data[buffer.recorded++] = source.SampleAt(sampleIndex_++);
            --bytes;
        }
        if (buffer.recorded == buffer.data.size()) CompleteHead(device);
    }
}

void SimWaveInput::CompleteHead(Device& device) {
    const uint64_t id = device.queue.front();
    device.queue.pop_front();
    Buffer& buffer = buffers_[id];
    buffer.queued = false;
    WaveCompletion completion;
    completion.device = WaveInHandle(buffer.device);
    completion.buffer = WaveBufferId(id);
    completion.bufferLength = static_cast<uint32_t>(buffer.data.size());
    completion.recorded.assign(buffer.data.begin(), buffer.data.begin() + buffer.recorded);
    completions_.push_back(std::move(completion));
}

bool SimWaveInput::Stop(WaveInHandle device) {
    Device* d = DeviceOf(device);
    if (!d) return false;
    // The buffer being filled comes back with what it holds; empty ones stay queued.
    if (d->recording && !d->queue.empty() && buffers_[d->queue.front()].recorded > 0) {
        CompleteHead(*d);
    }
    StopTimer(*d);
    return true;
}

bool SimWaveInput::Reset(WaveInHandle device) {
    Device* d = DeviceOf(device);
    if (!d) return false;
    StopTimer(*d);
    while (!d->queue.empty()) CompleteHead(*d);
    return true;
}

bool SimWaveInput::ReleaseBuffer(WaveInHandle device, WaveBufferId buffer) {
    auto it = buffers_.find(buffer.value());
    if (!DeviceOf(device) || it == buffers_.end() || it->second.device != device.value() ||
        it->second.queued) {
        return false;
    }
    buffers_.erase(it);
    return true;
}

bool SimWaveInput::Close(WaveInHandle device) {
    Device* d = DeviceOf(device);
    if (!d || !d->queue.empty()) return false;
    StopTimer(*d);
    std::erase_if(buffers_,
                  [&](const auto& entry) { return entry.second.device == device.value(); });
    devices_.erase(device.value());
    ++closeCount;
    return true;
}

std::optional<WaveCompletion> SimWaveInput::NextCompletion() {
    if (completions_.empty()) return std::nullopt;
    WaveCompletion completion = std::move(completions_.front());
    completions_.pop_front();
    return completion;
}

}  // namespace tonedeck
