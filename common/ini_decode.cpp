#include "common/ini_decode.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "common/text.h"

namespace tonedeck {

namespace {

bool StartsWith(const std::vector<uint8_t>& bytes, std::initializer_list<uint8_t> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

// Lead-byte forms up to six bytes are read and over-long forms are accepted; only code points
// the model cannot hold (above U+FFFF) and malformed or cut-off sequences are refused.
bool DecodeUtf8(const uint8_t* bytes, std::size_t size, std::u16string& text) {
    std::size_t i = 0;
    while (i < size) {
        const uint8_t lead = bytes[i];
        int extra;
        if (lead < 0x80) {
            extra = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
        } else if ((lead & 0xFC) == 0xF8) {
            extra = 4;
        } else if ((lead & 0xFE) == 0xFC) {
            extra = 5;
        } else {
            return false;
        }
        if (size - i - 1 < static_cast<std::size_t>(extra)) return false;
        uint32_t codePoint = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const uint8_t next = bytes[i + k];
            if ((next & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint > 0xFFFF) return false;
        text.push_back(static_cast<char16_t>(codePoint));
        i += extra + 1;
    }
    return true;
}

// A trailing odd byte cannot form a unit and is left out.
void DecodeUtf16(const uint8_t* bytes, std::size_t size, bool bigEndian, std::u16string& text) {
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const uint8_t first = bytes[i];
        const uint8_t second = bytes[i + 1];
        text.push_back(bigEndian ? char16_t((first << 8) | second)
                                 : char16_t((second << 8) | first));
    }
}

bool DecodeUtf32(const uint8_t* bytes, std::size_t size, bool bigEndian, std::u16string& text) {
    if (size % 4 != 0) return false;
    text.reserve(size / 4);
    for (std::size_t i = 0; i < size; i += 4) {
        uint32_t unit = 0;
        for (int k = 0; k < 4; ++k) {
            const uint8_t byte = bytes[i + (bigEndian ? k : 3 - k)];
            unit = (unit << 8) | byte;
        }
        if (unit > 0xFFFF) return false;
        text.push_back(static_cast<char16_t>(unit));
    }
    return true;
}

}  // namespace

DetectedEncoding DetectIniEncoding(const std::vector<uint8_t>& bytes) {
    if (StartsWith(bytes, {0xFF, 0xFE, 0x00, 0x00})) return {kIniEncodingUtf32Le, 4};
    if (StartsWith(bytes, {0x00, 0x00, 0xFE, 0xFF})) return {kIniEncodingUtf32Be, 4};
    if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) return {kIniEncodingUtf8, 3};
    if (StartsWith(bytes, {0xFF, 0xFE})) return {kIniEncodingUtf16Le, 2};
    if (StartsWith(bytes, {0xFE, 0xFF})) return {kIniEncodingUtf16Be, 2};
    return {kIniEncodingNone, 0};
}

bool DecodeIniText(const std::vector<uint8_t>& bytes, DetectedEncoding detected,
                   std::u16string& text) {
    const uint8_t* body = bytes.data() + detected.markLength;
    const std::size_t size = bytes.size() - detected.markLength;
    text.clear();
    switch (detected.encoding) {
        case kIniEncodingNone:
            // Bytes above 0x7F read as the ANSI code page of a Western-European Windows.
            text = AnsiToU16(std::string_view(reinterpret_cast<const char*>(body), size));
            return true;
        case kIniEncodingUtf8:
            return DecodeUtf8(body, size, text);
        case kIniEncodingUtf16Le:
        case kIniEncodingUtf16Be:
            DecodeUtf16(body, size, detected.encoding == kIniEncodingUtf16Be, text);
            return true;
        case kIniEncodingUtf32Le:
        case kIniEncodingUtf32Be:
            return DecodeUtf32(body, size, detected.encoding == kIniEncodingUtf32Be, text);
    }
    return false;
}

}  // namespace tonedeck
