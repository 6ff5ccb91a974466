// SplitFields and ParseInteger on any UTF-16 text, as every value of the window's INI files goes
// through them.

#include <cinttypes>
#include <cstdio>

#include "common/text.h"
#include "fuzz_check.h"
#include "panel/window/value_rules.h"

using namespace tonedeck;

namespace {

std::u16string Printed(const char* format, uint32_t value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return Utf8ToU16(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string value = fuzz::Utf16Le(data, size);
    const std::vector<std::u16string> fields = SplitFields(value);
    FUZZ_CHECK(value.empty() == fields.empty());
    if (value.find(u'"') == std::u16string::npos) {
        // Without quotes the fields are the text between the commas, nothing more or less.
        std::u16string joined;
        for (std::size_t i = 0; i < fields.size(); ++i) joined += (i ? u"," : u"") + fields[i];
        FUZZ_CHECK(joined == value);
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        FUZZ_CHECK(FieldGiven(fields, i) == !fields[i].empty());
        try {
            (void)ParseInteger(fields[i]);
        } catch (const InvalidIntegerError& error) {
            FUZZ_CHECK(error.Text() == u"'" + fields[i] + u"' is not a valid integer value");
        }
    }
    FUZZ_CHECK(FieldOrEmpty(fields, fields.size()).empty());

    // Numbers as the files write them read back as themselves.
    if (size >= 4) {
        const uint32_t pattern = data[0] | (data[1] << 8) | (data[2] << 16) |
                                 (static_cast<uint32_t>(data[3]) << 24);
        const auto number = static_cast<int32_t>(pattern);
        FUZZ_CHECK(ParseInteger(Utf8ToU16(std::to_string(number))) == number);
        FUZZ_CHECK(ParseInteger(Printed("0x%" PRIX32, pattern)) == number);
        FUZZ_CHECK(ParseInteger(Printed("  $%" PRIx32, pattern)) == number);
    }
    return 0;
}
