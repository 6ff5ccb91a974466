#pragma once
// The DES block cipher (FIPS 46-3) on single 8-byte blocks; modes and padding live in des.cpp.

#include <array>
#include <cstdint>

namespace tonedeck {

class DesBlockCipher {
  public:
    // Parity bits of the key are ignored, as the standard allows.
    explicit DesBlockCipher(const uint8_t key[8]);

    uint64_t EncryptBlock(uint64_t block) const;
    uint64_t DecryptBlock(uint64_t block) const;

  private:
    uint64_t Crypt(uint64_t block, bool decrypt) const;

    std::array<uint64_t, 16> subkeys_{};
};

// Big-endian block packing: the first byte holds bits 1 to 8 of the standard's numbering.
uint64_t LoadDesBlock(const uint8_t* bytes);
void StoreDesBlock(uint64_t block, uint8_t* bytes);

}  // namespace tonedeck
