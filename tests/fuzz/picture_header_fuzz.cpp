// ReadBmpHeader and ReadPngHeader on any skin picture file: a refusal says why and reports no
// size; an accepted header has positive dimensions that fit an int and that the bytes hold.

#include <climits>

#include "fuzz_check.h"
#include "panel/window/picture_source.h"

using namespace tonedeck;

namespace {

uint32_t Le32(const std::vector<uint8_t>& b, std::size_t at) {
    return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
           uint32_t{b[at + 3]} << 24;
}

uint32_t Be32(const std::vector<uint8_t>& b, std::size_t at) {
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 |
           uint32_t{b[at + 3]};
}

void CheckCommon(const PictureInfo& info) {
    if (info.ok) {
        FUZZ_CHECK(info.width > 0 && info.width <= INT_MAX);
        FUZZ_CHECK(info.height > 0 && info.height <= INT_MAX);
        FUZZ_CHECK(info.problem.empty());
    } else {
        FUZZ_CHECK(!info.problem.empty());
        FUZZ_CHECK(info.width == 0 && info.height == 0);
    }
}

void CheckBmp(const std::vector<uint8_t>& b, const PictureInfo& info) {
    CheckCommon(info);
    if (!info.ok) return;
    FUZZ_CHECK(b.size() >= 26 && b[0] == 'B' && b[1] == 'M');
    const uint32_t dataOffset = Le32(b, 10);
    const uint32_t infoSize = Le32(b, 14);
    FUZZ_CHECK(infoSize == 12 || (infoSize >= 40 && infoSize <= 124));
    FUZZ_CHECK(infoSize == 12 || b.size() >= 54);
    FUZZ_CHECK(uint64_t{dataOffset} >= 14 + uint64_t{infoSize} && dataOffset <= b.size());
    const uint32_t bitCount = infoSize == 12 ? uint32_t{b[24]} | uint32_t{b[25]} << 8
                                             : uint32_t{b[28]} | uint32_t{b[29]} << 8;
    const uint32_t compression = infoSize == 12 ? 0 : Le32(b, 30);
    if (compression == 0 || compression == 3) {
        // The rows as the header announces them, each padded to four bytes, must be in the file.
        const unsigned __int128 stride =
            (static_cast<unsigned __int128>(info.width) * bitCount + 31) / 32 * 4;
        FUZZ_CHECK(stride * static_cast<unsigned>(info.height) <= b.size() - dataOffset);
    }
}

void CheckPng(const std::vector<uint8_t>& b, const PictureInfo& info) {
    CheckCommon(info);
    if (!info.ok) return;
    // Signature, IHDR, one IDAT and IEND at least.
    FUZZ_CHECK(b.size() >= 8 + 25 + 12 + 12);
    FUZZ_CHECK(b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G');
    FUZZ_CHECK(Be32(b, 16) == static_cast<uint32_t>(info.width));
    FUZZ_CHECK(Be32(b, 20) == static_cast<uint32_t>(info.height));
}

bool Same(const PictureInfo& a, const PictureInfo& b) {
    return a.ok == b.ok && a.width == b.width && a.height == b.height && a.problem == b.problem;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes = fuzz::Bytes(data, size);
    const PictureInfo bmp = ReadBmpHeader(bytes);
    CheckBmp(bytes, bmp);
    const PictureInfo png = ReadPngHeader(bytes);
    CheckPng(bytes, png);
    FUZZ_CHECK(!(bmp.ok && png.ok));

    FUZZ_CHECK(Same(ReadPictureHeader(PictureFormat::Bmp, bytes), bmp));
    FUZZ_CHECK(Same(ReadPictureHeader(PictureFormat::Png, bytes), png));
    const PictureInfo unknown = ReadPictureHeader(PictureFormat::Unknown, bytes);
    FUZZ_CHECK(!unknown.ok && !unknown.problem.empty());
    return 0;
}
