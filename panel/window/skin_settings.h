#pragma once
// One skin's pictures and layout numbers, as read from its SkinSetting.ini.

#include <array>
#include <string>
#include <string_view>

#include "panel/window/control_model.h"
#include "panel/window/picture_source.h"
#include "panel/window/skin_keys.h"
#include "platform/ports/profile_store.h"

namespace tonedeck {

inline constexpr std::size_t kSkinFileNameChars = 63;

struct SkinImageEntry {
    std::u16string fileName;  // relative to the skin folder; empty means no picture
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool leftGiven = false;
    bool topGiven = false;
    bool widthGiven = false;
    bool heightGiven = false;
};

struct SkinLayout {
    int32_t EqSliderTop = 0;
    int32_t MicSliderTop = 0;
    int32_t SliderRange = 0;
    int32_t MicMeterLength = 0;
    int32_t SpeakerCenterX = 0;
    int32_t SpeakerCenterY = 0;
    int32_t SpeakerRadius = 0;
    int32_t PreviousSpeakerRadius = 1;
};

struct SkinSettings {
    std::array<SkinImageEntry, kSkinImageSlots> entries;
    SkinLayout layout;

    // The entry of an image key; throws std::logic_error for names that are not image keys.
    SkinImageEntry& Entry(std::u16string_view section, std::u16string_view key);
    const SkinImageEntry& Entry(std::u16string_view section, std::u16string_view key) const;
};

// Fills the entries and the layout from `settingsFile` (a path in the 8-bit code page) and sizes
// BackNotebook and the page panels of `controls` at once. Number errors raise
// InvalidIntegerError; what was read before the error stays.
void LoadSkinSettings(ProfileStore& profiles, const std::string& settingsFile,
                      SkinSettings& settings, ControlModel& controls);

// One image key's value as an entry. Throws InvalidIntegerError for fields 2 to 5.
SkinImageEntry ParseSkinImageValue(const std::u16string& value);

// Puts one entry onto one image control; `picturePath` is where its file lies.
void ApplySkinImage(const SkinImageEntry& entry, Control& control,
                    const std::u16string& picturePath, PictureSource& pictures);

}  // namespace tonedeck
