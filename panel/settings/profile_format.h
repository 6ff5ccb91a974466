#pragma once
// The sound-profile file: its sections and keys, and how each value is written and read back.
// Reading uses the program's one integer conversion; its error names the text it refused.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "panel/settings/preset_store.h"
#include "panel/settings/speaker_field.h"

namespace tonedeck {

inline constexpr char16_t kProfileEqSection[] = u"EQ";
inline constexpr char16_t kProfile3DSection[] = u"3D";
inline constexpr char16_t kProfileEffectSection[] = u"Effect";
inline constexpr char16_t kProfileVirtualSection[] = u"Virtual7ch1";
inline constexpr char16_t kProfileLedSection[] = u"LED";
inline constexpr char16_t kProfileVirtualEnableKey[] = u"7ch1EN";
inline constexpr char16_t kProfileLedKey[] = u"LEDON";
inline constexpr char16_t kProfileEffectKey[] = u"CurrentEffect";

// "S1" to "S4".
std::u16string PresetKey(int preset);

// The speakers' keys by `SpeakerIndex` (the order a profile is read in) and the order a new
// file receives them.
inline constexpr std::array<std::u16string_view, kSpeakerCount> kSpeakerKeys = {
    u"L", u"R", u"C", u"SUB", u"LS", u"RS", u"LB", u"RB"};
inline constexpr std::array<SpeakerIndex, kSpeakerCount> kSpeakerWriteOrder = {
    kSpeakerC, kSpeakerL, kSpeakerLS, kSpeakerLB, kSpeakerRB, kSpeakerRS, kSpeakerSub, kSpeakerR};

// The five band codes in upper-case hexadecimal with "0x", then `EqEnable` in decimal.
std::u16string FormatPresetLine(const EqBlock& block, bool eqEnable);
std::u16string FormatSpeakerPlace(SpeakerPoint place);
std::u16string FormatNumber(int value);

// Fields at every comma and nowhere else; blanks stay part of their field.
std::vector<std::u16string> SplitAtCommas(std::u16string_view value);

struct PresetLine {
    std::array<uint16_t, kBandCount> codes{};  // low 12 bits of what was written
    bool eqEnable = false;
};
// Six fields; more are ignored, fewer (or a non-number) raise InvalidIntegerError for the first
// field that is missing or wrong, before anything is returned.
PresetLine ParsePresetLine(std::u16string_view value);
// Two fields, `Left` and `Top`; more are ignored.
SpeakerPoint ParseSpeakerPlace(std::u16string_view value);
// One number.
int32_t ParseProfileNumber(std::u16string_view value);
// A 0/1 value: any number other than 0 switches on.
bool ParseProfileSwitch(std::u16string_view value);

}  // namespace tonedeck
