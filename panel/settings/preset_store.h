#pragma once
// The live equalizer block and the four packed preset records.

#include <array>
#include <cstdint>

namespace tonedeck {

inline constexpr int kBandCount = 5;  // 60, 300, 1200, 3600 and 12000 Hz, in this order
inline constexpr int kPresetCount = 4;
inline constexpr uint16_t kBandResetCode = 1024;
inline constexpr uint16_t kBandMaxCode = 4095;  // band codes are 12 bits

struct EqBlock {
    std::array<uint16_t, kBandCount> bands{kBandResetCode, kBandResetCode, kBandResetCode,
                                           kBandResetCode, kBandResetCode};
    bool bypass = true;  // the equalizer is off
    // Bits 5 and 6 of register 297: set in the default block, never changed by the user.
    bool fixedFlag5 = true;
    bool fixedFlag6 = true;
    bool d3Flag = false;  // a copy of `D3Enable`
    friend bool operator==(const EqBlock&, const EqBlock&) = default;
};

// The block used at start-up and by the equalizer reset.
inline constexpr EqBlock kDefaultEqBlock{};

// Bytes 0 to 6: the five 12-bit bands packed low byte first; byte 7: band 5's high nibble and the
// flags, laid out like register 297; bytes 8 to 15: zero.
using PresetRecord = std::array<uint8_t, 16>;

PresetRecord PackPreset(const EqBlock& block);
// Bands keep only their low 12 bits; bytes 8 to 15 are ignored.
EqBlock UnpackPreset(const PresetRecord& record);

class PresetStore {
  public:
    PresetStore() { FillDefault(); }

    void FillDefault();
    // `preset` is 1 to 4; anything else throws std::out_of_range.
    void Store(int preset, const EqBlock& block);
    EqBlock Load(int preset) const;
    const PresetRecord& Record(int preset) const;

  private:
    std::array<PresetRecord, kPresetCount> records_{};
};

}  // namespace tonedeck
