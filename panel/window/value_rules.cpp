#include "panel/window/value_rules.h"

namespace tonedeck {

std::vector<std::u16string> SplitFields(std::u16string_view value) {
    std::vector<std::u16string> fields;
    if (value.empty()) return fields;
    std::size_t at = 0;
    while (true) {
        std::u16string field;
        if (at < value.size() && value[at] == u'"') {
            ++at;
            while (at < value.size()) {
                if (value[at] == u'"') {
                    if (at + 1 < value.size() && value[at + 1] == u'"') {
                        field += u'"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                field += value[at++];
            }
        }
        // Plain text, or what follows a closing quote, up to the next comma.
        while (at < value.size() && value[at] != u',') field += value[at++];
        fields.push_back(std::move(field));
        if (at >= value.size()) break;
        ++at;  // the comma; a trailing one leaves an empty last field
    }
    return fields;
}

namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

}  // namespace

int32_t ParseInteger(std::u16string_view field) {
    const std::u16string written(field);
    std::size_t at = 0;
    while (at < field.size() && field[at] == u' ') ++at;
    bool negative = false;
    if (at < field.size() && (field[at] == u'+' || field[at] == u'-')) {
        negative = field[at] == u'-';
        ++at;
    }
    bool hex = false;
    if (at < field.size() && (field[at] == u'$' || field[at] == u'x' || field[at] == u'X')) {
        hex = true;
        ++at;
    } else if (at + 1 < field.size() && field[at] == u'0' &&
               (field[at + 1] == u'x' || field[at + 1] == u'X')) {
        hex = true;
        at += 2;
    }
    const std::size_t digitsStart = at;
    if (at >= field.size()) throw InvalidIntegerError(written);
    int64_t magnitude = 0;
    if (hex) {
        uint32_t pattern = 0;
        for (; at < field.size(); ++at) {
            int digit = HexDigit(field[at]);
            if (digit < 0 || at - digitsStart >= 8) throw InvalidIntegerError(written);
            pattern = (pattern << 4) | static_cast<uint32_t>(digit);
        }
        int32_t value = static_cast<int32_t>(pattern);
        return negative ? static_cast<int32_t>(0u - pattern) : value;
    }
    for (; at < field.size(); ++at) {
        if (field[at] < u'0' || field[at] > u'9') throw InvalidIntegerError(written);
        magnitude = magnitude * 10 + (field[at] - u'0');
        if (magnitude > int64_t{2147483648}) throw InvalidIntegerError(written);
    }
    if (negative) magnitude = -magnitude;
    if (magnitude > INT32_MAX || magnitude < INT32_MIN) throw InvalidIntegerError(written);
    return static_cast<int32_t>(magnitude);
}

bool FieldGiven(const std::vector<std::u16string>& fields, std::size_t index) {
    return index < fields.size() && !fields[index].empty();
}

std::u16string FieldOrEmpty(const std::vector<std::u16string>& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::u16string();
}

}  // namespace tonedeck
