#pragma once
// The device's register map as pure functions from values to register bytes.

#include <array>
#include <cstdint>
#include <optional>

#include "panel/settings/preset_store.h"

namespace tonedeck {

inline constexpr uint16_t kRegDspControl = 256;
inline constexpr uint16_t kRegEqFirst = 288;  // bands low/high, 288 to 297
inline constexpr uint16_t kRegEqFlags = 297;  // band 5 high nibble and the equalizer flags
inline constexpr uint16_t kReg3DControl = 394;
inline constexpr uint16_t kReg3DLeft = 395;
inline constexpr uint16_t kReg3DRight = 396;

inline constexpr uint8_t kDspEnableBit = 0x04;  // register 256
inline constexpr uint8_t kEq3DFlagBit = 0x10;   // register 297
inline constexpr uint8_t kEqFixedFlag5Bit = 0x20;
inline constexpr uint8_t kEqFixedFlag6Bit = 0x40;
inline constexpr uint8_t kEqBypassBit = 0x80;
inline constexpr uint8_t kFbmBit = 0x01;       // register 394
inline constexpr uint8_t k3DEnableBit = 0x40;  // register 394

struct RegisterWrite {
    uint16_t address = 0;
    uint8_t value = 0;
    friend bool operator==(const RegisterWrite&, const RegisterWrite&) = default;
};

// `value` with the bits of `mask` set or cleared; the other bits kept.
constexpr uint8_t WithBits(uint8_t value, uint8_t mask, bool set) {
    return static_cast<uint8_t>(set ? (value | mask) : (value & ~mask));
}

// Register 297: band 5 bits 8 to 11, the 3D flag, the two fixed flags and `Bypass`.
uint8_t ComposeRegister297(const EqBlock& block);

// The register that carries bits 0 to 7 of band b (0 to 4).
constexpr uint16_t BandLowRegister(int band) {
    return static_cast<uint16_t>(kRegEqFirst + 2 * band);
}
// Bits 8 to 11 of bands 0 to 3; band 4's share register 297 with the flags.
constexpr uint16_t BandHighRegister(int band) {
    return static_cast<uint16_t>(kRegEqFirst + 1 + 2 * band);
}
// Band 5's high bits into the low nibble of register 297, its high nibble kept.
constexpr uint8_t MergeBand5High(uint8_t current297, uint16_t code) {
    return static_cast<uint8_t>((current297 & 0xF0) | ((code >> 8) & 0x0F));
}

// Registers 288 to 297 in ascending order.
std::array<RegisterWrite, 10> EqBlockWrites(const EqBlock& block);

// Registers 395 and 396: alpha in the high nibble, beta in the low; nullopt for a nibble above
// 15, which the device is never sent.
std::optional<uint8_t> ComposeNibblePair(uint8_t high, uint8_t low);

}  // namespace tonedeck
