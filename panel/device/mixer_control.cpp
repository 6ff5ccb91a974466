#include "panel/device/mixer_control.h"

#include <optional>
#include <string>

#include "common/text.h"
#include "panel/device/capture_endpoint.h"

namespace tonedeck {
namespace {

uint32_t ControlType(MixerOperation operation) {
    switch (operation) {
        case MixerOperation::kGetVolume:
        case MixerOperation::kSetVolume:
            return kMixerControlVolume;
        case MixerOperation::kGetMute:
        case MixerOperation::kSetMute:
            return kMixerControlMute;
        case MixerOperation::kGetBoost:
        case MixerOperation::kSetBoost:
            return kMixerControlMux;
    }
    return 0;
}

bool Writes(MixerOperation operation) {
    return operation == MixerOperation::kSetVolume || operation == MixerOperation::kSetMute ||
           operation == MixerOperation::kSetBoost;
}

// The control on the wave-in line itself, else on its first microphone (or undefined) source
// that has one.
std::optional<MixerControlInfo> FindLineControl(AudioSystem& audio, MixerHandle mixer,
                                                const MixerLineInfo& waveIn, uint32_t type) {
    if (auto control = audio.ControlOfType(mixer, waveIn.lineId, type)) return control;
    for (uint32_t source = 0; source < waveIn.sourceCount; ++source) {
        const auto line = audio.SourceLine(mixer, waveIn.destination, source);
        if (!line) continue;
        if (line->componentType != kMixerComponentSourceMicrophone &&
            line->componentType != kMixerComponentSourceUndefined) {
            continue;
        }
        if (auto control = audio.ControlOfType(mixer, line->lineId, type)) return control;
    }
    return std::nullopt;
}

}  // namespace

int MixerControl(AudioSystem& audio, MixerOperation operation, uint32_t& value, uint32_t& minimum,
                 uint32_t& maximum, uint16_t vendorId, uint16_t productId) {
    // Without the device's capture name an unnamed line would match; nothing is ours then.
    const std::u16string captureName = FindCaptureName(audio, vendorId, productId);
    if (captureName.empty()) return 0;

    const uint32_t count = audio.MixerDeviceCount();
    for (uint32_t index = 0; index < count; ++index) {
        const MixerHandle mixer = audio.OpenMixer(index);
        if (!mixer) continue;
        std::optional<MixerControlInfo> control;
        if (const auto waveIn =
                audio.DestinationLineOfType(mixer, kMixerComponentDestinationWaveIn);
            waveIn && EqualsIgnoreCase(waveIn->targetName, captureName)) {
            control = FindLineControl(audio, mixer, *waveIn, ControlType(operation));
        }
        if (!control) {
            audio.CloseMixer(mixer);
            continue;
        }
        bool done = false;
        if (Writes(operation)) {
            done = audio.SetControlValue(mixer, control->controlId, value);
        } else if (const auto read = audio.GetControlValue(mixer, control->controlId)) {
            value = *read;
            if (operation == MixerOperation::kGetVolume) {
                minimum = control->minimum;
                maximum = control->maximum;
            }
            done = true;
        }
        audio.CloseMixer(mixer);
        return done ? 1 : 0;
    }
    return 0;
}

}  // namespace tonedeck
