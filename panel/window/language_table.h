#pragma once
// Label captions and styles from a language's Language.ini and a skin's MainLable section.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/profile_store.h"

namespace tonedeck {

inline constexpr std::size_t kLabelKeyCount = 48;
inline constexpr std::size_t kCaptionChars = 127;
inline constexpr std::size_t kFontNameChars = 63;

struct LabelStyleEntry {
    std::u16string caption;
    int32_t upColor = 0;
    int32_t downColor = 0;
    std::u16string fontName;
    int32_t fontSize = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool upColorGiven = false;
    bool downColorGiven = false;
    bool fontNameGiven = false;
    bool fontSizeGiven = false;
    bool leftGiven = false;
    bool topGiven = false;
    bool widthGiven = false;
    bool heightGiven = false;
};

// -1 stands for "not set".
struct GlobalLabelStyle {
    int32_t upColor = -1;
    int32_t downColor = -1;
    std::u16string fontName;
    int32_t fontSize = -1;
};

// When a label shows selected.
enum class SelectedWhen {
    Never,
    Page0,
    Page1,
    Page2,
    Page3,
    Page4,
    EqEnable,
    D3Enable,
    Preset1,
    Preset2,
    Preset3,
    Preset4,
    Fbm,
    Effect1,
    Effect2,
    Effect3,
    Effect4,
    Effect5,
    MicBoost,
    MicMute,
    VirtualEnable,
    RotateClockwise,
    RotateCounterclockwise,
};

struct LabelKey {
    std::u16string_view section;
    std::u16string_view key;
    std::u16string_view label;  // the label it styles; empty for LabelWarning
    SelectedWhen selected;
};

// The 48 label keys in reading order.
const std::vector<LabelKey>& LabelKeys();
// Slot of a key name (0 to 47); throws std::logic_error for an unknown one.
std::size_t LabelSlot(std::u16string_view key);

// The seven keys a skin may restyle.
const std::vector<std::u16string_view>& SkinLabelKeys();

struct LanguageTable {
    GlobalLabelStyle global;
    std::array<LabelStyleEntry, kLabelKeyCount> entries;

    LabelStyleEntry& Entry(std::u16string_view key) { return entries[LabelSlot(key)]; }
    const LabelStyleEntry& Entry(std::u16string_view key) const { return entries[LabelSlot(key)]; }
};

// Field 1 is the caption (as written, cut to 127); fields 2 to 9 are stored when present and not
// empty, field 4 as text and the others as integers (InvalidIntegerError otherwise).
void ParseLabelValue(const std::u16string& value, LabelStyleEntry& entry, bool withCaption);

// Reads GlobalFont and the 48 label keys from `languageFile` (8-bit code-page path).
void LoadLanguageTable(ProfileStore& profiles, const std::string& languageFile,
                       LanguageTable& table);
// Overlays fields 2 to 9 of the seven MainLable keys of `skinSettingsFile`; nothing is cleared.
void LoadSkinLabelStyles(ProfileStore& profiles, const std::string& skinSettingsFile,
                         LanguageTable& table);

}  // namespace tonedeck
