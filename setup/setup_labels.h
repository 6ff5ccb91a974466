#pragma once
// The wizard's texts from section "Setup" of a Language.ini.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ports/profile_store.h"

namespace tonedeck {

enum class SetupLabel {
    kBackBtn,
    kNextBtn,
    kFinishBtn,
    kCancelBtn,
    kSelectLang,
    kVersion,
    kAudioExt,
    kInstall,
    kReboot,
    kRebootRadioBtn,
    kNoRebootRadioBtn,
    kTitle,
    kWarning1,
    kWarning2,
    kWarning3,
    kWarning4,
};
inline constexpr std::size_t kSetupLabelCount = 16;

inline constexpr std::size_t kLabelCaptionChars = 127;
inline constexpr std::size_t kLabelFontNameChars = 63;
inline constexpr std::size_t kSetupLabelValueChars = 2048;

// One label entry; a field that is not given keeps whatever an earlier load gave it.
struct SetupLabelEntry {
    std::u16string caption;
    std::optional<int32_t> upColor;
    std::optional<int32_t> downColor;  // read, never used by the installer
    std::optional<std::u16string> fontName;
    std::optional<int32_t> fontSize;
    std::optional<int32_t> left;
    std::optional<int32_t> top;
    std::optional<int32_t> width;
    std::optional<int32_t> height;
};

using SetupLabelTable = std::array<SetupLabelEntry, kSetupLabelCount>;

// The key of a label in section "Setup", e.g. "LabelBackBtn".
std::u16string_view SetupLabelKey(SetupLabel label);

// Optional spaces and sign, then decimal digits (signed 32-bit) or up to 8 hexadecimal digits
// after "$", "x", "X", "0x" or "0X". Throws SetupError("'%s' is not a valid integer value").
int32_t ParseSetupInteger(std::u16string_view field);

// Reads the sixteen keys in table order into `table`. A number error throws; the entries read
// before it keep their new values.
void LoadSetupLabelEntries(ProfileStore& profiles, const std::u16string& languageIni,
                           SetupLabelTable& table);

}  // namespace tonedeck
