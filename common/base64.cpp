#include "common/base64.h"

namespace tonedeck {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kPadding = -1;
constexpr int kInvalid = -2;

int SextetOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    if (c == '=') return kPadding;
    return kInvalid;
}

}  // namespace

int Base64Decode(const char* text, std::size_t length, uint8_t* out, std::size_t& capacity) {
    if (length == 0 || length % 4 != 0) return kBase64BadLength;
    if (length / 4 * 3 >= capacity) return kBase64NoRoom;

    std::size_t written = 0;
    for (std::size_t group = 0; group < length; group += 4) {
        const bool last = group + 4 == length;
        int sextets[4];
        for (int k = 0; k < 4; ++k) {
            sextets[k] = SextetOf(text[group + k]);
            if (sextets[k] == kInvalid) return kBase64BadCharacter;
        }
        // "=" only pads the end: the fourth character of the last group, or its last two.
        const bool padTwo = sextets[2] == kPadding;
        const bool padOne = sextets[3] == kPadding;
        if (sextets[0] == kPadding || sextets[1] == kPadding || (padTwo && !padOne) ||
            ((padTwo || padOne) && !last)) {
            return kBase64BadCharacter;
        }
        const uint32_t bits = (uint32_t(sextets[0]) << 18) | (uint32_t(sextets[1]) << 12) |
                              (padTwo ? 0 : uint32_t(sextets[2]) << 6) |
                              (padOne ? 0 : uint32_t(sextets[3]));
        out[written++] = static_cast<uint8_t>(bits >> 16);
        if (!padTwo) out[written++] = static_cast<uint8_t>(bits >> 8);
        if (!padOne) out[written++] = static_cast<uint8_t>(bits);
    }
    capacity = written;
    return kBase64Ok;
}

std::string Base64Encode(const std::vector<uint8_t>& bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = bytes.size() - i < 3 ? bytes.size() - i : 3;
        uint32_t bits = uint32_t(bytes[i]) << 16;
        if (count > 1) bits |= uint32_t(bytes[i + 1]) << 8;
        if (count > 2) bits |= bytes[i + 2];
        text.push_back(kAlphabet[(bits >> 18) & 0x3F]);
        text.push_back(kAlphabet[(bits >> 12) & 0x3F]);
        text.push_back(count > 1 ? kAlphabet[(bits >> 6) & 0x3F] : '=');
        text.push_back(count > 2 ? kAlphabet[bits & 0x3F] : '=');
    }
    return text;
}

}  // namespace tonedeck
