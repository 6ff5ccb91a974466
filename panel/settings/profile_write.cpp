// Writing a sound profile: every preset in turn, then the 3D values, the room effect, the
// speakers and the LED, each key in the order a new file receives it.

#include "common/profile_io.h"
#include "panel/settings/profile_format.h"
#include "panel/settings/settings_controller.h"

namespace tonedeck {

void SettingsController::WriteProfile(ProfileStore& store, const std::string& file) {
    auto write = [&](const char16_t* section, std::u16string_view key,
                     const std::u16string& value) {
        WriteProfileString(store, file, section, std::u16string(key), value);
    };
    settings_.savingProfile = true;
    for (int preset = 1; preset <= kPresetCount; ++preset) {
        LoadPresetToDevice(preset);
        write(kProfileEqSection, PresetKey(preset),
              FormatPresetLine(settings_.eqBlock, settings_.eqEnable));
    }
    LoadPresetToDevice(settings_.currentPreset);
    // The stored record may predate the last switch of EQ-EN or 3D-EN; the live block must
    // carry the switches as they are, or the next block write would undo them on the device.
    settings_.eqBlock.bypass = !settings_.eqEnable;
    settings_.eqBlock.d3Flag = settings_.d3Enable;

    const D3Block& d3 = settings_.d3;
    write(kProfile3DSection, u"LeftAlpha", FormatNumber(d3.leftAlpha));
    write(kProfile3DSection, u"LeftBeta", FormatNumber(d3.leftBeta));
    write(kProfile3DSection, u"RightAlpha", FormatNumber(d3.rightAlpha));
    write(kProfile3DSection, u"RightBeta", FormatNumber(d3.rightBeta));
    write(kProfile3DSection, u"FBM", FormatNumber(d3.fbm ? 1 : 0));
    write(kProfile3DSection, u"3DEN", FormatNumber(settings_.d3Enable ? 1 : 0));
    write(kProfileEffectSection, kProfileEffectKey, FormatNumber(settings_.currentEffect));
    for (SpeakerIndex speaker : kSpeakerWriteOrder) {
        write(kProfileVirtualSection, kSpeakerKeys[speaker],
              FormatSpeakerPlace(settings_.speakerPlaces[speaker]));
    }
    write(kProfileVirtualSection, kProfileVirtualEnableKey,
          FormatNumber(settings_.virtualEnable ? 1 : 0));
    write(kProfileLedSection, kProfileLedKey, FormatNumber(settings_.ledOn ? 1 : 0));
    settings_.savingProfile = false;
}

}  // namespace tonedeck
