// SettingsController::ReadProfile on any sound-profile file, with the device plugged in so the
// loaded state goes out as reports and driver requests. A profile that loads is saved and loaded
// again: the second load must land on the same settings.

#include "common/text.h"
#include "fuzz_check.h"
#include "panel/window/window_errors.h"
#include "platform/sim/emulated_profile_store.h"
#include "tests/unit/settings_rig.h"

using namespace tonedeck;

namespace {

// What a profile carries.
bool SameProfileState(const SoundSettings& a, const SoundSettings& b) {
    for (int preset = 1; preset <= kPresetCount; ++preset) {
        if (a.presets.Record(preset) != b.presets.Record(preset)) return false;
    }
    return a.eqEnable == b.eqEnable && a.d3 == b.d3 && a.d3Enable == b.d3Enable &&
           a.currentEffect == b.currentEffect && a.virtualEnable == b.virtualEnable &&
           a.speakerPlaces == b.speakerPlaces && a.ledOn == b.ledOn;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string file = std::u16string(test::kRigAppDir) + u"mine.ini";
    const std::u16string saved = std::u16string(test::kRigAppDir) + u"saved.ini";
    test::SettingsRig rig;
    rig.sound = rig.world.AddSoundDevice();
    rig.Start();
    rig.files.PutFile(file, fuzz::Bytes(data, size));
    EmulatedProfileStore store(rig.files);

    try {
        rig.controller.ReadProfile(store, U16ToAnsi(file));
    } catch (const InvalidIntegerError&) {
        return 0;
    }
    const SoundSettings loaded = rig.settings;
    rig.controller.WriteProfile(store, U16ToAnsi(saved));
    rig.controller.ReadProfile(store, U16ToAnsi(saved));
    FUZZ_CHECK(SameProfileState(loaded, rig.settings));
    return 0;
}
