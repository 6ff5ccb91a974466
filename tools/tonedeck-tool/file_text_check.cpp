// Whether the file's text reads the same through both readers of the programs.

#include <cstdio>

#include "tools/tonedeck-tool/config_checks.h"

namespace tonedeck::tool {

namespace {

const char* EncodingName(int32_t encoding) {
    switch (encoding) {
        case kIniEncodingNone:
            return "8-bit text without a byte-order mark";
        case kIniEncodingUtf8:
            return "UTF-8 with a byte-order mark";
        case kIniEncodingUtf16Le:
            return "UTF-16 little-endian with a byte-order mark";
        case kIniEncodingUtf16Be:
            return "UTF-16 big-endian";
        case kIniEncodingUtf32Le:
            return "UTF-32 little-endian";
        case kIniEncodingUtf32Be:
            return "UTF-32 big-endian";
    }
    return "unknown";
}

const char* LoadFileReason(int code) {
    switch (code) {
        case kIniOpenFailed:
            return "it cannot be opened";
        case kIniLengthUnknown:
            return "its length cannot be determined";
        case kIniNoMemoryForBytes:
            return "no memory for its bytes";
        case kIniReadFailed:
            return "reading it failed";
        case kIniDecodeFailed:
            return "its text does not decode in the encoding its first bytes announce";
        case kIniNoMemoryForSection:
            return "no memory for a section";
    }
    return "unknown failure";
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

bool IsTextByte(uint8_t b) {
    return (b >= 0x20 && b < 0x7F) || b == '\t' || b == '\r' || b == '\n';
}

// Everything but printable 7-bit text and line ends reads differently, or not at all, in one of
// the two readers.
void CheckEightBit(const std::vector<uint8_t>& bytes, CheckReport& report) {
    std::size_t count = 0, first = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (IsTextByte(bytes[i])) continue;
        if (count++ == 0) first = i;
    }
    if (count == 0) return;
    report.Problem(std::to_string(count) + " byte(s) are not 7-bit text, the first " +
                   Hex(bytes[first], 2) + " at offset " + std::to_string(first) +
                   (bytes[first] < 0x20 ? " (binary data?)" : ""));
}

void CheckUtf16(const std::vector<uint8_t>& bytes, CheckReport& report) {
    if (bytes.size() % 2 != 0) report.Problem("odd number of bytes in a UTF-16 file");
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        if (bytes[i] == 0 && bytes[i + 1] == 0) {
            report.Problem("a zero character at offset " + std::to_string(i) + " (binary data?)");
            return;
        }
    }
}

}  // namespace

void CheckFileText(const std::vector<uint8_t>& bytes, const CIniMgr& ini, int loadCode,
                   CheckReport& report) {
    report.out() << "Size: " << bytes.size() << " bytes\n";
    if (loadCode != kIniLoaded) {
        report.out() << "Encoding: " << EncodingName(ini.encoding()) << "\n";
        report.Problem(std::string("the INI reader cannot load the file: ") +
                       LoadFileReason(loadCode) + " (code " + std::to_string(loadCode) + ")");
        return;
    }
    report.out() << "Encoding: " << EncodingName(ini.encoding()) << "\n";
    switch (ini.encoding()) {
        case kIniEncodingNone:
            CheckEightBit(bytes, report);
            break;
        case kIniEncodingUtf16Le:
            CheckUtf16(bytes, report);
            break;
        default:
            report.Problem(std::string(EncodingName(ini.encoding())) +
                           " is not read by the private-profile functions; save the file as "
                           "7-bit text or as UTF-16 little-endian with a byte-order mark");
            break;
    }
}

}  // namespace tonedeck::tool
