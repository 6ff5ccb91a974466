#pragma once
// Single DES in CBC mode with an all-zero IV and PKCS#5 padding.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tonedeck {

enum DesResult : int {
    kDesOk = 0,
    kDesBadLength = -1,      // data length not a multiple of 8
    kDesNoContext = 1,
    kDesKeyNotImported = 2,
    kDesBlockFailed = 3,     // also bad padding
    kDesNoRoom = 4,          // capacity smaller than the data length
};

enum DecodeEntryResult : int { kEntryOk = 0, kEntryBase64Failed = 1, kEntryDesFailed = 2 };

// The key that authenticates device-ID entries.
inline constexpr char kEntryKey[] = "Velmorix";

// `capacity` in: room in `out`; out: plain length. `data` is decrypted in place.
int DesDecrypt(uint8_t* data, std::size_t length, uint8_t* out, std::size_t& capacity,
               const uint8_t* key, std::size_t keyLength);

std::vector<uint8_t> DesEncrypt(const std::vector<uint8_t>& plain, const uint8_t* key,
                                std::size_t keyLength);

int DecodeEntryCode(const char* code, std::size_t length, uint8_t* out, std::size_t& capacity);

// The authentication code of a pattern: Base64 of the DES encryption of its 8-bit characters.
std::string MakeEntryCode(const std::string& pattern);

}  // namespace tonedeck
