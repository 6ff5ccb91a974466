#include "common/des.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/des_block.h"

namespace tonedeck {
namespace {

uint64_t Hex64(const char* hex) { return std::stoull(hex, nullptr, 16); }

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::array<uint8_t, 8> KeyBytes(uint64_t key) {
    std::array<uint8_t, 8> bytes{};
    StoreDesBlock(key, bytes.data());
    return bytes;
}

const uint8_t* EntryKey() { return reinterpret_cast<const uint8_t*>(kEntryKey); }

struct BlockVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// Published known-answer vectors: the worked example of the standard's tutorials, the NBS
// variable-plaintext and variable-key tests, the weak-key style all-zero answer and the
// maintenance-test set.
constexpr BlockVector kBlockVectors[] = {
    {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
    {"0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
    {"0101010101010101", "4000000000000000", "DD7F121CA5015619"},
    {"0101010101010101", "0000000000000001", "166B40B44ABA4BD6"},
    {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
    {"4001010101010101", "0000000000000000", "0EEC1487DD8C26D5"},
    {"0E329232EA6D0D73", "8787878787878787", "0000000000000000"},
    {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "690F5B0D9A26939B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "7A389D10354BD271"},
    {"07A1133E4A0B2686", "0248D43806F67172", "868EBB51CAB4599A"},
};

TEST(DesBlockCipherTest, KnownAnswerVectorsBothWays) {
    for (const auto& vector : kBlockVectors) {
        SCOPED_TRACE(std::string(vector.key) + " / " + vector.plain);
        const auto key = KeyBytes(Hex64(vector.key));
        const DesBlockCipher cipher(key.data());
        EXPECT_EQ(cipher.EncryptBlock(Hex64(vector.plain)), Hex64(vector.cipher));
        EXPECT_EQ(cipher.DecryptBlock(Hex64(vector.cipher)), Hex64(vector.plain));
    }
}

TEST(DesBlockCipherTest, ParityBitsOfTheKeyAreIgnored) {
    const auto key = KeyBytes(Hex64("133457799BBCDFF1"));
    const auto flipped = KeyBytes(Hex64("133457799BBCDFF1") ^ 0x0101010101010101ULL);
    EXPECT_EQ(DesBlockCipher(key.data()).EncryptBlock(0x0123456789ABCDEFULL),
              DesBlockCipher(flipped.data()).EncryptBlock(0x0123456789ABCDEFULL));
}

TEST(DesCbcTest, ChainsBlocksAsThePublishedCbcExample) {
    // The published example uses IV 1234567890ABCDEF; with a zero IV the same cipher text comes
    // from a first block that already carries the IV.
    std::vector<uint8_t> plain = Bytes("Now is the time for all ");
    const auto iv = KeyBytes(Hex64("1234567890ABCDEF"));
    for (size_t i = 0; i < 8; ++i) plain[i] ^= iv[i];
    const auto key = KeyBytes(Hex64("0123456789ABCDEF"));

    const std::vector<uint8_t> cipher = DesEncrypt(plain, key.data(), key.size());

    ASSERT_EQ(cipher.size(), 32u);  // three blocks and a block of padding
    EXPECT_EQ(LoadDesBlock(&cipher[0]), Hex64("E5C7CDDE872BF27C"));
    EXPECT_EQ(LoadDesBlock(&cipher[8]), Hex64("43E934008C389C0F"));
    EXPECT_EQ(LoadDesBlock(&cipher[16]), Hex64("683788499A7C05F6"));
}

TEST(DesCbcTest, PaddingRoundTripsEveryLengthAroundTheBlockSize) {
    for (size_t length = 0; length <= 17; ++length) {
        SCOPED_TRACE(length);
        std::vector<uint8_t> plain(length);
        for (size_t i = 0; i < length; ++i) plain[i] = static_cast<uint8_t>(0xF0 + i);
        std::vector<uint8_t> cipher = DesEncrypt(plain, EntryKey(), 8);
        ASSERT_EQ(cipher.size(), (length / 8 + 1) * 8);

        std::vector<uint8_t> out(cipher.size());
        size_t capacity = out.size();
        ASSERT_EQ(DesDecrypt(cipher.data(), cipher.size(), out.data(), capacity, EntryKey(), 8),
                  kDesOk);
        ASSERT_EQ(capacity, length);
        EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + capacity), plain);
    }
}

TEST(DesCbcTest, KeyIsCutOrZeroFilledToEightBytes) {
    const std::vector<uint8_t> plain = Bytes("pattern");
    const uint8_t longKey[] = {'V', 'e', 'l', 'm', 'o', 'r', 'i', 'x', 'Z', 'Z'};
    EXPECT_EQ(DesEncrypt(plain, longKey, sizeof(longKey)), DesEncrypt(plain, EntryKey(), 8));

    const uint8_t shortKey[] = {'a', 'b', 'c'};
    const uint8_t padded[8] = {'a', 'b', 'c', 0, 0, 0, 0, 0};
    EXPECT_EQ(DesEncrypt(plain, shortKey, sizeof(shortKey)), DesEncrypt(plain, padded, 8));
    EXPECT_NE(DesEncrypt(plain, shortKey, sizeof(shortKey)), DesEncrypt(plain, EntryKey(), 8));
}

// Cipher text whose decrypted final block ends in the given bytes.
std::vector<uint8_t> CipherOfRawBlock(const std::array<uint8_t, 8>& lastPlain) {
    const DesBlockCipher cipher(reinterpret_cast<const uint8_t*>(kEntryKey));
    std::vector<uint8_t> data(8);
    StoreDesBlock(cipher.EncryptBlock(LoadDesBlock(lastPlain.data())), data.data());
    return data;
}

TEST(DesDecryptTest, ReportsEachFailure) {
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
        size_t capacity;
        int expected;
    };
    const std::vector<uint8_t> valid = DesEncrypt(Bytes("12345"), EntryKey(), 8);
    const Case cases[] = {
        {"length not a multiple of 8", std::vector<uint8_t>(7), 64, kDesBadLength},
        {"length 12", std::vector<uint8_t>(12), 64, kDesBadLength},
        {"no block at all", {}, 64, kDesBlockFailed},
        {"padding byte zero", CipherOfRawBlock({1, 2, 3, 4, 5, 6, 7, 0}), 64, kDesBlockFailed},
        {"padding byte above 8", CipherOfRawBlock({1, 2, 3, 4, 5, 6, 7, 9}), 64, kDesBlockFailed},
        {"padding bytes differ", CipherOfRawBlock({1, 2, 3, 4, 5, 3, 2, 3}), 64, kDesBlockFailed},
        {"room for the plain text but not the data", valid, 5, kDesNoRoom},
        {"room for the data", valid, 8, kDesOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> data = c.data;
        std::vector<uint8_t> out(64);
        size_t capacity = c.capacity;
        EXPECT_EQ(DesDecrypt(data.data(), data.size(), out.data(), capacity, EntryKey(), 8),
                  c.expected);
        if (c.expected == kDesOk) {
            EXPECT_EQ(capacity, 5u);
        }
    }
}

TEST(DesDecryptTest, WholeBlockOfPaddingGivesEmptyPlainText) {
    std::vector<uint8_t> data = CipherOfRawBlock({8, 8, 8, 8, 8, 8, 8, 8});
    std::vector<uint8_t> out(8, 0xAA);
    size_t capacity = out.size();
    ASSERT_EQ(DesDecrypt(data.data(), data.size(), out.data(), capacity, EntryKey(), 8), kDesOk);
    EXPECT_EQ(capacity, 0u);
}

TEST(DecodeEntryCodeTest, DecodesTheCodeOfAPattern) {
    const std::string pattern = "USB\\VID_0C76&PID_16XX&REV_0100&MI_00";
    const std::string code = MakeEntryCode(pattern);
    std::vector<uint8_t> out(4096, 0xAA);
    size_t capacity = out.size();

    ASSERT_EQ(DecodeEntryCode(code.data(), code.size(), out.data(), capacity), kEntryOk);

    ASSERT_EQ(capacity, pattern.size());
    EXPECT_EQ(std::string(out.begin(), out.begin() + capacity), pattern);
    // The rest of the buffer is cleared, so the plain text also ends at the first zero byte.
    EXPECT_EQ(std::count(out.begin() + capacity, out.end(), 0), 4096 - long(capacity));
}

TEST(DecodeEntryCodeTest, ReportsWhichStepFailed) {
    struct Case {
        const char* name;
        std::string code;
        int expected;
    };
    const Case cases[] = {
        {"not Base64", "abc", kEntryBase64Failed},
        {"bad Base64 character", "ab!d", kEntryBase64Failed},
        {"cipher text of 7 bytes", "AAAAAAAAAA==", kEntryDesFailed},
        {"code of another key", "AAAAAAAAAAA=", kEntryDesFailed},
        // 1016 plain bytes need 1024 cipher bytes: one more than the Base64 buffer holds.
        {"longer than 1364 characters", MakeEntryCode(std::string(1016, 'A')), kEntryBase64Failed},
        {"longest code that fits", MakeEntryCode(std::string(1015, 'A')), kEntryOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> out(4096);
        size_t capacity = out.size();
        EXPECT_EQ(DecodeEntryCode(c.code.data(), c.code.size(), out.data(), capacity), c.expected);
    }
}

// The code as an independent DES implementation computes it.
std::string OpensslEntryCode(const std::string& pattern) {
    const auto input = std::filesystem::temp_directory_path() /
                       ("tonedeck-entry-" + std::to_string(::getpid()) + ".bin");
    std::ofstream(input, std::ios::binary) << pattern;
    const std::string command =
        "openssl enc -des-cbc -K 56656c6d6f726978 -iv 0000000000000000 -provider legacy "
        "-provider default -in '" +
        input.string() + "' | base64 -w0";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0) output.append(buffer, got);
        ::pclose(pipe);
    }
    std::filesystem::remove(input);
    return output;
}

TEST(DesEntryCodeTest, MatchesOpenssl) {
    ASSERT_EQ(std::system("openssl version >/dev/null 2>&1"), 0) << "openssl is needed";
    const std::string patterns[] = {
        "USB\\VID_0C76&PID_16XX&REV_0100&MI_00",
        "HID\\VID_0C76&PID_16XX&MI_03",
        "",
        "ABCDEFGH",
        "ABCDEFG",
        std::string("caf\xE9 \x80\xFF", 7),
        std::string(200, 'x') + "END",
    };
    for (const auto& pattern : patterns) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(MakeEntryCode(pattern), OpensslEntryCode(pattern));
    }
    EXPECT_EQ(MakeEntryCode("USB\\VID_0C76&PID_16XX&REV_0100&MI_00"),
              "WjFMm3VnCaLD335EV2NZQCF+829mOdlNhwNF+j7jT0KNBpSvg0M83Q==");
}

}  // namespace
}  // namespace tonedeck
