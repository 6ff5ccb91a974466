#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "panel/window/picture_source.h"

namespace tonedeck {
namespace {

void PutLe(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// "BM", a 40-byte info header, then `pixelBytes` bytes of pixel data.
std::vector<uint8_t> Bmp(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                         std::size_t pixelBytes) {
    std::vector<uint8_t> bytes(54 + pixelBytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    PutLe(bytes, 10, 54, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, static_cast<uint32_t>(width), 4);
    PutLe(bytes, 22, static_cast<uint32_t>(height), 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, bitCount, 2);
    PutLe(bytes, 30, compression, 4);
    return bytes;
}

TEST(BmpHeader, PixelDataMustCoverTheAnnouncedRowsEvenWhenTheirSizeOverflows) {
    const int32_t kMax = std::numeric_limits<int32_t>::max();
    const int32_t kMin = std::numeric_limits<int32_t>::min();
    struct Case {
        const char* what;
        int32_t width;
        int32_t height;
        uint16_t bitCount;
        uint32_t compression;
        std::size_t pixelBytes;
        bool ok;
    };
    const Case cases[] = {
        // Three 24-bit pixels take 9 bytes, padded to 12 a row.
        {"rows exactly present", 3, 2, 24, 0, 24, true},
        {"one byte short", 3, 2, 24, 0, 23, false},
        {"top-down rows exactly present", 3, -2, 24, 0, 24, true},
        // Row size times row count passes 2^63: must be refused, not wrap around.
        {"wide and tall", kMax, kMax, 32, 0, 64, false},
        {"wide and tall top-down", kMax, kMin + 1, 32, 3, 64, false},
        // Compressed data announces no size, but the height must still fit an int.
        {"top-down height without int counterpart", 4, kMin, 8, 1, 16, false},
        {"compressed, tallest top-down", 4, kMin + 1, 8, 1, 16, true},
    };
    for (const auto& c : cases) {
        const PictureInfo info =
            ReadBmpHeader(Bmp(c.width, c.height, c.bitCount, c.compression, c.pixelBytes));
        EXPECT_EQ(info.ok, c.ok) << c.what << ": " << info.problem;
        if (info.ok) {
            EXPECT_EQ(info.width, c.width) << c.what;
            EXPECT_EQ(info.height, c.height < 0 ? -static_cast<int64_t>(c.height) : c.height)
                << c.what;
        } else {
            EXPECT_FALSE(info.problem.empty()) << c.what;
            EXPECT_EQ(info.height, 0) << c.what;
        }
    }
}

}  // namespace
}  // namespace tonedeck
