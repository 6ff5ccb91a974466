#include "panel/settings/register_map.h"

namespace tonedeck {

uint8_t ComposeRegister297(const EqBlock& block) {
    uint8_t value = static_cast<uint8_t>((block.bands[4] >> 8) & 0x0F);
    value = WithBits(value, kEq3DFlagBit, block.d3Flag);
    value = WithBits(value, kEqFixedFlag5Bit, block.fixedFlag5);
    value = WithBits(value, kEqFixedFlag6Bit, block.fixedFlag6);
    value = WithBits(value, kEqBypassBit, block.bypass);
    return value;
}

std::array<RegisterWrite, 10> EqBlockWrites(const EqBlock& block) {
    std::array<RegisterWrite, 10> writes{};
    for (int band = 0; band < kBandCount; ++band) {
        const uint16_t code = block.bands[static_cast<std::size_t>(band)];
        writes[static_cast<std::size_t>(2 * band)] = {BandLowRegister(band),
                                                      static_cast<uint8_t>(code & 0xFF)};
        if (band < kBandCount - 1) {
            writes[static_cast<std::size_t>(2 * band + 1)] = {
                BandHighRegister(band), static_cast<uint8_t>((code >> 8) & 0x0F)};
        }
    }
    writes[9] = {kRegEqFlags, ComposeRegister297(block)};
    return writes;
}

std::optional<uint8_t> ComposeNibblePair(uint8_t high, uint8_t low) {
    if (high > 15 || low > 15) return std::nullopt;
    return static_cast<uint8_t>(high * 16 + low);
}

}  // namespace tonedeck
