#include "panel/settings/eq_codes.h"

#include "panel/settings/preset_store.h"

namespace tonedeck {

uint16_t BandCodeFromOffset(int offset, int sliderRange) {
    if (sliderRange <= 0) return kBandResetCode;
    const int v = (offset * 2048) / sliderRange;
    uint16_t code = static_cast<uint16_t>(2048 - v);
    if (code > kBandResetCode) code = static_cast<uint16_t>(3 * (code - kBandResetCode) + 1023);
    return code;
}

int OffsetFromBandCode(uint16_t code, int sliderRange) {
    const int d = code <= kBandResetCode ? code : (code - 1023) / 3 + kBandResetCode;
    return sliderRange - (d * sliderRange) / 2048;
}

}  // namespace tonedeck
