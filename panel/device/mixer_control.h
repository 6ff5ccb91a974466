#pragma once
// The microphone through the WinMM mixer, for Windows before version 6: the wave-in line whose
// target is the device's capture device, or a microphone source under it.

#include <cstdint>

#include "platform/ports/audio_system.h"

namespace tonedeck {

enum class MixerOperation : int {
    kGetVolume = 0,  // also gives the control's bounds
    kSetVolume = 1,
    kGetMute = 2,
    kSetMute = 3,
    kGetBoost = 4,
    kSetBoost = 5,
};

// `MixerControl`: 1 on success, 0 on failure. `value` is read or written; `minimum` and
// `maximum` are filled by kGetVolume.
int MixerControl(AudioSystem& audio, MixerOperation operation, uint32_t& value, uint32_t& minimum,
                 uint32_t& maximum, uint16_t vendorId, uint16_t productId);

}  // namespace tonedeck
