#pragma once
// The control panel's one record of everything the user can set, with its start values.

#include <array>
#include <cstdint>

#include "panel/settings/preset_store.h"
#include "panel/settings/speaker_field.h"

namespace tonedeck {

// `Fbm` and the alpha/beta values as they go to the device. Profiles may store values above 15;
// the register writes refuse those.
struct D3Block {
    bool fbm = true;
    uint8_t leftAlpha = 10;
    uint8_t leftBeta = 3;
    uint8_t rightAlpha = 10;
    uint8_t rightBeta = 3;
    friend bool operator==(const D3Block&, const D3Block&) = default;
};

inline constexpr int kEffectNone = 1;  // `CurrentEffect` 1 to 5, sent as `CurrentEffect` - 1

struct SoundSettings {
    bool eqEnable = false;
    bool d3Enable = false;
    int currentPreset = 1;  // 1 to 4 (S1 to S4)
    PresetStore presets;    // the band codes of all four presets
    EqBlock eqBlock;        // the live block: the current preset's copy plus the flags
    D3Block d3;
    int alphaLinkMode = -1;  // -1 unset, 0 independent, 1 dependent, 2 inverse
    int betaLinkMode = -1;
    int currentEffect = kEffectNone;
    bool virtualEnable = false;
    // The speaker images' places (`Left`, `Top`); the window mirrors them.
    SpeakerPlaces speakerPlaces{};
    SpeakerRecords speakerRecords{};
    bool rotateClockwise = false;
    bool rotateCounterclockwise = false;
    int micGain = 0;  // percent, read back from Windows
    bool micBoost = false;
    bool micMute = false;
    bool ledOn = true;
    bool syncToDevice = false;  // gates the equalizer and 3D register writes
    bool devicePresent = false;
    bool savingProfile = false;
};

// `StorePreset`(n): packs the live `EqBlock` into record n (1 to 4).
void StorePreset(SoundSettings& settings, int preset);
// `LoadPreset`(n): unpacks record n (1 to 4) into the live `EqBlock`.
void LoadPreset(SoundSettings& settings, int preset);

}  // namespace tonedeck
