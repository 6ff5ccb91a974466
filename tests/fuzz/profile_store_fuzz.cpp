// The emulated private-profile functions on any file: reads of any names with any buffer, and a
// write that must read back as written while leaving every other key as it was.

#include <fuzzer/FuzzedDataProvider.h>

#include "common/text.h"
#include "fuzz_check.h"
#include "platform/sim/emulated_profile_store.h"
#include "platform/sim/profile_text.h"
#include "platform/sim/sim_file_system.h"

using namespace tonedeck;

namespace {

// Names a file can hold on one line and that cannot be taken for a header, a key's end or a
// comment: the read-back promise holds for these.
bool PlainName(std::u16string_view name, bool isKey) {
    if (TrimBlanks(name).empty()) return false;
    for (char16_t c : name) {
        if (c == u'\r' || c == u'\n' || c == u'\0') return false;
        if (isKey && (c == u'=' || c == u'[' || c == u';')) return false;
    }
    return true;
}

bool OneLine(std::u16string_view value) {
    return value.find_first_of(std::u16string_view(u"\r\n\0", 3)) == std::u16string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::u16string section = AnsiToU16(input.ConsumeRandomLengthString(24));
    const std::u16string key = AnsiToU16(input.ConsumeRandomLengthString(24));
    const std::u16string otherKey = AnsiToU16(input.ConsumeRandomLengthString(24));
    const std::u16string value = AnsiToU16(input.ConsumeRandomLengthString(300));
    const std::size_t buffer = input.ConsumeIntegralInRange<std::size_t>(0, 300);
    const std::vector<uint8_t> fileBytes = input.ConsumeRemainingBytes<uint8_t>();

    const std::u16string file = u"C:\\Users\\fuzz\\AppData\\Roaming\\Tonedeck\\LastProfile.ini";
    SimFileSystem files;
    files.PutFile(file, fileBytes);
    EmulatedProfileStore store(files);

    const std::u16string got = store.GetString(file, section, key, u"dflt ", buffer);
    FUZZ_CHECK(buffer == 0 ? got.empty() : got.size() < buffer);
    const std::u16string otherBefore = store.GetString(file, section, otherKey, u"", 1024);

    FUZZ_CHECK(store.WriteString(file, section, key, value));
    if (!PlainName(section, false) || !PlainName(key, true) || !OneLine(value)) return 0;

    // Characters the file cannot hold come back as the code page turns them.
    const bool wide = ProfileText::Decode(fileBytes).encoding == ProfileEncoding::Utf16Le;
    const std::u16string stored = wide ? value : AnsiToU16(U16ToAnsi(value));
    const std::u16string expected(UnquoteProfileValue(TrimBlanks(stored)));
    FUZZ_CHECK(store.GetString(file, section, key, u"", 1024) == expected);
    if (!ProfileNamesEqual(key, otherKey)) {
        FUZZ_CHECK(store.GetString(file, section, otherKey, u"", 1024) == otherBefore);
    }
    return 0;
}
