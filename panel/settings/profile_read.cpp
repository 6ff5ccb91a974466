// Reading a sound profile into the settings and sending it: presets, 3D, room effect, speakers,
// LED. A number error leaves at the key that caused it; what came before stays applied.

#include "common/profile_io.h"
#include "panel/settings/profile_format.h"
#include "panel/settings/room_effect.h"
#include "panel/settings/settings_controller.h"

namespace tonedeck {

namespace {

std::u16string ReadValue(ProfileStore& store, const std::string& file, const char16_t* section,
                         std::u16string_view key) {
    std::u16string value;
    ReadProfileStringToBuffer(store, file, section, std::u16string(key), value);
    return value;
}

}  // namespace

void SettingsController::ReadProfile(ProfileStore& store, const std::string& file) {
    if (!settings_.devicePresent) settings_.syncToDevice = false;
    device_.ApplyDspEnable(settings_.eqEnable);
    device_.Apply3DEnable(settings_.d3Enable);
    ReadPresetLines(store, file);
    device_.ApplyDspEnable(settings_.eqEnable);
    Read3DValues(store, file);
    ReadEffect(store, file);
    ReadSpeakers(store, file);
    ReadLed(store, file);
}

void SettingsController::ReadPresetLines(ProfileStore& store, const std::string& file) {
    const int current = settings_.currentPreset;
    auto loadAndShow = [&](int preset) {
        LoadPresetToDevice(preset);
        ports_.view.ShowPreset(preset);
        device_.ApplyEqBypass(settings_.eqEnable);
    };
    for (int preset = 1; preset <= kPresetCount; ++preset) {
        // The whole line is converted before any of it is used, so a bad line leaves its
        // preset as it was.
        const PresetLine line =
            ParsePresetLine(ReadValue(store, file, kProfileEqSection, PresetKey(preset)));
        for (int band = 0; band < kBandCount; ++band) {
            settings_.eqBlock.bands[static_cast<std::size_t>(band)] =
                line.codes[static_cast<std::size_t>(band)];
            StorePreset(settings_, preset);
        }
        settings_.eqEnable = line.eqEnable;
        loadAndShow(preset);
        loadAndShow(current);
    }
}

void SettingsController::Read3DValues(ProfileStore& store, const std::string& file) {
    D3Block& d3 = settings_.d3;
    auto value = [&](const char16_t* key) {
        return static_cast<uint8_t>(
            ParseProfileNumber(ReadValue(store, file, kProfile3DSection, key)) & 0xFF);
    };
    d3.leftAlpha = value(u"LeftAlpha");
    d3.leftBeta = value(u"LeftBeta");
    d3.rightAlpha = value(u"RightAlpha");
    d3.rightBeta = value(u"RightBeta");
    d3.fbm = ParseProfileSwitch(ReadValue(store, file, kProfile3DSection, u"FBM"));
    settings_.d3Enable = ParseProfileSwitch(ReadValue(store, file, kProfile3DSection, u"3DEN"));
    device_.Apply3DFlag(settings_.d3Enable);
    if (!settings_.eqEnable) device_.ApplyDspEnable(settings_.d3Enable);
    device_.Apply3DEnable(settings_.d3Enable);
    ports_.view.Show3DValues();
}

void SettingsController::ReadEffect(ProfileStore& store, const std::string& file) {
    const int effect =
        ParseProfileNumber(ReadValue(store, file, kProfileEffectSection, kProfileEffectKey));
    // The driver knows five effects; anything else from a file means none.
    settings_.currentEffect = ValidEffect(effect) ? effect : kEffectNone;
    ports_.view.ShowEffect();
    ports_.driver.SendRoomEffect(DriverEffectNumber(settings_.currentEffect));
}

void SettingsController::ReadSpeakers(ProfileStore& store, const std::string& file) {
    settings_.virtualEnable = ParseProfileSwitch(
        ReadValue(store, file, kProfileVirtualSection, kProfileVirtualEnableKey));
    for (std::size_t speaker = 0; speaker < kSpeakerCount; ++speaker) {
        settings_.speakerPlaces[speaker] = ParseSpeakerPlace(
            ReadValue(store, file, kProfileVirtualSection, kSpeakerKeys[speaker]));
        ports_.view.ShowSpeakers();
    }
    const SpeakerMapValues map = RecomputeSpeakerMap();
    ports_.view.ShowSpeakers();
    ports_.driver.SendSpeakerMap(settings_.virtualEnable ? 1 : 0, map);
}

void SettingsController::ReadLed(ProfileStore& store, const std::string& file) {
    const std::u16string value = ReadValue(store, file, kProfileLedSection, kProfileLedKey);
    if (value.empty()) return;
    settings_.ledOn = ParseProfileSwitch(value);
    ports_.view.ShowLed();
    device_.ApplyLed(settings_.ledOn);
}

}  // namespace tonedeck
