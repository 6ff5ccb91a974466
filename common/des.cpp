#include "common/des.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/base64.h"
#include "common/des_block.h"

namespace tonedeck {

namespace {

constexpr std::size_t kBlockSize = 8;
// Codes of up to 1364 characters decode into this.
constexpr std::size_t kEntryCipherRoom = 1024;

DesBlockCipher MakeCipher(const uint8_t* key, std::size_t keyLength) {
    std::array<uint8_t, kBlockSize> fullKey{};
    if (key != nullptr) std::copy_n(key, std::min(keyLength, kBlockSize), fullKey.begin());
    return DesBlockCipher(fullKey.data());
}

// False when the final block does not end in valid PKCS#5 padding.
bool StripPadding(const uint8_t* plain, std::size_t length, std::size_t& plainLength) {
    const uint8_t pad = plain[length - 1];
    if (pad == 0 || pad > kBlockSize) return false;
    for (std::size_t i = length - pad; i < length; ++i) {
        if (plain[i] != pad) return false;
    }
    plainLength = length - pad;
    return true;
}

}  // namespace

int DesDecrypt(uint8_t* data, std::size_t length, uint8_t* out, std::size_t& capacity,
               const uint8_t* key, std::size_t keyLength) {
    if (length % kBlockSize != 0) return kDesBadLength;
    // Without a final block there is no padding to check.
    if (length == 0) return kDesBlockFailed;

    const DesBlockCipher cipher = MakeCipher(key, keyLength);
    uint64_t previous = 0;
    for (std::size_t offset = 0; offset < length; offset += kBlockSize) {
        uint64_t block = LoadDesBlock(data + offset);
        StoreDesBlock(cipher.DecryptBlock(block) ^ previous, data + offset);
        previous = block;
    }
    std::size_t plainLength = 0;
    if (!StripPadding(data, length, plainLength)) return kDesBlockFailed;

    if (capacity < length) return kDesNoRoom;
    std::memcpy(out, data, plainLength);
    capacity = plainLength;
    return kDesOk;
}

std::vector<uint8_t> DesEncrypt(const std::vector<uint8_t>& plain, const uint8_t* key,
                                std::size_t keyLength) {
    const auto pad = static_cast<uint8_t>(kBlockSize - plain.size() % kBlockSize);
    std::vector<uint8_t> data(plain);
    data.insert(data.end(), pad, pad);

    const DesBlockCipher cipher = MakeCipher(key, keyLength);
    uint64_t previous = 0;
    for (std::size_t offset = 0; offset < data.size(); offset += kBlockSize) {
        previous = cipher.EncryptBlock(LoadDesBlock(data.data() + offset) ^ previous);
        StoreDesBlock(previous, data.data() + offset);
    }
    return data;
}

int DecodeEntryCode(const char* code, std::size_t length, uint8_t* out, std::size_t& capacity) {
    std::array<uint8_t, kEntryCipherRoom> cipherText{};
    std::size_t cipherLength = cipherText.size();
    if (Base64Decode(code, length, cipherText.data(), cipherLength) != kBase64Ok) {
        return kEntryBase64Failed;
    }
    std::fill_n(out, capacity, uint8_t{0});
    if (DesDecrypt(cipherText.data(), cipherLength, out, capacity,
                   reinterpret_cast<const uint8_t*>(kEntryKey), sizeof(kEntryKey) - 1) != kDesOk) {
        return kEntryDesFailed;
    }
    return kEntryOk;
}

std::string MakeEntryCode(const std::string& pattern) {
    std::vector<uint8_t> plain(pattern.begin(), pattern.end());
    return Base64Encode(
        DesEncrypt(plain, reinterpret_cast<const uint8_t*>(kEntryKey), sizeof(kEntryKey) - 1));
}

}  // namespace tonedeck
