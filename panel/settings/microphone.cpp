#include "panel/settings/microphone.h"

#include <algorithm>
#include <string>

#include "common/text.h"
#include "panel/device/capture_endpoint.h"
#include "panel/settings/mic_slider.h"

namespace tonedeck {

Microphone::Microphone(Ports ports, OsClass osClass, std::function<VidPid()> deviceIds)
    : ports_(ports), osClass_(osClass), deviceIds_(std::move(deviceIds)), capture_(ports.wave) {}

bool Microphone::FindCaptureEndpoint() {
    const VidPid ids = deviceIds_();
    endpoint_ = OpenCaptureEndpoint(ports_.audio, ids.vendorId, ids.productId);
    return endpoint_.has_value();
}

void Microphone::ForgetEndpointAndCapture() {
    endpoint_.reset();
    capture_.Stop();
}

std::optional<std::u16string> Microphone::Endpoint() {
    if (endpoint_) return endpoint_;
    const VidPid ids = deviceIds_();
    return OpenCaptureEndpoint(ports_.audio, ids.vendorId, ids.productId);
}

bool Microphone::MixerValue(MixerOperation operation, uint32_t& value, uint32_t& minimum,
                            uint32_t& maximum) {
    const VidPid ids = deviceIds_();
    return MixerControl(ports_.audio, operation, value, minimum, maximum, ids.vendorId,
                        ids.productId) == 1;
}

void Microphone::ShowGain(SoundSettings& settings, int percent) {
    settings.micGain = percent;
    ports_.view.ShowMicValue(percent);
    ports_.view.PlaceMicSlider(MicPlaceFromPercent(percent, ports_.view.Layout()));
}

bool Microphone::ReadBackGain(SoundSettings& settings) {
    if (CoreAudio()) {
        const auto endpoint = Endpoint();
        int percent = 0;
        if (!endpoint || GetMicGain(ports_.audio, *endpoint, percent) != kEndpointOk) return false;
        ShowGain(settings, percent);
        return true;
    }
    uint32_t value = 0, minimum = 0, maximum = 0;
    if (!MixerValue(MixerOperation::kGetVolume, value, minimum, maximum)) {
        return false;
    }
    // A control without a range has no percent.
    if (maximum <= minimum) return false;
    const double percent = static_cast<double>(value) / (maximum - minimum) * 100.0;
    ShowGain(settings, std::clamp(static_cast<int>(percent), 0, 100));
    return true;
}

void Microphone::ReadBackMic(SoundSettings& settings) {
    if (CoreAudio() && !endpoint_) endpoint_ = Endpoint();
    if (ReadBackGain(settings)) {
        // Boost and mute are read each on its own: an endpoint without an automatic gain
        // control still reports its mute.
        if (CoreAudio()) {
            bool boost = false, mute = false;
            if (GetMicBoost(ports_.audio, *endpoint_, boost) == kEndpointOk) {
                settings.micBoost = boost;
                ports_.view.ShowMicSwitch(kMicBoostTag, boost);
            }
            if (GetMicMute(ports_.audio, *endpoint_, mute) == kEndpointOk) {
                settings.micMute = mute;
                ports_.view.ShowMicSwitch(kMicMuteTag, mute);
            }
        } else {
            uint32_t value = 0, minimum = 0, maximum = 0;
            if (MixerValue(MixerOperation::kGetBoost, value, minimum, maximum)) {
                settings.micBoost = value != 0;
                ports_.view.ShowMicSwitch(kMicBoostTag, settings.micBoost);
            }
            if (MixerValue(MixerOperation::kGetMute, value, minimum, maximum)) {
                settings.micMute = value != 0;
                ports_.view.ShowMicSwitch(kMicMuteTag, settings.micMute);
            }
        }
    }
    // The endpoint is held only for the operation that looked it up.
    endpoint_.reset();
}

void Microphone::ApplyGainPlace(SoundSettings& settings, int top) {
    const SkinLayout& layout = ports_.view.Layout();
    const int place = ClampMicSliderTop(top, layout);
    ports_.view.PlaceMicSlider(place);
    const int percent = std::clamp(MicPercentFromPlace(place, layout), 0, 100);
    const std::u16string trace = Utf8ToU16(" " + std::to_string(percent) + "\n");
    if (CoreAudio()) {
        const auto endpoint = Endpoint();
        if (!endpoint) return;
        ports_.system.Trace(trace);
        SetMicGain(ports_.audio, *endpoint, percent);
    } else {
        ports_.system.Trace(trace);
        uint32_t value = static_cast<uint32_t>(percent) * 65535u / 100u, minimum = 0, maximum = 0;
        MixerValue(MixerOperation::kSetVolume, value, minimum, maximum);
    }
    ReadBackGain(settings);
    endpoint_.reset();
}

void Microphone::SetBoost(bool on) {
    if (CoreAudio()) {
        if (const auto endpoint = Endpoint()) SetMicBoost(ports_.audio, *endpoint, on);
    } else {
        uint32_t value = on ? 1 : 0, minimum = 0, maximum = 0;
        MixerValue(MixerOperation::kSetBoost, value, minimum, maximum);
    }
    endpoint_.reset();
}

void Microphone::SetMute(bool on) {
    if (CoreAudio()) {
        if (const auto endpoint = Endpoint()) SetMicMute(ports_.audio, *endpoint, on);
    } else {
        uint32_t value = on ? 1 : 0, minimum = 0, maximum = 0;
        MixerValue(MixerOperation::kSetMute, value, minimum, maximum);
    }
    endpoint_.reset();
}

void Microphone::OnBufferFilled(const WaveCompletion& completion) {
    const int32_t meterLength = ports_.view.Layout().MicMeterLength;
    const auto level = capture_.OnBufferFilled(completion, meterLength);
    if (!level) return;
    if (const auto width = MeterWidth(*level, meterLength)) ports_.view.SetLevelBarWidth(*width);
}

}  // namespace tonedeck
