// Base64Decode on any text into a buffer of exactly the room it is told about, and the input's
// bytes through encode and decode.

#include <algorithm>

#include "common/base64.h"
#include "fuzz_check.h"

using namespace tonedeck;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the room, so both sides of the room check are reached.
    const std::size_t room = data[0] % 2 ? (size - 1) / 4 * 3 + data[0] % 5 : data[0];
    const std::string_view text = fuzz::Text(data + 1, size - 1);

    // Exactly `room` bytes on the heap: a write past them is a sanitizer report.
    std::vector<uint8_t> out(room);
    std::size_t capacity = room;
    const int result = Base64Decode(text.data(), text.size(), out.data(), capacity);
    FUZZ_CHECK(result >= kBase64Ok && result <= kBase64BadCharacter);
    if (result == kBase64Ok) {
        FUZZ_CHECK(capacity < room);
        FUZZ_CHECK(capacity <= text.size() / 4 * 3);
        // Re-encoding gives the text back except for the unused bits of a padded group.
        const std::string again =
            Base64Encode(std::vector<uint8_t>(out.begin(), out.begin() + capacity));
        FUZZ_CHECK(again.size() == text.size());
    } else {
        FUZZ_CHECK(capacity == room);
    }

    const std::vector<uint8_t> bytes = fuzz::Bytes(data, size);
    const std::string encoded = Base64Encode(bytes);
    std::vector<uint8_t> decoded(encoded.size() / 4 * 3 + 1);
    std::size_t decodedLength = decoded.size();
    FUZZ_CHECK(Base64Decode(encoded.data(), encoded.size(), decoded.data(), decodedLength) ==
               kBase64Ok);
    FUZZ_CHECK(decodedLength == bytes.size() &&
               std::equal(bytes.begin(), bytes.end(), decoded.begin()));
    return 0;
}
