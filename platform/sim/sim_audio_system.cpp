#include "platform/sim/sim_audio_system.h"

#include <cmath>
#include <cstdio>

#include "common/text.h"
#include "platform/sim/sim_registry.h"

namespace tonedeck {
namespace {

// Line IDs as (source + 1) << 16 | destination, the destination line itself with source 0;
// control IDs add the control's index in the low four bits.
uint32_t LineId(uint32_t destination, uint32_t sourcePlusOne) {
    return (sourcePlusOne << 16) | destination;
}

}  // namespace

std::optional<std::vector<CaptureDeviceEntry>> SimAudioSystem::CaptureDevices() {
    if (captureEnumerationFails) return std::nullopt;
    return captureDevices;
}

std::optional<std::vector<CaptureEndpointEntry>> SimAudioSystem::ActiveCaptureEndpoints() {
    if (enumeratorFails) return std::nullopt;
    std::vector<CaptureEndpointEntry> list;
    for (const SimCaptureEndpoint& endpoint : endpoints) {
        if (!endpoint.active) continue;
        CaptureEndpointEntry entry{endpoint.id, endpoint.friendlyName};
        if (endpoint.nameReadFails) entry.friendlyName.reset();
        list.push_back(entry);
    }
    return list;
}

SimCaptureEndpoint* SimAudioSystem::Endpoint(const std::u16string& id) {
    for (SimCaptureEndpoint& endpoint : endpoints) {
        if (endpoint.id == id && endpoint.active) return &endpoint;
    }
    return nullptr;
}

std::optional<VolumeStepInfo> SimAudioSystem::GetVolumeStep(const std::u16string& endpoint) {
    ++endpointCalls;
    SimCaptureEndpoint* e = Endpoint(endpoint);
    if (!e || e->volumeFails) return std::nullopt;
    return VolumeStepInfo{e->step, e->stepCount};
}

bool SimAudioSystem::SetVolumeLevelScalar(const std::u16string& endpoint, float level) {
    ++endpointCalls;
    SimCaptureEndpoint* e = Endpoint(endpoint);
    if (!e || e->volumeFails || level < 0.0f || level > 1.0f) return false;
    e->scalarsSet.push_back(level);
    // The nearest step: the steps are spread evenly over the scalar range.
    const double steps = e->stepCount > 0 ? e->stepCount - 1 : 0;
    e->step = static_cast<uint32_t>(std::lround(level * steps));
    return true;
}

std::optional<bool> SimAudioSystem::GetMute(const std::u16string& endpoint) {
    ++endpointCalls;
    SimCaptureEndpoint* e = Endpoint(endpoint);
    if (!e || e->volumeFails) return std::nullopt;
    return e->mute;
}

bool SimAudioSystem::SetMute(const std::u16string& endpoint, bool mute) {
    ++endpointCalls;
    SimCaptureEndpoint* e = Endpoint(endpoint);
    if (!e || e->volumeFails) return false;
    e->mute = mute;
    return true;
}

std::optional<bool> SimAudioSystem::GetAutoGainControl(const std::u16string& endpoint) {
    ++endpointCalls;
    SimCaptureEndpoint* e = Endpoint(endpoint);
    if (!e || !e->hasAutoGainControl) return std::nullopt;
    return e->autoGainControl;
}

bool SimAudioSystem::SetAutoGainControl(const std::u16string& endpoint, bool enabled) {
    ++endpointCalls;
    SimCaptureEndpoint* e = Endpoint(endpoint);
    if (!e || !e->hasAutoGainControl) return false;
    e->autoGainControl = enabled;
    return true;
}

MixerHandle SimAudioSystem::OpenMixer(uint32_t index) {
    if (index >= mixers.size() || !mixers[index].opens) return {};
    const uint64_t handle = nextMixerHandle_++;
    openMixers_[handle] = index;
    return MixerHandle(handle);
}

void SimAudioSystem::CloseMixer(MixerHandle mixer) { openMixers_.erase(mixer.value()); }

SimMixer* SimAudioSystem::MixerOf(MixerHandle mixer) {
    auto it = openMixers_.find(mixer.value());
    return it == openMixers_.end() ? nullptr : &mixers[it->second];
}

SimMixerLine* SimAudioSystem::LineOf(SimMixer& mixer, uint32_t lineId) {
    const uint32_t destination = lineId & 0xFFFF;
    const uint32_t sourcePlusOne = lineId >> 16;
    if (destination >= mixer.destinations.size()) return nullptr;
    SimMixerDestination& d = mixer.destinations[destination];
    if (sourcePlusOne == 0) return &d.line;
    if (sourcePlusOne > d.sources.size()) return nullptr;
    return &d.sources[sourcePlusOne - 1];
}

SimMixerControl* SimAudioSystem::ControlOf(SimMixer& mixer, uint32_t controlId) {
    SimMixerLine* line = LineOf(mixer, controlId >> 4);
    const uint32_t index = controlId & 0xF;
    if (!line || index >= line->controls.size()) return nullptr;
    return &line->controls[index];
}

std::optional<MixerLineInfo> SimAudioSystem::DestinationLineOfType(MixerHandle mixer,
                                                                   uint32_t componentType) {
    SimMixer* m = MixerOf(mixer);
    if (!m) return std::nullopt;
    for (uint32_t d = 0; d < m->destinations.size(); ++d) {
        const SimMixerDestination& destination = m->destinations[d];
        if (destination.line.componentType != componentType) continue;
        return MixerLineInfo{LineId(d, 0), d, componentType,
                             static_cast<uint32_t>(destination.sources.size()),
                             destination.line.targetName};
    }
    return std::nullopt;
}

std::optional<MixerLineInfo> SimAudioSystem::SourceLine(MixerHandle mixer, uint32_t destination,
                                                        uint32_t source) {
    SimMixer* m = MixerOf(mixer);
    if (!m || destination >= m->destinations.size()) return std::nullopt;
    const SimMixerDestination& d = m->destinations[destination];
    if (source >= d.sources.size()) return std::nullopt;
    const SimMixerLine& line = d.sources[source];
    return MixerLineInfo{LineId(destination, source + 1), destination, line.componentType, 0,
                         line.targetName};
}

std::optional<MixerControlInfo> SimAudioSystem::ControlOfType(MixerHandle mixer, uint32_t lineId,
                                                              uint32_t controlType) {
    SimMixer* m = MixerOf(mixer);
    SimMixerLine* line = m ? LineOf(*m, lineId) : nullptr;
    if (!line) return std::nullopt;
    for (uint32_t c = 0; c < line->controls.size(); ++c) {
        const SimMixerControl& control = line->controls[c];
        if (control.type == controlType) {
            return MixerControlInfo{(lineId << 4) | c, control.minimum, control.maximum};
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> SimAudioSystem::GetControlValue(MixerHandle mixer, uint32_t controlId) {
    SimMixer* m = MixerOf(mixer);
    SimMixerControl* control = m ? ControlOf(*m, controlId) : nullptr;
    if (!control) return std::nullopt;
    return control->value;
}

bool SimAudioSystem::SetControlValue(MixerHandle mixer, uint32_t controlId, uint32_t value) {
    SimMixer* m = MixerOf(mixer);
    SimMixerControl* control = m ? ControlOf(*m, controlId) : nullptr;
    if (!control) return false;
    control->value = value;
    return true;
}

void AddUsbMicrophone(SimAudioSystem& audio, const SimUsbMicrophone& microphone) {
    char path[128];
    std::snprintf(path, sizeof path,
                  "\\\\?\\usb#vid_%04x&pid_%04x&mi_00#7&2a1b3c4d&0&0000#"
                  "{65e8773d-8f56-11d0-a3b9-00a0c9223196}\\global",
                  microphone.vendorId, microphone.productId);
    audio.captureDevices.push_back(CaptureDeviceEntry{true, microphone.name, Utf8ToU16(path)});
    SimCaptureEndpoint endpoint;
    endpoint.id = microphone.endpointId;
    endpoint.friendlyName = u"Microphone (" + microphone.name + u")";
    audio.endpoints.push_back(endpoint);
}

void PutCaptureEndpointKey(SimRegistry& registry, const std::u16string& endpointGuid,
                           const std::u16string& deviceText) {
    registry.PutValue(RegistryRoot::kLocalMachine, SimRegistryView::kNative,
                      std::u16string(kCaptureEndpointsKey) + u"\\" + endpointGuid + u"\\Properties",
                      u"{233164c8-1b2c-4c7d-bc68-b671687a2567},1", RegistryType::kSz,
                      RegistryStringBytes(deviceText));
}

}  // namespace tonedeck
