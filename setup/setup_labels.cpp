#include "setup/setup_labels.h"

#include <vector>

#include "setup/setup_error.h"

namespace tonedeck {

namespace {

constexpr std::u16string_view kKeys[kSetupLabelCount] = {
    u"LabelBackBtn",    u"LabelNextBtn",        u"LabelFinishBtn",        u"LabelCancelBtn",
    u"LabelSelectLang", u"LabelVersion",        u"LabelAudioExt",         u"LabelInstall",
    u"LabelReboot",     u"LabelRebootRadioBtn", u"LabelNoRebootRadioBtn", u"LabelTitle",
    u"LabelWarning1",   u"LabelWarning2",       u"LabelWarning3",         u"LabelWarning4",
};

[[noreturn]] void NumberError(std::u16string_view field) {
    throw SetupError(u"'" + std::u16string(field) + u"' is not a valid integer value");
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

std::vector<std::u16string> SplitAtCommas(std::u16string_view value) {
    std::vector<std::u16string> fields;
    if (value.empty()) return fields;
    std::size_t start = 0;
    for (;;) {
        const auto comma = value.find(u',', start);
        fields.emplace_back(value.substr(start, comma - start));
        if (comma == std::u16string_view::npos) break;
        start = comma + 1;
    }
    return fields;
}

}  // namespace

std::u16string_view SetupLabelKey(SetupLabel label) {
    return kKeys[static_cast<std::size_t>(label)];
}

int32_t ParseSetupInteger(std::u16string_view field) {
    std::size_t i = 0;
    while (i < field.size() && field[i] == u' ') ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == u'+' || field[i] == u'-')) negative = field[i++] == u'-';
    const std::u16string_view rest = field.substr(i);
    std::size_t digitsAt = 0;
    bool hex = false;
    if (rest.starts_with(u"0x") || rest.starts_with(u"0X")) {
        hex = true;
        digitsAt = 2;
    } else if (!rest.empty() && (rest[0] == u'$' || rest[0] == u'x' || rest[0] == u'X')) {
        hex = true;
        digitsAt = 1;
    }
    const std::u16string_view digits = rest.substr(digitsAt);
    if (digits.empty()) NumberError(field);
    int64_t value = 0;
    if (hex) {
        if (digits.size() > 8) NumberError(field);
        uint32_t bits = 0;
        for (char16_t c : digits) {
            const int d = HexDigit(c);
            if (d < 0) NumberError(field);
            bits = (bits << 4) | static_cast<uint32_t>(d);
        }
        value = static_cast<int32_t>(bits);
    } else {
        for (char16_t c : digits) {
            if (c < u'0' || c > u'9') NumberError(field);
            value = value * 10 + (c - u'0');
            if (value > 2147483648LL) NumberError(field);
        }
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) NumberError(field);
    return static_cast<int32_t>(value);
}

void LoadSetupLabelEntries(ProfileStore& profiles, const std::u16string& languageIni,
                           SetupLabelTable& table) {
    for (std::size_t i = 0; i < kSetupLabelCount; ++i) {
        const std::u16string value = profiles.GetString(
            languageIni, u"Setup", std::u16string(kKeys[i]), u"", kSetupLabelValueChars);
        const std::vector<std::u16string> fields = SplitAtCommas(value);
        SetupLabelEntry& entry = table[i];
        entry.caption = fields.empty() ? std::u16string() : fields[0];
        if (entry.caption.size() > kLabelCaptionChars) entry.caption.resize(kLabelCaptionChars);
        auto given = [&fields](std::size_t index) {
            return index < fields.size() && !fields[index].empty();
        };
        std::optional<int32_t>* numbers[] = {&entry.upColor,  &entry.downColor, nullptr,
                                             &entry.fontSize, &entry.left,      &entry.top,
                                             &entry.width,    &entry.height};
        for (std::size_t field = 1; field <= 8; ++field) {
            if (!given(field)) continue;
            if (field == 3) {
                std::u16string name = fields[field];
                if (name.size() > kLabelFontNameChars) name.resize(kLabelFontNameChars);
                entry.fontName = name;
            } else {
                *numbers[field - 1] = ParseSetupInteger(fields[field]);
            }
        }
    }
}

}  // namespace tonedeck
