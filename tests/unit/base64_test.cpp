#include "common/base64.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tonedeck {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

int Decode(const std::string& text, std::vector<uint8_t>& out, size_t capacity = 64) {
    out.assign(capacity, 0);
    size_t length = capacity;
    const int result = Base64Decode(text.data(), text.size(), out.data(), length);
    if (result == kBase64Ok) out.resize(length);
    return result;
}

// Every padding length, from the test vectors of the Base64 standard.
struct Vector {
    const char* plain;
    const char* encoded;
};
constexpr Vector kVectors[] = {
    {"f", "Zg=="},        {"fo", "Zm8="},        {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
};

TEST(Base64Test, StandardVectorsBothWays) {
    for (const auto& vector : kVectors) {
        SCOPED_TRACE(vector.encoded);
        EXPECT_EQ(Base64Encode(Bytes(vector.plain)), vector.encoded);
        std::vector<uint8_t> out;
        ASSERT_EQ(Decode(vector.encoded, out), kBase64Ok);
        EXPECT_EQ(out, Bytes(vector.plain));
    }
    EXPECT_EQ(Base64Encode({}), "");
}

TEST(Base64Test, EveryCharacterOfTheAlphabetMapsToItsValue) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    // Sextets 0..63 in order pack into these 48 bytes.
    const std::vector<uint8_t> packed = {0x00, 0x10, 0x83, 0x10, 0x51, 0x87, 0x20, 0x92, 0x8b, 0x30,
                                         0xd3, 0x8f, 0x41, 0x14, 0x93, 0x51, 0x55, 0x97, 0x61, 0x96,
                                         0x9b, 0x71, 0xd7, 0x9f, 0x82, 0x18, 0xa3, 0x92, 0x59, 0xa7,
                                         0xa2, 0x9a, 0xab, 0xb2, 0xdb, 0xaf, 0xc3, 0x1c, 0xb3, 0xd3,
                                         0x5d, 0xb7, 0xe3, 0x9e, 0xbb, 0xf3, 0xdf, 0xbf};
    std::vector<uint8_t> out;
    ASSERT_EQ(Decode(alphabet, out), kBase64Ok);
    EXPECT_EQ(out, packed);
    EXPECT_EQ(Base64Encode(packed), alphabet);
}

TEST(Base64Test, RoundTripsAllByteValuesAtEveryPaddingLength) {
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<uint8_t>(255 - i);
    for (size_t length : {254u, 255u, 256u}) {
        SCOPED_TRACE(length);
        const std::vector<uint8_t> bytes(all.begin(), all.begin() + length);
        std::vector<uint8_t> out;
        ASSERT_EQ(Decode(Base64Encode(bytes), out, 400), kBase64Ok);
        EXPECT_EQ(out, bytes);
    }
}

TEST(Base64Test, RejectsBadInput) {
    struct Case {
        const char* name;
        std::string text;
        size_t capacity;
        int expected;
    };
    const Case cases[] = {
        {"empty", "", 64, kBase64BadLength},
        {"3 characters", "Zg=", 64, kBase64BadLength},
        {"5 characters", "Zm9vY", 64, kBase64BadLength},
        {"room exactly three quarters", "Zm9v", 3, kBase64NoRoom},
        {"room one more", "Zm9v", 4, kBase64Ok},
        {"room checked before characters", "!!!!", 3, kBase64NoRoom},
        {"punctuation", "Zm9*", 64, kBase64BadCharacter},
        {"URL-safe alphabet", "Zm-_", 64, kBase64BadCharacter},
        {"line break", "Zm9v\nZm8", 64, kBase64BadCharacter},
        {"space", "Zm9 ", 64, kBase64BadCharacter},
        {"byte above 0x7F", "Zm9\xC3", 64, kBase64BadCharacter},
        {"zero byte", std::string("Zm9\0", 4), 64, kBase64BadCharacter},
        {"padding in an earlier group", "Zg==Zm9v", 64, kBase64BadCharacter},
        {"padding third only", "Zm=v", 64, kBase64BadCharacter},
        {"three padding characters", "Z===", 64, kBase64BadCharacter},
        {"only padding", "====", 64, kBase64BadCharacter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> out;
        EXPECT_EQ(Decode(c.text, out, c.capacity), c.expected);
    }
}

TEST(Base64Test, FailureLeavesTheCapacityUntouched) {
    std::vector<uint8_t> out(64);
    size_t length = out.size();
    EXPECT_EQ(Base64Decode("Zm9vZ*==", 8, out.data(), length), kBase64BadCharacter);
    EXPECT_EQ(length, 64u);
}

}  // namespace
}  // namespace tonedeck
