#pragma once
// What the simulated device must hold after an arrival, read from the settings model: the LED
// lines always, and the registers of the page that was showing (an arrival re-sends only that
// page's part).

#include <cstdio>
#include <string>

#include "panel/settings/register_map.h"
#include "panel/settings/settings_ports.h"
#include "panel/settings/sound_settings.h"
#include "platform/sim/sim_sound_firmware.h"

namespace tonedeck::test {

// Empty when the device agrees with the model; otherwise the first difference.
inline std::string DeviceDiffersFromModel(const SimSoundFirmware& device,
                                          const SoundSettings& model, SettingsPage page) {
    char text[96];
    auto reg = [&](uint16_t address, uint8_t mask, uint8_t want) -> std::string {
        const uint8_t have = device.Register(address) & mask;
        if (have == (want & mask)) return {};
        std::snprintf(text, sizeof text, "register %u mask %02X: device %02X, model %02X", address,
                      mask, have, want & mask);
        return text;
    };
    const SimSoundFirmware::Lines lit = SimSoundFirmware().gpio();
    if (device.gpio() != (model.ledOn ? lit : SimSoundFirmware::Lines{})) {
        return model.ledOn ? "LED lines not at their lit state" : "LED lines not all low";
    }
    if (page != SettingsPage::kEq && page != SettingsPage::k3D) return {};

    std::string diff = reg(kRegDspControl, kDspEnableBit, model.eqEnable ? kDspEnableBit : 0);
    if (!diff.empty()) return diff;
    if (model.eqEnable) {
        for (const RegisterWrite& write : EqBlockWrites(model.eqBlock)) {
            diff = reg(write.address, 0xFF, write.value);
            if (!diff.empty()) return diff;
        }
    }
    if (page != SettingsPage::k3D) return {};

    diff = reg(kReg3DControl, k3DEnableBit, model.d3Enable ? k3DEnableBit : 0);
    if (!diff.empty() || !model.d3Enable) return diff;
    const D3Block& d3 = model.d3;
    diff = reg(kReg3DControl, kFbmBit, d3.fbm ? kFbmBit : 0);
    if (diff.empty()) {
        diff = reg(kReg3DLeft, 0xFF, static_cast<uint8_t>(d3.leftAlpha * 16 + d3.leftBeta));
    }
    if (diff.empty()) {
        diff = reg(kReg3DRight, 0xFF, static_cast<uint8_t>(d3.rightAlpha * 16 + d3.rightBeta));
    }
    return diff;
}

}  // namespace tonedeck::test
