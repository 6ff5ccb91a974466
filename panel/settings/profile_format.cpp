#include "panel/settings/profile_format.h"

#include <cstdio>

#include "common/text.h"
#include "panel/window/value_rules.h"

namespace tonedeck {

std::u16string PresetKey(int preset) { return u"S" + FormatNumber(preset); }

std::u16string FormatNumber(int value) { return Utf8ToU16(std::to_string(value)); }

std::u16string FormatPresetLine(const EqBlock& block, bool eqEnable) {
    char text[64];
    std::snprintf(text, sizeof text, "0x%X,0x%X,0x%X,0x%X,0x%X,%d",
                  static_cast<unsigned>(block.bands[0]), static_cast<unsigned>(block.bands[1]),
                  static_cast<unsigned>(block.bands[2]), static_cast<unsigned>(block.bands[3]),
                  static_cast<unsigned>(block.bands[4]), eqEnable ? 1 : 0);
    return Utf8ToU16(text);
}

std::u16string FormatSpeakerPlace(SpeakerPoint place) {
    return FormatNumber(place.left) + u"," + FormatNumber(place.top);
}

std::vector<std::u16string> SplitAtCommas(std::u16string_view value) {
    std::vector<std::u16string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(u',', start);
        if (comma == std::u16string_view::npos) {
            fields.emplace_back(value.substr(start));
            return fields;
        }
        fields.emplace_back(value.substr(start, comma - start));
        start = comma + 1;
    }
}

namespace {

// A missing field converts like an empty one: it is the conversion error for "".
int32_t FieldNumber(const std::vector<std::u16string>& fields, std::size_t index) {
    return ParseInteger(index < fields.size() ? std::u16string_view(fields[index])
                                              : std::u16string_view());
}

}  // namespace

PresetLine ParsePresetLine(std::u16string_view value) {
    const std::vector<std::u16string> fields = SplitAtCommas(value);
    PresetLine line;
    for (std::size_t band = 0; band < kBandCount; ++band) {
        line.codes[band] = static_cast<uint16_t>(FieldNumber(fields, band) & kBandMaxCode);
    }
    line.eqEnable = FieldNumber(fields, kBandCount) != 0;
    return line;
}

SpeakerPoint ParseSpeakerPlace(std::u16string_view value) {
    const std::vector<std::u16string> fields = SplitAtCommas(value);
    return {FieldNumber(fields, 0), FieldNumber(fields, 1)};
}

int32_t ParseProfileNumber(std::u16string_view value) { return ParseInteger(value); }

bool ParseProfileSwitch(std::u16string_view value) { return ParseInteger(value) != 0; }

}  // namespace tonedeck
