// DecodeEntryCode on any text, DesDecrypt on any bytes with any key, and DES-CBC round trips.

#include <algorithm>

#include "common/des.h"
#include "fuzz_check.h"

using namespace tonedeck;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const std::size_t room = static_cast<std::size_t>(data[0]) * 17;
    const std::size_t keyLength = data[1] % 10;
    data += 2;
    size -= 2;

    // Entry codes: the whole rest as text, decoded into exactly `room` bytes.
    {
        std::vector<uint8_t> out(room);
        std::size_t capacity = room;
        const int result =
            DecodeEntryCode(reinterpret_cast<const char*>(data), size, out.data(), capacity);
        FUZZ_CHECK(result == kEntryOk || result == kEntryBase64Failed ||
                   result == kEntryDesFailed);
        if (result == kEntryOk) FUZZ_CHECK(capacity <= room);
    }

    // Raw decryption: a key of up to 9 bytes taken from the front, the rest as cipher text.
    const std::size_t takenKey = std::min(keyLength, size);
    const std::vector<uint8_t> key(data, data + takenKey);
    std::vector<uint8_t> cipher(data + takenKey, data + size);
    {
        std::vector<uint8_t> work = cipher;
        std::vector<uint8_t> out(room);
        std::size_t capacity = room;
        const int result =
            DesDecrypt(work.data(), work.size(), out.data(), capacity, key.data(), key.size());
        FUZZ_CHECK(result == kDesOk || result == kDesBadLength || result == kDesBlockFailed ||
                   result == kDesNoRoom);
        if (result == kDesOk) FUZZ_CHECK(capacity + 1 <= cipher.size() && capacity <= room);
    }

    // Whatever is encrypted decrypts to itself, with the padding gone.
    std::vector<uint8_t> encrypted = DesEncrypt(cipher, key.data(), key.size());
    FUZZ_CHECK(encrypted.size() % 8 == 0 && encrypted.size() > cipher.size());
    std::vector<uint8_t> plain(encrypted.size());
    std::size_t plainLength = plain.size();
    FUZZ_CHECK(DesDecrypt(encrypted.data(), encrypted.size(), plain.data(), plainLength,
                          key.data(), key.size()) == kDesOk);
    FUZZ_CHECK(plainLength == cipher.size() &&
               std::equal(cipher.begin(), cipher.end(), plain.begin()));
    return 0;
}
