#include "panel/settings/preset_store.h"

#include <stdexcept>

#include "panel/settings/register_map.h"
#include "panel/settings/sound_settings.h"

namespace tonedeck {

PresetRecord PackPreset(const EqBlock& block) {
    const auto& b = block.bands;
    PresetRecord record{};
    record[0] = static_cast<uint8_t>(b[0] & 0xFF);
    record[1] = static_cast<uint8_t>(((b[0] >> 8) & 0x0F) | ((b[1] & 0x0F) << 4));
    record[2] = static_cast<uint8_t>((b[1] >> 4) & 0xFF);
    record[3] = static_cast<uint8_t>(b[2] & 0xFF);
    record[4] = static_cast<uint8_t>(((b[2] >> 8) & 0x0F) | ((b[3] & 0x0F) << 4));
    record[5] = static_cast<uint8_t>((b[3] >> 4) & 0xFF);
    record[6] = static_cast<uint8_t>(b[4] & 0xFF);
    record[7] = ComposeRegister297(block);
    return record;
}

EqBlock UnpackPreset(const PresetRecord& r) {
    EqBlock block;
    block.bands[0] = static_cast<uint16_t>(r[0] | ((r[1] & 0x0F) << 8));
    block.bands[1] = static_cast<uint16_t>((r[1] >> 4) | (r[2] << 4));
    block.bands[2] = static_cast<uint16_t>(r[3] | ((r[4] & 0x0F) << 8));
    block.bands[3] = static_cast<uint16_t>((r[4] >> 4) | (r[5] << 4));
    block.bands[4] = static_cast<uint16_t>(r[6] | ((r[7] & 0x0F) << 8));
    block.d3Flag = (r[7] & kEq3DFlagBit) != 0;
    block.fixedFlag5 = (r[7] & kEqFixedFlag5Bit) != 0;
    block.fixedFlag6 = (r[7] & kEqFixedFlag6Bit) != 0;
    block.bypass = (r[7] & kEqBypassBit) != 0;
    return block;
}

namespace {

std::size_t Slot(int preset) {
    if (preset < 1 || preset > kPresetCount) throw std::out_of_range("no such preset");
    return static_cast<std::size_t>(preset - 1);
}

}  // namespace

void PresetStore::FillDefault() { records_.fill(PackPreset(kDefaultEqBlock)); }

void PresetStore::Store(int preset, const EqBlock& block) {
    records_[Slot(preset)] = PackPreset(block);
}

EqBlock PresetStore::Load(int preset) const { return UnpackPreset(records_[Slot(preset)]); }

const PresetRecord& PresetStore::Record(int preset) const { return records_[Slot(preset)]; }

void StorePreset(SoundSettings& settings, int preset) {
    settings.presets.Store(preset, settings.eqBlock);
}

void LoadPreset(SoundSettings& settings, int preset) {
    settings.eqBlock = settings.presets.Load(preset);
}

}  // namespace tonedeck
