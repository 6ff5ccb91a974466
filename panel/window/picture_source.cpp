#include "panel/window/picture_source.h"

#include <algorithm>
#include <cstdint>

#include "common/text.h"
#include "panel/window/window_errors.h"

namespace tonedeck {

namespace {

uint32_t Le32(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
uint32_t Be32(const std::vector<uint8_t>& b, std::size_t at) {
    return (static_cast<uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

PictureInfo Bad(std::string problem) { return {false, 0, 0, std::move(problem)}; }

}  // namespace

PictureFormat PictureFormatFor(const std::u16string& fileName) {
    auto dot = fileName.rfind(u'.');
    if (dot == std::u16string::npos) return PictureFormat::Unknown;
    auto extension = AsciiUpper(fileName.substr(dot + 1));
    if (extension == u"BMP") return PictureFormat::Bmp;
    if (extension == u"PNG") return PictureFormat::Png;
    return PictureFormat::Unknown;
}

PictureInfo ReadBmpHeader(const std::vector<uint8_t>& b) {
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M')
        return Bad("not a BMP file (no \"BM\" signature)");
    if (b.size() < 26) return Bad("BMP file truncated in its header");
    const uint32_t dataOffset = Le32(b, 10);
    const uint32_t infoSize = Le32(b, 14);
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bitCount = 0;
    uint32_t compression = 0;
    if (infoSize == 12) {
        width = Le16(b, 18);
        height = static_cast<int16_t>(Le16(b, 20));
        bitCount = Le16(b, 24);
    } else if (infoSize >= 40 && infoSize <= 124) {
        if (b.size() < 14 + 40) return Bad("BMP file truncated in its header");
        width = static_cast<int32_t>(Le32(b, 18));
        height = static_cast<int32_t>(Le32(b, 22));
        bitCount = Le16(b, 28);
        compression = Le32(b, 30);
    } else {
        return Bad("BMP header of unknown size " + std::to_string(infoSize));
    }
    if (width <= 0 || height == 0) return Bad("BMP picture without width or height");
    const int64_t rows = height < 0 ? -height : height;
    // A top-down height of INT32_MIN has no positive int counterpart.
    if (rows > INT32_MAX) return Bad("BMP picture with bad dimensions");
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return Bad("BMP with " + std::to_string(bitCount) + " bits per pixel");
    }
    if (dataOffset < 14 + infoSize || dataOffset > b.size()) {
        return Bad("BMP pixel data lies outside the file");
    }
    // Uncompressed and bit-field pictures announce their size through their dimensions.
    if (compression == 0 || compression == 3) {
        const int64_t stride = ((width * bitCount + 31) / 32) * 4;
        // Divided, not multiplied: wide pictures of many rows overflow the product.
        if (stride > (static_cast<int64_t>(b.size()) - dataOffset) / rows) {
            return Bad("BMP file truncated: pixel data shorter than " + std::to_string(width) +
                       "x" + std::to_string(rows) + " needs");
        }
    } else if (compression != 1 && compression != 2) {
        return Bad("BMP compression " + std::to_string(compression) + " is not supported");
    }
    return {true, static_cast<int>(width), static_cast<int>(rows), {}};
}

PictureInfo ReadPngHeader(const std::vector<uint8_t>& b) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (b.size() < 8 || !std::equal(kSignature, kSignature + 8, b.begin())) {
        return Bad("not a PNG file (bad signature)");
    }
    if (b.size() < 33) return Bad("PNG file truncated in its header");
    if (Be32(b, 8) != 13 || b[12] != 'I' || b[13] != 'H' || b[14] != 'D' || b[15] != 'R') {
        return Bad("PNG file does not start with its IHDR header");
    }
    const uint32_t width = Be32(b, 16);
    const uint32_t height = Be32(b, 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        return Bad("PNG picture with bad dimensions");
    }
    // Walk the chunks to the end marker: a cut file never reaches it.
    std::size_t at = 8;
    bool sawData = false;
    while (true) {
        if (b.size() - at < 12) return Bad("PNG file truncated (no IEND chunk)");
        const uint32_t length = Be32(b, at);
        if (length > b.size() - at - 12) return Bad("PNG file truncated inside a chunk");
        const bool isData =
            b[at + 4] == 'I' && b[at + 5] == 'D' && b[at + 6] == 'A' && b[at + 7] == 'T';
        const bool isEnd =
            b[at + 4] == 'I' && b[at + 5] == 'E' && b[at + 6] == 'N' && b[at + 7] == 'D';
        sawData = sawData || isData;
        at += 12 + length;
        if (isEnd) break;
    }
    if (!sawData) return Bad("PNG file without image data");
    return {true, static_cast<int>(width), static_cast<int>(height), {}};
}

PictureInfo ReadPictureHeader(PictureFormat format, const std::vector<uint8_t>& bytes) {
    switch (format) {
        case PictureFormat::Bmp:
            return ReadBmpHeader(bytes);
        case PictureFormat::Png:
            return ReadPngHeader(bytes);
        default:
            return Bad("unsupported picture format (BMP and PNG are supported)");
    }
}

PictureSize FilePictureSource::Load(const std::u16string& path) {
    std::vector<uint8_t> bytes;
    if (files_.ReadWholeFile(path, bytes) != FileReadStatus::Ok) {
        throw FileLoadError(u"Cannot open file \"" + path + u"\".");
    }
    PictureInfo info = ReadPictureHeader(PictureFormatFor(path), bytes);
    if (!info.ok) {
        throw FileLoadError(u"Cannot load picture \"" + path + u"\": " + Utf8ToU16(info.problem) +
                            u".");
    }
    return {info.width, info.height};
}

}  // namespace tonedeck
